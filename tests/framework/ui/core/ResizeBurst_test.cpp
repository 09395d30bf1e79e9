// A burst of size changes reaches each form once, at the latest size, before any other input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ui/core/Form.h"
#include "support/HeadlessApp.h"

namespace {

using Headless = THeadlessWindowSystem;

class ResizeBurst : public ::testing::Test {
 protected:
  THeadlessApp H;
  std::vector<std::string> Log;

  TForm* ShownForm(const std::string& name) {
    TForm* form = nullptr;
    H.App.CreateForm(form);
    form->SetBounds(0, 0, 100, 80);
    form->OnResize = [this, form, name](TComponent*) {
      Log.push_back(name + " " + std::to_string(form->Width()) + "x" + std::to_string(form->Height()));
    };
    form->OnKeyDown = [this, form, name](TComponent*, unsigned&, TShiftState) {
      Log.push_back(name + " key at width " + std::to_string(form->Width()));
    };
    form->Show();
    H.App.ProcessMessages();
    return form;
  }

  void PushResize(TForm* form, int width, int height) {
    TWsEvent resized = Headless::Of(TEventKind::Resized, form->Handle());
    resized.Width = width;
    resized.Height = height;
    H.System->Push(resized);
  }
};

TEST_F(ResizeBurst, ReachesTheFormOnceAtTheLastSizeThroughThePaintingBetween) {
  TForm* form = ShownForm("A");
  for (int i = 1; i <= 200; ++i) {
    PushResize(form, 100 + i, 80 + i % 7);
    TWsEvent expose = Headless::Of(TEventKind::Expose, form->Handle());
    expose.Area = {0, 0, 100 + i, 80};
    H.System->Push(expose);
  }
  H.App.ProcessMessages();
  EXPECT_EQ(Log, (std::vector<std::string>{"A 300x84"}));
}

TEST_F(ResizeBurst, InputWaitsForTheSizesBeforeItAndEachWindowKeepsItsOwn) {
  TForm* a = ShownForm("A");
  TForm* b = ShownForm("B");
  PushResize(a, 120, 90);
  PushResize(b, 50, 40);
  PushResize(a, 130, 90);
  H.System->Push(Headless::Key('K', 0, a->Handle()));
  PushResize(a, 140, 90);
  H.App.ProcessMessages();
  EXPECT_EQ(Log, (std::vector<std::string>{"A 130x90", "B 50x40", "A key at width 130", "A 140x90"}));
}

TEST_F(ResizeBurst, HandleMessageTakesTheSizeWhenNothingElseWaits) {
  TForm* form = ShownForm("A");
  PushResize(form, 110, 90);
  PushResize(form, 111, 90);
  H.App.HandleMessage();
  H.App.HandleMessage();
  EXPECT_TRUE(Log.empty());
  H.System->At(5, [] {});  // something to wait for once the queue is empty
  H.App.HandleMessage();   // nothing left to read: the latest size is handled
  EXPECT_EQ(Log, (std::vector<std::string>{"A 111x90"}));
}

// The area marked at the old size must not reach past the smaller surface that is put.
TEST_F(ResizeBurst, AnAreaMarkedBeforeAHeldBackShrinkIsPaintedWithinTheNewSize) {
  TForm* form = ShownForm("A");
  TWsEvent expose = Headless::Of(TEventKind::Expose, form->Handle());
  expose.Area = {0, 0, 100, 80};
  H.System->Push(expose);
  PushResize(form, 50, 40);
  const int puts = H.System->PutPixelsCalls;
  EXPECT_NO_THROW(H.App.ProcessMessages());
  EXPECT_GT(H.System->PutPixelsCalls, puts);
  EXPECT_EQ(Log, (std::vector<std::string>{"A 50x40"}));
}

}  // namespace
