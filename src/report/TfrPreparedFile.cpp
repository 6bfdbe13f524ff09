#include "TfrPreparedFile.h"

#include "TfrByteReader.h"
#include "TfrByteWriter.h"
#include "FileErrors.h"

#include <QFile>
#include <QSaveFile>
#include <cmath>

namespace {

const QByteArray signature("DZSBFRP");
constexpr quint8 formatNumber = 1;
constexpr qint64 maxFileSize = 512 * 1024 * 1024;

// Values read from a file are kept to sane ranges, so that no computation
// of the renderer or the preview on them can overflow: positions and sizes
// within ±1,000,000 report units (277 m), sheets at least one unit, gaps and
// spacings within ±100,000 units, font sizes within ±10,000 points.
qint32 bounded(qint32 v, qint32 lo, qint32 hi)
{
    return qBound(lo, v, hi);
}
qint32 units(qint32 v)
{
    return bounded(v, -1000000, 1000000);
}
qint32 spacing(qint32 v)
{
    return bounded(v, -100000, 100000);
}

} // namespace

QByteArray TfrPreparedFile::encode(const QList<TfrSheet> &sheets)
{
    TfrByteWriter out;
    out.bytes(signature);
    out.u8(formatNumber);
    out.i32(qint32(sheets.size()));
    for (const TfrSheet &s : sheets) {
        for (qint32 v : {qint32(s.templatePage), s.paperSize, s.paperWidth, s.paperHeight, s.width, s.height,
                         s.leftMargin, s.topMargin, s.rightMargin, s.bottomMargin})
            out.i32(v);
        out.u8(s.orientation);
        out.i32(qint32(s.objects.size()));
        for (const TfrPreparedObject &o : s.objects) {
            out.u8(o.kind);
            out.string(o.name);
            for (qint32 v : {o.x, o.y, o.dx, o.dy})
                out.i32(v);
            out.u16(o.frameTyp);
            out.i32(qint32(std::lround(qBound(0.0, o.frameWidth, 1e6) * 1000)));
            out.i32(o.frameColor);
            out.u16(o.frameStyle);
            out.i32(o.fillColor);
            out.string(o.fontName);
            out.i32(o.fontSize);
            out.u16(o.fontStyle);
            for (qint32 v : {o.fontColor, o.alignment, o.gapx, o.gapy, o.lineSpacing, o.charSpacing})
                out.i32(v);
            out.u16(o.flags);
            out.i32(qint32(o.lines.size()));
            for (const TfrTextLine &l : o.lines) {
                const QByteArray utf8 = l.text.toUtf8();
                out.i32(qint32(utf8.size()));
                out.bytes(utf8);
                out.u8(l.paragraphEnd ? 1 : 0);
            }
        }
    }
    return out.data();
}

bool TfrPreparedFile::decode(const QByteArray &bytes, QList<TfrSheet> &sheets)
{
    FError.clear();
    TfrByteReader in(bytes);
    if (in.bytes(signature.size()) != signature || in.u8() != formatNumber) {
        FError = QStringLiteral("不是预览报表文件");
        return false;
    }
    QList<TfrSheet> result;
    const qint32 sheetCount = in.i32();
    // Every count is checked against the bytes left, so that a damaged count
    // cannot make the reader reserve memory it will never fill.
    auto countOk = [&](qint32 count, qint64 minBytesEach) {
        if (count < 0 || qint64(count) * minBytesEach > in.size() - in.pos()) {
            in.fail(QStringLiteral("数目 %1 超出文件长度").arg(count));
            return false;
        }
        return true;
    };
    countOk(sheetCount, 45);
    for (qint32 i = 0; i < sheetCount && in.ok(); ++i) {
        TfrSheet s;
        s.templatePage = in.i32();
        s.paperSize = in.i32();
        s.paperWidth = in.i32();
        s.paperHeight = in.i32();
        s.width = bounded(in.i32(), 1, 1000000);
        s.height = bounded(in.i32(), 1, 1000000);
        s.leftMargin = units(in.i32());
        s.topMargin = units(in.i32());
        s.rightMargin = units(in.i32());
        s.bottomMargin = units(in.i32());
        s.orientation = in.u8();
        const qint32 objectCount = in.i32();
        if (!countOk(objectCount, 60))
            break;
        for (qint32 k = 0; k < objectCount && in.ok(); ++k) {
            TfrPreparedObject o;
            const quint8 kind = in.u8();
            if (kind > TfrPreparedObject::Box)
                in.fail(QStringLiteral("对象种类 %1 未知").arg(kind));
            o.kind = TfrPreparedObject::Kind(kind);
            o.name = in.string();
            o.x = units(in.i32());
            o.y = units(in.i32());
            o.dx = units(in.i32());
            o.dy = units(in.i32());
            o.frameTyp = in.u16();
            o.frameWidth = in.i32() / 1000.0;
            o.frameColor = in.i32();
            o.frameStyle = in.u16();
            o.fillColor = in.i32();
            o.fontName = in.string();
            o.fontSize = bounded(in.i32(), -10000, 10000);
            o.fontStyle = in.u16();
            o.fontColor = in.i32();
            o.alignment = in.i32();
            o.gapx = spacing(in.i32());
            o.gapy = spacing(in.i32());
            o.lineSpacing = spacing(in.i32());
            o.charSpacing = spacing(in.i32());
            o.flags = in.u16();
            const qint32 lineCount = in.i32();
            if (!countOk(lineCount, 5))
                break;
            for (qint32 l = 0; l < lineCount && in.ok(); ++l) {
                const qint32 length = in.i32();
                if (!countOk(length, 1))
                    break;
                TfrTextLine line;
                line.text = QString::fromUtf8(in.bytes(length));
                line.paragraphEnd = in.u8() != 0;
                o.lines.append(line);
            }
            s.objects.append(o);
        }
        result.append(s);
    }
    if (!in.ok()) {
        FError = QStringLiteral("预览报表文件已损坏：%1").arg(in.errorString());
        return false;
    }
    sheets = result;
    return true;
}

bool TfrPreparedFile::save(const QString &fileName, const QList<TfrSheet> &sheets)
{
    const QString refused = FileErrors::unwritableReason(fileName);
    if (!refused.isEmpty()) {
        FError = QStringLiteral("无法写入文件“%1”：%2").arg(fileName, refused);
        return false;
    }
    const QByteArray bytes = encode(sheets);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        FError = QStringLiteral("无法写入文件“%1”：%2")
                     .arg(fileName, FileErrors::writeReason(fileName, file.error()));
        return false;
    }
    return true;
}

bool TfrPreparedFile::open(const QString &fileName, QList<TfrSheet> &sheets)
{
    QFile file;
    const QString unreadable = FileErrors::openForReading(file, fileName);
    if (!unreadable.isEmpty()) {
        FError = QStringLiteral("无法打开文件“%1”：%2").arg(fileName, unreadable);
        return false;
    }
    if (file.size() > maxFileSize) {
        FError = QStringLiteral("文件“%1”过大").arg(fileName);
        return false;
    }
    if (!decode(file.readAll(), sheets)) {
        FError = QStringLiteral("文件“%1”：%2").arg(fileName, FError);
        return false;
    }
    return true;
}
