#pragma once
// Conversion between the program's texts (QString) and the Chinese national
// code page. GB18030 is used: it is byte-for-byte GBK for every GBK character,
// and it can carry every other character too, so nothing is ever lost.
#include <QByteArray>
#include <QString>

namespace CodePage {
// Text to code-page bytes.
QByteArray fromUnicode(const QString &text);
// Code-page bytes to text; undecodable bytes become U+FFFD.
QString toUnicode(const QByteArray &bytes);
// Length of a text in code-page bytes (a Chinese character counts 2).
qsizetype byteLength(const QString &text);
}
