#pragma once
// Conversion between the program's texts (QString) and the Chinese national
// code page. GB18030 is used: it is byte-for-byte GBK for every GBK character,
// and it can carry every other character too, so nothing is ever lost. The
// one GBK character it codes differently, the euro sign, is written as GBK's
// (code page 936's) single byte 0x80, and that byte reads as the euro sign,
// as in every tool that writes GBK.
#include <QByteArray>
#include <QString>

namespace CodePage {
// Text to code-page bytes.
QByteArray fromUnicode(const QString &text);
// Code-page bytes to text; undecodable bytes become U+FFFD.
QString toUnicode(const QByteArray &bytes);
// Length of a text in code-page bytes (a Chinese character counts 2).
qsizetype byteLength(const QString &text);
// The code-page bytes from offset from on as UTF-8, strictly: on the first
// byte that starts no character of the code page, false with its offset in
// firstBad (utf8 then holds what came before it).
bool toUtf8(const QByteArray &bytes, qsizetype from, QByteArray &utf8, qsizetype &firstBad);
// The code of a character in GBK (code page 936), as written: ASCII and the
// euro sign (0x80) one byte, every other GBK character two (lead byte high);
// with gb2312Only, only the characters of its GB2312 part have one. 0 when
// the character has none. Every code given reads back as the character.
quint16 gbkCode(char32_t c, bool gb2312Only = false);
}
