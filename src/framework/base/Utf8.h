#pragma once
#include <string>
#include <string_view>
#include <vector>

// The code points of a UTF-8 string. A byte that does not start a well-formed sequence stands
// for itself (as in Latin-1), so that no text is lost or rejected.
std::u32string DecodeUtf8(std::string_view text);

// The code point of the character at `at`, with `at` moved past it: a loop over text that
// allocates nothing. `at` must lie before the end.
char32_t NextCodePoint(std::string_view text, std::size_t& at);

// The characters of a UTF-8 string, each as its own bytes, split where DecodeUtf8 splits.
std::vector<std::string> Utf8Characters(std::string_view text);
