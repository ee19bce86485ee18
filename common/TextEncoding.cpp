#include "common/TextEncoding.h"

namespace {
TextEncoder& Encoder()
{
    static TextEncoder encoder;
    return encoder;
}
}  // namespace

void SetTextEncoder(TextEncoder encoder) { Encoder() = std::move(encoder); }

std::string FromUtf8(const std::string& utf8) { return Encoder() ? Encoder()(utf8) : utf8; }
