#include "TfrByteWriter.h"

#include "CodePage.h"

namespace {
constexpr qsizetype maxPiece = 65535;
}

void TfrByteWriter::u16(quint16 v)
{
    FData.append(char(v & 0xFF));
    FData.append(char(v >> 8));
}

void TfrByteWriter::i32(qint32 v)
{
    const quint32 u = quint32(v);
    for (int shift = 0; shift < 32; shift += 8)
        FData.append(char((u >> shift) & 0xFF));
}

void TfrByteWriter::patchI32(qint64 offset, qint32 v)
{
    const quint32 u = quint32(v);
    for (int i = 0; i < 4; ++i)
        FData[offset + i] = char((u >> (8 * i)) & 0xFF);
}

QList<QByteArray> TfrByteWriter::pieces(const QString &text)
{
    const QByteArray whole = CodePage::fromUnicode(text);
    if (whole.size() <= maxPiece)
        return {whole};
    // Cut between characters: encode character by character.
    QList<QByteArray> result;
    QByteArray current;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
        const QByteArray ch = CodePage::fromUnicode(text.mid(i, n));
        if (current.size() + ch.size() > maxPiece) {
            result.append(current);
            current.clear();
        }
        current.append(ch);
        i += n;
    }
    result.append(current);
    return result;
}

void TfrByteWriter::string(const QString &text)
{
    const QByteArray raw = pieces(text).constFirst();
    u16(quint16(raw.size()));
    bytes(raw);
    u8(0);
}

void TfrByteWriter::stringList(const QStringList &lines)
{
    QList<QByteArray> stored;
    for (const QString &line : lines)
        stored.append(pieces(line));
    if (stored.size() > 0xFFFF)
        stored.resize(0xFFFF);
    u16(quint16(stored.size()));
    if (stored.isEmpty()) {
        u8(0);
        return;
    }
    for (qsizetype i = 0; i < stored.size(); ++i) {
        u16(quint16(stored[i].size()));
        bytes(stored[i]);
        u8(i + 1 < stored.size() ? 13 : 0);
    }
}
