#include "Exceptions.h"

#include <cctype>
#include <cstdint>

namespace {

bool ParseDigits(const std::string& text, std::size_t pos, int base, std::int64_t& value) {
  if (pos >= text.size()) return false;
  value = 0;
  for (; pos < text.size(); ++pos) {
    const int c = static_cast<unsigned char>(text[pos]);
    int digit;
    if (std::isdigit(c)) digit = c - '0';
    else if (base == 16 && std::isxdigit(c)) digit = std::tolower(c) - 'a' + 10;
    else return false;
    value = value * base + digit;
    if (value > (std::int64_t{1} << 32)) return false;
  }
  return true;
}

}  // namespace

int StrToInt(const std::string& text) {
  const auto fail = [&] { return EConvertError("'" + text + "' is not a valid integer value"); };
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  const std::string body = text.substr(begin, end - begin);
  std::size_t pos = 0;
  bool negative = false;
  if (pos < body.size() && (body[pos] == '-' || body[pos] == '+')) negative = body[pos++] == '-';
  int base = 10;
  if (pos < body.size() && body[pos] == '$') {
    base = 16;
    ++pos;
  }
  std::int64_t value = 0;
  if (!ParseDigits(body, pos, base, value)) throw fail();
  if (negative) value = -value;
  if (base == 10 && (value > INT32_MAX || value < INT32_MIN)) throw fail();
  if (base == 16 && (value > UINT32_MAX || value < INT32_MIN)) throw fail();
  return static_cast<int>(static_cast<std::uint32_t>(value));
}
