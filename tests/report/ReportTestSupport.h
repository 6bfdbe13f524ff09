#pragma once
// Helpers of the report engine tests: raw template bytes assembled by hand from
// the stream format (little-endian integers, code-page strings and string
// lists), independent of the engine's writer, and an exact measuring function.
#include "CodePage.h"
#include "TfrPage.h"
#include "TfrPages.h"
#include "TfrReport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class StreamBuilder {
public:
    StreamBuilder &u8(int v)
    {
        FData.append(char(v & 0xFF));
        return *this;
    }
    StreamBuilder &u16(int v) { return u8(v).u8(v >> 8); }
    StreamBuilder &i32(qint64 v)
    {
        const quint32 u = quint32(qint32(v));
        return u8(int(u & 0xFF)).u8(int((u >> 8) & 0xFF)).u8(int((u >> 16) & 0xFF)).u8(int(u >> 24));
    }
    StreamBuilder &raw(const QByteArray &b)
    {
        FData.append(b);
        return *this;
    }
    StreamBuilder &str(const QString &s)
    {
        const QByteArray b = CodePage::fromUnicode(s);
        return u16(int(b.size())).raw(b).u8(0);
    }
    StreamBuilder &list(const QStringList &lines)
    {
        u16(int(lines.size()));
        if (lines.isEmpty())
            return u8(0);
        for (int i = 0; i < lines.size(); ++i) {
            const QByteArray b = CodePage::fromUnicode(lines[i]);
            u16(int(b.size())).raw(b).u8(i + 1 < lines.size() ? 13 : 0);
        }
        return *this;
    }
    qint64 pos() const { return FData.size(); }
    void patch32(qint64 at, qint64 v)
    {
        const quint32 u = quint32(qint32(v));
        for (int i = 0; i < 4; ++i)
            FData[at + i] = char((u >> (8 * i)) & 0xFF);
    }
    const QByteArray &data() const { return FData; }

private:
    QByteArray FData;
};

// Exact widths: 6 units for a single-byte character, 12 for a double-byte one.
inline double fixedWidth(const QString &text)
{
    double w = 0;
    for (const QChar c : text)
        if (!c.isLowSurrogate())
            w += c.unicode() < 0x80 ? 6 : 12;
    return w;
}

// A new page of the report with the margins every form template uses.
inline TfrPage &marginPage(TfrReport &report)
{
    TfrPage &page = report.Pages().Add();
    page.LeftMargin = 90;
    page.TopMargin = 79;
    page.RightMargin = 54;
    page.BottomMargin = 54;
    return page;
}
