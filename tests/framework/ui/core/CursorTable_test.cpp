#include <gtest/gtest.h>

#include "framework/ui/controls/Image.h"
#include "framework/ui/core/CursorResources.h"
#include "framework/ui/core/Screen.h"
#include "support/FormFixture.h"

namespace {

using CursorTable = TFormFixture;

TEST_F(CursorTable, TheFrameworksPicturesAreWholeTwoColourImagesWithTheirHotSpotInside) {
  for (const char* name : {"PANNING", "ZOOMMORE", "ZOOMLESS"}) {
    const TCursorImage* image = FindCursorResource(name);
    ASSERT_NE(image, nullptr) << name;
    EXPECT_EQ(image->Width(), 16) << name;
    EXPECT_EQ(image->Height(), 16) << name;
    for (std::string_view row : image->Rows) {
      EXPECT_EQ(static_cast<int>(row.size()), image->Width()) << name;
      EXPECT_EQ(row.find_first_not_of(" .X"), std::string_view::npos) << name;
    }
    EXPECT_TRUE((TRect{0, 0, image->Width(), image->Height()}.Contains(image->HotSpot.X, image->HotSpot.Y)));
  }
  EXPECT_EQ(FindCursorResource("ARROW"), nullptr);
}

TEST_F(CursorTable, ASlotShowsItsPictureOnceFilledAndTheDisplayMakesItOnce) {
  auto* image = new TImage(Form);
  image->SetBounds(0, 0, 50, 50);
  image->SetParent(Form);
  image->SetCursor(2);
  ShowForm();
  auto shown = [&] { return H.System->Window(Form->Handle())->Cursor; };
  MoveTo(10, 10);
  EXPECT_EQ(shown(), crDefault) << "an empty slot shows the default arrow";

  const TCursorImage* zoom = FindCursorResource("ZOOMMORE");
  Screen->SetCursorImage(2, zoom);
  Screen->SetCursorImage(2, zoom);
  EXPECT_EQ(H.System->CursorDefinitions, 1);
  EXPECT_EQ(H.System->CursorImages.at(2).Rows, zoom->Rows);
  MoveTo(11, 10);
  EXPECT_EQ(shown(), 2);

  Screen->SetCursorImage(2, nullptr);
  MoveTo(12, 10);
  EXPECT_EQ(shown(), crDefault);
}

}  // namespace
