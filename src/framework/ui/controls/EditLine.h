#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// One line of text as it is edited: the text, the caret and the other end of the selection
// (the anchor), both byte offsets at character boundaries. What lies between them is
// selected; typing replaces it.
class TEditLine {
 public:
  const std::string& Text() const { return FText; }
  // Replaces the text; the caret goes to its end, nothing selected.
  void SetText(const std::string& text);

  std::size_t Caret() const { return FCaret; }
  std::size_t SelStart() const { return FCaret < FAnchor ? FCaret : FAnchor; }
  std::size_t SelEnd() const { return FCaret < FAnchor ? FAnchor : FCaret; }
  bool HasSelection() const { return FCaret != FAnchor; }

  // Moves the caret to the character boundary at or before `at`; `extend` keeps the anchor.
  void MoveTo(std::size_t at, bool extend);
  // One character left or right; without `extend` a selection collapses to its edge first.
  void Left(bool extend);
  void Right(bool extend);
  void SelectAll();

  // Puts `text` in place of the selection, the caret after it.
  void Insert(std::string_view text);
  // Deletes the selection, or the character before (Backspace) or after (Delete) the caret.
  // Each returns whether the text changed.
  bool Backspace();
  bool Delete();

 private:
  std::size_t PreviousBoundary(std::size_t at) const;
  std::size_t NextBoundary(std::size_t at) const;
  void EraseSelection();

  std::string FText;
  std::size_t FCaret = 0;
  std::size_t FAnchor = 0;
};
