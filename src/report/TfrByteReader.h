#pragma once
// TfrByteReader: bounds-checked reading of the primitive encodings of template
// streams (little-endian integers, code-page strings, string lists). Every read
// past the end, or any other malformed value, puts the reader into a failed
// state; reads in that state return zero values, so callers check ok() once
// per record.
#include <QByteArray>
#include <QString>
#include <QStringList>

class TfrByteReader {
public:
    explicit TfrByteReader(const QByteArray &data) : FData(data) {}

    bool ok() const { return FOk; }
    void fail(const QString &reason);
    const QString &errorString() const { return FError; }

    qint64 pos() const { return FPos; }
    qint64 size() const { return FData.size(); }
    bool atEnd() const { return FPos >= FData.size(); }
    // Moves to an absolute offset; failing when it lies outside the data.
    bool seek(qint64 offset);

    quint8 u8();
    quint16 u16();
    qint16 i16();
    qint32 i32();
    bool boolean16() { return u16() != 0; }
    QByteArray bytes(qint64 count);
    // UInt16 byte length, the bytes (national code page), one byte 0.
    QString string();
    // UInt16 count; 0: one byte 0; else each line as length and bytes plus one
    // byte (13 between lines, 0 after the last).
    QStringList stringList();

private:
    bool need(qint64 count);

    const QByteArray &FData;
    qint64 FPos = 0;
    bool FOk = true;
    QString FError;
};
