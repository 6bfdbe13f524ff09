#include "Base64.h"

namespace {
const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
}

std::optional<char> TBase64::EncodeValue(int value)
{
    if (value < 0 || value > 63)
        return std::nullopt;
    return kAlphabet[value];
}

std::optional<int> TBase64::DecodeChar(char c)
{
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return std::nullopt;
}

int TBase64::Encode(const QByteArray &input, QByteArray &output) const
{
    output.clear();
    const qsizetype n = input.size();
    output.reserve((n + 2) / 3 * 4);
    for (qsizetype i = 0; i < n; i += 3) {
        const int have = int(std::min<qsizetype>(3, n - i));
        const unsigned b1 = uchar(input[i]);
        const unsigned b2 = have > 1 ? uchar(input[i + 1]) : 0;
        const unsigned b3 = have > 2 ? uchar(input[i + 2]) : 0;
        const auto c1 = EncodeValue(int(b1 >> 2));
        const auto c2 = EncodeValue(int(((b1 & 0x03) << 4) | (b2 >> 4)));
        const auto c3 = EncodeValue(int(((b2 & 0x0F) << 2) | (b3 >> 6)));
        const auto c4 = EncodeValue(int(b3 & 0x3F));
        if (!c1 || !c2 || !c3 || !c4)
            return 1;
        output.append(*c1);
        output.append(*c2);
        output.append(have > 1 ? *c3 : '=');
        output.append(have > 2 ? *c4 : '=');
    }
    return Ok;
}

QByteArray TBase64::FilterText(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (char c : text)
        if (c == '=' || DecodeChar(c))
            out.append(c);
    return out;
}

int TBase64::Decode(const QByteArray &input, QByteArray &output) const
{
    output.clear();
    if (input.isEmpty())
        return Ok;
    const QByteArray text = FStrict ? FilterText(input) : input;
    const qsizetype n = text.size();
    if (n % 4 != 0)
        return BadLength;
    output.reserve(n / 4 * 3);
    for (qsizetype i = 0; i < n; i += 4) {
        const auto p = DecodeChar(text[i]);
        const auto q = DecodeChar(text[i + 1]);
        if (!p || !q)
            return BadCharacter;
        output.append(char((*p * 4 + *q / 16) % 256));

        if (text[i + 2] == '=') {
            if (i + 2 != n - 2)
                return MisplacedPad;
            if (text[i + 3] != '=')
                return BadPadding;
            break;
        }
        const auto r = DecodeChar(text[i + 2]);
        if (!r)
            return BadCharacter;
        output.append(char((*q * 16 + *r / 4) % 256));

        if (text[i + 3] == '=') {
            if (i + 3 != n - 1)
                return MisplacedPad;
            break;
        }
        const auto s = DecodeChar(text[i + 3]);
        if (!s)
            return BadCharacter;
        output.append(char((*r * 64 + *s) % 256));
    }
    return Ok;
}

QByteArray Base64EncodeString(const QByteArray &bytes)
{
    TBase64 codec;
    QByteArray out;
    codec.Encode(bytes, out);
    return out;
}

QByteArray Base64DecodeString(const QByteArray &text)
{
    TBase64 codec;
    QByteArray out;
    codec.Decode(text, out);
    return out;
}
