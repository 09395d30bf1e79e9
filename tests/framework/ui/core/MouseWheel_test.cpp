#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ui/controls/Panel.h"
#include "support/FormFixture.h"

namespace {

using MouseWheel = TFormFixture;

// Logs the wheel turns that reach a control and takes them when told to.
void Listen(TControl& control, std::vector<std::string>& log, bool take) {
  control.OnMouseWheel = [&log, take](TComponent* sender, TShiftState shift, int delta, TPoint at, bool& handled) {
    log.push_back(sender->Name + " " + std::to_string(delta) + " at " + std::to_string(at.X) + "," +
                  std::to_string(at.Y) + (shift & ssCtrl ? " ctrl" : ""));
    handled = take;
  };
}

TEST_F(MouseWheel, ATurnGoesToTheControlUnderThePointerInItsOwnCoordinatesThenUpUntilTaken) {
  std::vector<std::string> log;
  auto* outer = new TPanel(Form);
  outer->Name = "outer";
  outer->SetBounds(20, 10, 100, 80);
  outer->SetParent(Form);
  auto* inner = new TPanel(Form);
  inner->Name = "inner";
  inner->SetBounds(5, 6, 50, 40);
  inner->SetParent(outer);
  Form->Name = "form";
  Listen(*inner, log, false);
  Listen(*outer, log, true);
  Listen(*Form, log, true);
  ShowForm();

  TWsEvent turn = Headless::Wheel(-2, 30, 20, Form->Handle());
  turn.Shift = ssCtrl;
  Send(turn);
  EXPECT_EQ(log, (std::vector<std::string>{"inner -240 at 5,4 ctrl", "outer -240 at 10,10 ctrl"}));

  log.clear();
  Send(Headless::Wheel(1, 150, 100, Form->Handle()));
  EXPECT_EQ(log, (std::vector<std::string>{"form 120 at 150,100"}));
}

TEST_F(MouseWheel, ADisabledFormTakesNoTurn) {
  std::vector<std::string> log;
  Listen(*Form, log, true);
  ShowForm();
  Form->SetEnabled(false);
  Send(Headless::Wheel(1, 10, 10, Form->Handle()));
  EXPECT_TRUE(log.empty());
}

}  // namespace
