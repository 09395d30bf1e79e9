#include "WrappedText.h"

#include <algorithm>
#include <sstream>

#include "framework/base/Utf8.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/TextPainter.h"

namespace {

const std::string kEllipsis = "\xE2\x80\xA6";

class TLineBreaker {
 public:
  TLineBreaker(const TFont& font, int maxWidth) : FPainter(font), FMaxWidth(maxWidth) {}

  bool Fits(const std::string& text) const { return FPainter.Extent(text).cx <= FMaxWidth; }

  // The most characters of `word` kept around an ellipsis in its middle that still fit.
  std::string CutInTheMiddle(const std::string& word) const {
    const std::vector<std::string> characters = Utf8Characters(word);
    return Longest(characters.size(), [&](std::size_t kept) {
      const std::size_t head = (kept + 1) / 2, tail = kept / 2;
      return Join(characters, 0, head) + kEllipsis + Join(characters, characters.size() - tail, characters.size());
    });
  }

  // `line` with an ellipsis after as many of its characters as fit.
  std::string CutAtTheEnd(const std::string& line) const {
    const std::vector<std::string> characters = Utf8Characters(line);
    return Longest(characters.size(), [&](std::size_t kept) { return Join(characters, 0, kept) + kEllipsis; });
  }

  void Break(const std::string& paragraph, std::vector<std::string>& lines) const {
    std::istringstream words(paragraph);
    std::string line;
    for (std::string word; words >> word;) {
      if (!Fits(word)) {
        if (!line.empty()) lines.push_back(line);
        lines.push_back(CutInTheMiddle(word));
        line.clear();
      } else if (line.empty() || Fits(line + ' ' + word)) {
        line += (line.empty() ? "" : " ") + word;
      } else {
        lines.push_back(line);
        line = word;
      }
    }
    if (!line.empty() || paragraph.find_first_not_of(' ') == std::string::npos) lines.push_back(line);
  }

 private:
  static std::string Join(const std::vector<std::string>& characters, std::size_t from, std::size_t to) {
    std::string joined;
    for (std::size_t i = from; i < to; ++i) joined += characters[i];
    return joined;
  }

  // The text `make` gives for the largest count up to `most` whose text fits (the count 0
  // when none does): the width grows with the count, so a binary search finds it.
  template <class F>
  std::string Longest(std::size_t most, F make) const {
    std::size_t low = 0, high = most;
    while (low < high) {
      const std::size_t middle = (low + high + 1) / 2;
      if (Fits(make(middle))) low = middle;
      else high = middle - 1;
    }
    return make(low);
  }

  TTextPainter FPainter;
  int FMaxWidth;
};

}  // namespace

std::vector<std::string> WrapText(const std::string& text, const TFont& font, int maxWidth, int maxLines) {
  const TLineBreaker breaker(font, maxWidth);
  std::vector<std::string> lines;
  std::istringstream paragraphs(text);
  for (std::string paragraph; std::getline(paragraphs, paragraph);) breaker.Break(paragraph, lines);
  if (lines.empty()) lines.emplace_back();
  const auto most = static_cast<std::size_t>(std::max(maxLines, 1));
  if (lines.size() > most) {
    lines.resize(most);
    lines.back() = breaker.CutAtTheEnd(lines.back());
  }
  return lines;
}
