#include "Utf8.h"

namespace {

// The length of the well-formed sequence at `at`, or 0.
std::size_t SequenceLength(std::string_view text, std::size_t at, char32_t& codePoint) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  char32_t value = 0;
  char32_t smallest = 0;
  if (lead >= 0xC0 && lead < 0xE0) {
    length = 2, value = lead & 0x1Fu, smallest = 0x80;
  } else if (lead >= 0xE0 && lead < 0xF0) {
    length = 3, value = lead & 0x0Fu, smallest = 0x800;
  } else if (lead >= 0xF0 && lead < 0xF5) {
    length = 4, value = lead & 0x07u, smallest = 0x10000;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0u) != 0x80u) return 0;
    value = (value << 6) | (next & 0x3Fu);
  }
  const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
  if (value < smallest || value > 0x10FFFF || surrogate) return 0;
  codePoint = value;
  return length;
}

// The bytes of the character at `at`: a well-formed sequence, or one stray byte.
std::size_t CharacterLength(std::string_view text, std::size_t at, char32_t& codePoint) {
  const std::size_t length = SequenceLength(text, at, codePoint);
  if (length != 0) return length;
  codePoint = static_cast<unsigned char>(text[at]);
  return 1;
}

}  // namespace

char32_t NextCodePoint(std::string_view text, std::size_t& at) {
  char32_t codePoint = 0;
  at += CharacterLength(text, at, codePoint);
  return codePoint;
}

std::u32string DecodeUtf8(std::string_view text) {
  std::u32string result;
  result.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) result.push_back(NextCodePoint(text, at));
  return result;
}

std::vector<std::string> Utf8Characters(std::string_view text) {
  std::vector<std::string> result;
  for (std::size_t at = 0; at < text.size();) {
    char32_t codePoint = 0;
    const std::size_t length = CharacterLength(text, at, codePoint);
    result.emplace_back(text.substr(at, length));
    at += length;
  }
  return result;
}
