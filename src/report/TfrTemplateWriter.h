#pragma once
// TfrTemplateWriter: writes a report's pages and objects as a version-24
// template stream: header, every page record, every object record with its
// next-record position, and the empty data dictionary.
#include <QByteArray>

class TfrReport;
class TfrByteWriter;
class TfrPage;
class TfrView;

class TfrTemplateWriter {
public:
    QByteArray write(const TfrReport &report);

private:
    static void writePage(TfrByteWriter &out, const TfrPage &page);
    static void writeObject(TfrByteWriter &out, const TfrView &view, int pageIndex);
};
