#pragma once
// TBase64: the Base64 codec (standard alphabet, "=" padding, no line breaks)
// in which memo texts are stored inside XML attribute values. Decoding skips
// foreign characters and is strict about length and padding; faults are
// reported as result codes, never raised.
#include <QByteArray>
#include <optional>

class TBase64 {
public:
    // Result codes of Decode.
    enum : int {
        Ok = 0,
        BadCharacter = 2,   // a non-alphabet character where data is required
        BadLength = 3,      // filtered length not a multiple of 4
        MisplacedPad = 4,   // "=" in a group that is not the last one
        BadPadding = 5,     // "=" in the third place of the last group, then not "="
    };

    TBase64() = default;

    bool strict() const { return FStrict; }

    // The alphabet character for a value 0..63; nothing for a larger value.
    static std::optional<char> EncodeValue(int value);
    // The value 0..63 of an alphabet character; nothing otherwise ("=" is not in it).
    static std::optional<int> DecodeChar(char c);

    int Encode(const QByteArray &input, QByteArray &output) const;
    static QByteArray FilterText(const QByteArray &text);
    int Decode(const QByteArray &input, QByteArray &output) const;

private:
    bool FStrict = true;
};

// Whole-string helpers; the result code is dropped.
QByteArray Base64EncodeString(const QByteArray &bytes);
QByteArray Base64DecodeString(const QByteArray &text);
