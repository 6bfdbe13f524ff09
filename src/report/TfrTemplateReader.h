#pragma once
// TfrTemplateReader: reads a version-24 template stream into a report's pages
// and objects. Every read is bounds-checked; next-record positions must lie
// ahead within the stream, so that a damaged stream can neither crash nor loop.
#include <QByteArray>
#include <QString>
#include <QStringList>

class TfrReport;
class TfrByteReader;
class TfrPage;
class TfrView;

class TfrTemplateReader {
public:
    enum Result {
        Ok,
        UnsupportedVersion, // the report stays empty
        Damaged,            // a fault while reading
        UnknownClasses,     // add-in objects of classes the engine lacks
    };

    // Reads the stream into the report, whose pages must be empty.
    Result read(const QByteArray &stream, TfrReport &report);
    QString errorString() const { return FError; }
    QStringList unknownClasses() const { return FUnknown; }

private:
    void readPage(TfrByteReader &in, TfrPage &page);
    bool readObject(TfrByteReader &in, quint8 type, TfrReport &report);
    static void readCommon(TfrByteReader &in, TfrView &view);

    QString FError;
    QStringList FUnknown;
};
