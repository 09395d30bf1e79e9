#include "support/FormFixture.h"

namespace {

class FormWindow : public TFormFixture {};

TEST_F(FormWindow, RepaintsWhenItIsInvalidatedAsAWholeAsWhenItIsDisabledOrEnabled) {
  int paints = 0;
  Form->OnPaint = [&](TComponent*) { ++paints; };
  ShowForm();
  const int shown = paints;
  Form->SetEnabled(false);
  H.App.ProcessMessages();
  EXPECT_EQ(paints, shown + 1);
  Form->SetEnabled(true);
  H.App.ProcessMessages();
  EXPECT_EQ(paints, shown + 2);
  Form->Invalidate();
  H.App.ProcessMessages();
  EXPECT_EQ(paints, shown + 3);
}

// Left and Top are the client area's; the window manager's frame goes round it.
TEST_F(FormWindow, ACentredFormCentresItsFrameOnceTheWindowManagerTellsItsWidths) {
  Form->Position = TPosition::poScreenCenter;
  ShowForm();
  const auto bounds = [&] { return H.System->Window(Form->Handle())->Bounds; };
  EXPECT_EQ(bounds(), Bounds((1024 - 200) / 2, (768 - 120) / 2, 200, 120));
  TWsEvent frame = Headless::Of(TEventKind::FrameExtents, Form->Handle());
  frame.Area = {1, 20, 3, 5};  // left, top, right and bottom widths
  Send(frame);
  const TRect centred = Bounds((1024 - 204) / 2 + 1, (768 - 145) / 2 + 20, 200, 120);
  EXPECT_EQ(bounds(), centred);
  // Later news of the frame leave the window where the user may have moved it.
  frame.Area = {4, 4, 4, 4};
  Send(frame);
  EXPECT_EQ(bounds(), centred);
  // Shown again, it counts with the frame it knows.
  Form->Hide();
  ShowForm();
  EXPECT_EQ(bounds(), Bounds((1024 - 208) / 2 + 4, (768 - 128) / 2 + 4, 200, 120));
}

TEST_F(FormWindow, AFormPlacedWhereItsDescriptionSaysStaysThereWhateverItsFrame) {
  Form->SetBounds(30, 40, 200, 120);
  ShowForm();
  TWsEvent frame = Headless::Of(TEventKind::FrameExtents, Form->Handle());
  frame.Area = {1, 20, 3, 5};
  Send(frame);
  EXPECT_EQ(H.System->Window(Form->Handle())->Bounds, Bounds(30, 40, 200, 120));
}

// Neither the program nor a window manager that ignores the least size makes the form smaller.
TEST_F(FormWindow, KeepsItsLeastSizeWhoeverAsksForLessAndTellsTheWindowSystem) {
  Form->Constraints = {150, 100};
  ShowForm();
  EXPECT_EQ(H.System->Window(Form->Handle())->Params.MinSize, (TSize{150, 100}));
  Form->SetBounds(10, 10, 80, 300);
  EXPECT_EQ(Form->BoundsRect(), Bounds(10, 10, 150, 300));
  TWsEvent resized = Headless::Of(TEventKind::Resized, Form->Handle());
  resized.Width = 400;
  resized.Height = 60;
  Send(resized);
  EXPECT_EQ(Form->BoundsRect(), Bounds(10, 10, 400, 100));
  EXPECT_EQ(H.System->Window(Form->Handle())->Bounds, Bounds(10, 10, 400, 100));
}

}  // namespace
