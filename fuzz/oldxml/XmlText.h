#pragma once
#include <cstddef>
#include <string>

namespace oldxml {

// Replaces the five named references and numeric character references
// (decimal, or x/X and hexadecimal: one UTF-16 code unit, written as UTF-8;
// one character after the digits is skipped). Any other "&" stays as written.
std::string DecodeEntities(const std::string& text);

// "&" not followed by "#", "<", ">", and both quotes become references.
std::string EncodeEntities(const std::string& text);

// Text that starts with the FF FE byte-order mark, as UTF-8 (the mark
// becomes EF BB BF), up to its first NUL character. A trailing odd byte is
// dropped; unpaired surrogates become U+FFFD.
std::string Utf16LeToUtf8(const std::string& bytes);

// The GetValue contract shared by the nodes: with no buffer, the stored
// length (never less than the decoded one); otherwise the text, decoded
// unless `raw`, NUL-terminated in `buffer`, and its length.
size_t CopyNodeText(const std::string& stored, char* buffer, bool raw);

}  // namespace oldxml
