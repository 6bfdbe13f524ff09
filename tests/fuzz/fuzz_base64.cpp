// libFuzzer target of the Base64 codec: any text decodes without fault (a
// result code, never a crash), and any bytes encoded and decoded again come
// back unchanged.
#include "Base64.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const TBase64 codec;

    QByteArray decoded;
    const int code = codec.Decode(input, decoded);
    if (code == TBase64::Ok) {
        // A text that decodes is canonical after one encoding: that encoding
        // decodes to the same bytes.
        QByteArray again, back;
        if (codec.Encode(decoded, again) != TBase64::Ok || codec.Decode(again, back) != TBase64::Ok ||
            back != decoded) {
            std::fprintf(stderr, "decoded bytes do not survive encode/decode\n");
            std::abort();
        }
    }

    QByteArray encoded, roundTrip;
    if (codec.Encode(input, encoded) != TBase64::Ok || codec.Decode(encoded, roundTrip) != TBase64::Ok ||
        roundTrip != input || Base64DecodeString(Base64EncodeString(input)) != input) {
        std::fprintf(stderr, "round trip changed the input\n");
        std::abort();
    }
    if (encoded.size() != (input.size() + 2) / 3 * 4) {
        std::fprintf(stderr, "encoded length wrong\n");
        std::abort();
    }
    return 0;
}
