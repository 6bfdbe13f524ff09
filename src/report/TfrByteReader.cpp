#include "TfrByteReader.h"

#include "CodePage.h"

namespace {

// A stored string as text. Most strings of a template (object names, font
// names, numbers) are plain ASCII, which reads the same in the national code
// page; only the others go through the code page conversion.
QString decoded(const QByteArray &raw)
{
    for (const char c : raw)
        if (static_cast<unsigned char>(c) >= 0x80)
            return CodePage::toUnicode(raw);
    return QString::fromLatin1(raw);
}

} // namespace

void TfrByteReader::fail(const QString &reason)
{
    if (FOk) {
        FOk = false;
        FError = reason;
    }
}

bool TfrByteReader::need(qint64 count)
{
    if (!FOk)
        return false;
    if (count < 0 || count > FData.size() - FPos) {
        fail(QStringLiteral("数据在偏移 %1 处意外结束").arg(FPos));
        return false;
    }
    return true;
}

bool TfrByteReader::seek(qint64 offset)
{
    if (!FOk)
        return false;
    if (offset < 0 || offset > FData.size()) {
        fail(QStringLiteral("记录位置 %1 超出数据范围").arg(offset));
        return false;
    }
    FPos = offset;
    return true;
}

quint8 TfrByteReader::u8()
{
    if (!need(1))
        return 0;
    return quint8(FData[FPos++]);
}

quint16 TfrByteReader::u16()
{
    if (!need(2))
        return 0;
    const auto *p = reinterpret_cast<const uchar *>(FData.constData() + FPos);
    FPos += 2;
    return quint16(p[0] | (p[1] << 8));
}

qint16 TfrByteReader::i16()
{
    return qint16(u16());
}

qint32 TfrByteReader::i32()
{
    if (!need(4))
        return 0;
    const auto *p = reinterpret_cast<const uchar *>(FData.constData() + FPos);
    FPos += 4;
    return qint32(quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24));
}

QByteArray TfrByteReader::bytes(qint64 count)
{
    if (!need(count))
        return {};
    QByteArray result = FData.mid(FPos, count);
    FPos += count;
    return result;
}

QString TfrByteReader::string()
{
    const quint16 length = u16();
    const QByteArray raw = bytes(length);
    u8(); // the terminating 0
    return FOk ? decoded(raw) : QString();
}

QStringList TfrByteReader::stringList()
{
    QStringList lines;
    const quint16 count = u16();
    if (count == 0) {
        u8();
        return lines;
    }
    for (int i = 0; i < count && FOk; ++i) {
        const quint16 length = u16();
        const QByteArray raw = bytes(length);
        u8(); // 13 between lines, 0 after the last
        if (FOk)
            lines.append(decoded(raw));
    }
    return FOk ? lines : QStringList();
}
