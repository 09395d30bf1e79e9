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

}  // namespace
