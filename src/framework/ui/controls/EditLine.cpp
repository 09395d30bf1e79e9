#include "EditLine.h"

#include "framework/base/Utf8.h"

void TEditLine::SetText(const std::string& text) {
  FText = text;
  FCaret = FAnchor = FText.size();
}

// Boundaries are where decoding puts them, so that a stray byte is one character too.
std::size_t TEditLine::NextBoundary(std::size_t at) const {
  if (at >= FText.size()) return FText.size();
  NextCodePoint(FText, at);
  return at;
}

std::size_t TEditLine::PreviousBoundary(std::size_t at) const {
  std::size_t previous = 0;
  for (std::size_t next = 0; next < at; next = NextBoundary(next)) previous = next;
  return previous;
}

void TEditLine::MoveTo(std::size_t at, bool extend) {
  if (at > FText.size()) at = FText.size();
  // The boundary at or before `at`.
  std::size_t boundary = 0;
  while (boundary < at) {
    const std::size_t next = NextBoundary(boundary);
    if (next > at) break;
    boundary = next;
  }
  FCaret = boundary;
  if (!extend) FAnchor = FCaret;
}

void TEditLine::Left(bool extend) {
  if (HasSelection() && !extend) return MoveTo(SelStart(), false);
  MoveTo(PreviousBoundary(FCaret), extend);
}

void TEditLine::Right(bool extend) {
  if (HasSelection() && !extend) return MoveTo(SelEnd(), false);
  MoveTo(NextBoundary(FCaret), extend);
}

void TEditLine::SelectAll() {
  FAnchor = 0;
  FCaret = FText.size();
}

void TEditLine::EraseSelection() {
  const std::size_t start = SelStart();
  FText.erase(start, SelEnd() - start);
  FCaret = FAnchor = start;
}

void TEditLine::Insert(std::string_view text) {
  EraseSelection();
  FText.insert(FCaret, text);
  FCaret = FAnchor = FCaret + text.size();
}

bool TEditLine::Backspace() {
  if (!HasSelection()) {
    if (FCaret == 0) return false;
    FAnchor = PreviousBoundary(FCaret);
  }
  EraseSelection();
  return true;
}

bool TEditLine::Delete() {
  if (!HasSelection()) {
    if (FCaret == FText.size()) return false;
    FAnchor = NextBoundary(FCaret);
  }
  EraseSelection();
  return true;
}
