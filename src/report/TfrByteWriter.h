#pragma once
// TfrByteWriter: the primitive encodings of template streams, appended to a
// byte array: little-endian integers, code-page strings and string lists.
#include <QByteArray>
#include <QString>
#include <QStringList>

class TfrByteWriter {
public:
    QByteArray &data() { return FData; }
    qint64 pos() const { return FData.size(); }

    void u8(quint8 v) { FData.append(char(v)); }
    void u16(quint16 v);
    void i16(qint16 v) { u16(quint16(v)); }
    void i32(qint32 v);
    void boolean16(bool v) { u16(v ? 1 : 0); }
    void bytes(const QByteArray &b) { FData.append(b); }
    // Overwrites an Int32 written earlier (the next-record positions).
    void patchI32(qint64 offset, qint32 v);
    // A string longer than the 65535 bytes that its length field can give is
    // cut at the last whole character that fits.
    void string(const QString &text);
    // A line longer than 65535 bytes is stored as several lines, so that no text
    // is lost; more than 65535 lines cannot be stored and the rest is dropped.
    void stringList(const QStringList &lines);

    // Code-page bytes of a text cut into pieces of at most 65535 bytes, never
    // inside a character.
    static QList<QByteArray> pieces(const QString &text);

private:
    QByteArray FData;
};
