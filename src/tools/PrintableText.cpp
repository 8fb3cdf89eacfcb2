#include "tools/PrintableText.h"

#include <fmt/format.h>

namespace zorv::admin {

namespace {

constexpr char32_t kDelete = 0x7F;
constexpr char32_t kLastC1 = 0x9F;

/// One character decoded from UTF-8: its code point and length in bytes;
/// length 0 for a byte that does not start a well-formed sequence.
struct Decoded {
    char32_t code = 0;
    std::size_t length = 0;
};

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

/// What the first byte of a multi-byte sequence says: its length, the bits of
/// the code point it carries and the smallest code point of that length
/// (below it the sequence is overlong).
struct Lead {
    std::size_t length = 0;
    char32_t bits = 0;
    char32_t smallest = 0;
};

Lead leadOf(unsigned char byte)
{
    if ((byte & 0xE0) == 0xC0)
        return {2, byte & 0x1Fu, 0x80};
    if ((byte & 0xF0) == 0xE0)
        return {3, byte & 0x0Fu, 0x800};
    if ((byte & 0xF8) == 0xF0)
        return {4, byte & 0x07u, 0x10000};
    return {};
}

Decoded decodeUtf8(std::string_view text)
{
    const auto first = static_cast<unsigned char>(text[0]);
    if (first < 0x80)
        return {first, 1};
    const Lead lead = leadOf(first);
    if (lead.length == 0 || text.size() < lead.length)
        return {};
    char32_t code = lead.bits;
    for (std::size_t i = 1; i < lead.length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!isContinuation(byte))
            return {};
        code = (code << 6) | (byte & 0x3Fu);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < lead.smallest || code > 0x10FFFF || surrogate)
        return {};
    return {code, lead.length};
}

bool isControl(char32_t code) { return code < 0x20 || (code >= kDelete && code <= kLastC1); }

} // namespace

std::string printableText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const Decoded decoded = decodeUtf8(text);
        if (decoded.length == 0) {
            out += fmt::format("\\x{:02X}", static_cast<unsigned char>(text[0]));
            text.remove_prefix(1);
            continue;
        }
        if (decoded.code == '\n')
            out += "\\n";
        else if (decoded.code == '\r')
            out += "\\r";
        else if (decoded.code == '\t')
            out += "\\t";
        else if (isControl(decoded.code))
            out += fmt::format("\\x{:02X}", static_cast<unsigned>(decoded.code));
        else
            out.append(text.substr(0, decoded.length));
        text.remove_prefix(decoded.length);
    }
    return out;
}

std::size_t displayWidth(std::string_view printable)
{
    std::size_t width = 0;
    for (char c : printable)
        width += isContinuation(static_cast<unsigned char>(c)) ? 0 : 1;
    return width;
}

} // namespace zorv::admin
