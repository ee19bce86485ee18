#include "fuzz/oldxml/XmlText.h"

#include <cstring>

namespace oldxml {

namespace {

void AppendUtf8(std::string& out, unsigned code)
{
    if (code >= 0xD800 && code <= 0xDFFF)
        code = 0xFFFD;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

int DigitValue(char c, bool hex)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hex && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

struct NamedEntity {
    const char* text;
    size_t length;
    char replacement;
};

const NamedEntity kNamed[] = {
    {"&amp;", 5, '&'}, {"&quot;", 6, '"'}, {"&apos;", 6, '\''}, {"&lt;", 4, '<'}, {"&gt;", 4, '>'},
};

}  // namespace

std::string DecodeEntities(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    const size_t size = text.size();
    size_t i = 0;
    while (i < size) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        bool named = false;
        for (const NamedEntity& entity : kNamed) {
            if (text.compare(i, entity.length, entity.text) == 0) {
                out += entity.replacement;
                i += entity.length;
                named = true;
                break;
            }
        }
        if (named)
            continue;
        if (i + 1 < size && text[i + 1] == '#') {
            size_t p = i + 2;
            bool hex = p < size && (text[p] == 'x' || text[p] == 'X');
            if (hex)
                ++p;
            size_t digitsStart = p;
            unsigned value = 0;  // kept modulo 65536: one UTF-16 code unit
            int digit;
            while (p < size && (digit = DigitValue(text[p], hex)) >= 0) {
                value = (value * (hex ? 16u : 10u) + static_cast<unsigned>(digit)) & 0xFFFFu;
                ++p;
            }
            // A NUL would cut the text short for every C-string reader.
            if (p > digitsStart && value != 0)
                AppendUtf8(out, value);
            if (p < size)
                ++p;  // the ";" (or whatever stands there)
            i = p;
            continue;
        }
        out += text[i++];
    }
    return out;
}

std::string EncodeEntities(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        switch (c) {
        case '&':
            out += (i + 1 < text.size() && text[i + 1] == '#') ? "&" : "&amp;";
            break;
        case '>': out += "&gt;"; break;
        case '<': out += "&lt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c; break;
        }
    }
    return out;
}

std::string Utf16LeToUtf8(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    const size_t units = bytes.size() / 2;
    for (size_t i = 0; i < units; ++i) {
        unsigned unit = static_cast<unsigned char>(bytes[2 * i]) |
                        (static_cast<unsigned>(static_cast<unsigned char>(bytes[2 * i + 1])) << 8);
        if (unit == 0)
            break;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
            unsigned next = static_cast<unsigned char>(bytes[2 * i + 2]) |
                            (static_cast<unsigned>(static_cast<unsigned char>(bytes[2 * i + 3]))
                             << 8);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, unit);
    }
    return out;
}

size_t CopyNodeText(const std::string& stored, char* buffer, bool raw)
{
    if (!buffer)
        return stored.size();
    std::string text = raw ? stored : DecodeEntities(stored);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return text.size();
}

}  // namespace oldxml
