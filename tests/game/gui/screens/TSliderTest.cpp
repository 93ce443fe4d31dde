// The slider: its value and knob place, the messages it sends its parent,
// its capture through a drag and when the capture is taken away, and its
// orientation and size read from the scripted table.
#include "game/gui/screens/TSlider.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/game/gui/screens/ScreenDialogKit.h"
#include "tests/support/SizedTexture.h"
#include "windows/core/TMessage.h"
#include "windows/kinds/TImage.h"

namespace GUI {
namespace {

using SliderMessages = std::vector<std::pair<int32_t, std::string>>;

// A parent that takes every message and notes it.
class MessageLog final : public TWindow {
 public:
  bool HandleMessage(TMessage& message) override {
    log.emplace_back(message.GetType(), message.GetName().CStr());
    return true;
  }
  SliderMessages log;
};

class SliderTest : public testing::Test {
 protected:
  SliderTest() {
    parent = rig.Add(std::make_unique<MessageLog>(), "sliderParent");
    parent->SetSize(400, 400);
  }

  // A slider of the given length with a 20 x 10 knob (across x along for a
  // vertical slider) and 16-wide rail pictures.
  TSlider* Make(bool horizontal, int32_t length, int32_t offset = 0) {
    std::unique_ptr<TWindow> owned = std::make_unique<TSlider>();
    auto* slider = static_cast<TSlider*>(owned.get());
    parent->AddChild(owned, false);
    slider->SetSize(horizontal ? length : 10, horizontal ? 10 : length);
    TSliderTable table;
    table.name = "level";
    table.horizontal = horizontal;
    table.offset = offset;
    slider->Configure(table);
    slider->SetRailImages(rail, rail, rail);
    slider->SetKnobImages(horizontal ? knobAlong : knob, horizontal ? knobAlongRoll : knobRoll);
    slider->SetValue(0.0f, true);
    return slider;
  }

  bool Captures(TSlider* slider) const {
    const std::vector<TWindow*>& captures = rig.manager.GetCaptures();
    return std::find(captures.begin(), captures.end(), slider) != captures.end();
  }

  ScreenDialogKit rig;
  MessageLog* parent = nullptr;
  std::shared_ptr<TTexture> rail = std::make_shared<SizedTexture>(16, 8);
  std::shared_ptr<TTexture> knob = std::make_shared<SizedTexture>(20, 10);
  std::shared_ptr<TTexture> knobRoll = std::make_shared<SizedTexture>(20, 10);
  std::shared_ptr<TTexture> knobAlong = std::make_shared<SizedTexture>(10, 20);
  std::shared_ptr<TTexture> knobAlongRoll = std::make_shared<SizedTexture>(10, 20);
};

struct SliderValueCase {
  const char* what;
  bool horizontal;
  float value;
  float stored;
  int32_t knobAlong;
};

TEST_F(SliderTest, SetValueClampsPlacesTheKnobWithinFivePerCentOfTheEndsAndTellsTheParent) {
  // A 210-long slider with a 10-long knob leaves 200 to move in.
  const SliderValueCase cases[] = {
      {"vertical 1.5", false, 1.5f, 1.0f, 190},  {"vertical 0", false, 0.0f, 0.0f, 10},
      {"vertical 0.5", false, 0.5f, 0.5f, 100},  {"horizontal 1.5", true, 1.5f, 1.0f, 190},
      {"horizontal -2", true, -2.0f, 0.0f, 10},  {"horizontal 0.25", true, 0.25f, 0.25f, 50},
  };
  for (const SliderValueCase& c : cases) {
    SCOPED_TRACE(c.what);
    parent->log.clear();
    TSlider* slider = Make(c.horizontal, 210);
    slider->SetValue(c.value, false);
    EXPECT_FLOAT_EQ(slider->GetValue(), c.stored);
    const TRect& place = slider->GetKnob()->GetRect();
    EXPECT_EQ(c.horizontal ? place.left : place.top, c.knobAlong);
    EXPECT_EQ(parent->log, (SliderMessages{{kSliderChanged, "level"}}));
  }
}

TEST_F(SliderTest, SilentValueSendsNothing) {
  TSlider* slider = Make(false, 210);
  slider->SetValue(0.7f, true);
  EXPECT_FLOAT_EQ(slider->GetValue(), 0.7f);
  EXPECT_TRUE(parent->log.empty());
}

TEST_F(SliderTest, DragPastTheEndHoldsOneAndReportsEveryMoveThenTheRelease) {
  TSlider* slider = Make(false, 210);
  const TRect knobPlace = slider->GetKnob()->GetRect();
  ASSERT_TRUE(slider->OnMouseDown(knobPlace.left + 2, knobPlace.top + 2));
  EXPECT_TRUE(Captures(slider));
  EXPECT_EQ(slider->GetKnob()->GetTexture(), knob);
  for (int32_t y : {150, 230, 400}) EXPECT_TRUE(slider->OnMouseMove(5, y));
  EXPECT_FLOAT_EQ(slider->GetValue(), 1.0f);
  EXPECT_EQ(slider->GetKnob()->GetTexture(), knobRoll);
  EXPECT_TRUE(slider->OnMouseUp(5, 400));
  EXPECT_FALSE(Captures(slider));
  EXPECT_FALSE(slider->IsDragging());
  EXPECT_EQ(parent->log, (SliderMessages{{kSliderChanged, "level"},
                                         {kSliderChanged, "level"},
                                         {kSliderChanged, "level"},
                                         {kSliderDragEnded, "level"}}));
}

TEST_F(SliderTest, ClicksOnTheRailPageBeforeOrAfterTheKnobWithoutMovingIt) {
  struct Click {
    bool horizontal;
    int32_t along;
    int32_t expected;
  };
  for (const Click& c : {Click{false, 2, kSliderPageBefore}, Click{false, 150, kSliderPageAfter},
                         Click{true, 2, kSliderPageBefore}, Click{true, 150, kSliderPageAfter}}) {
    parent->log.clear();
    TSlider* slider = Make(c.horizontal, 210);
    slider->SetValue(0.2f, true);
    const int32_t x = c.horizontal ? c.along : 5;
    const int32_t y = c.horizontal ? 5 : c.along;
    EXPECT_TRUE(slider->OnMouseDown(x, y));
    EXPECT_FLOAT_EQ(slider->GetValue(), 0.2f);
    EXPECT_FALSE(slider->IsDragging());
    EXPECT_EQ(parent->log, (SliderMessages{{c.expected, "level"}}));
  }
}

TEST_F(SliderTest, CaptureLostMidDragEndsTheDragAsAReleaseWould) {
  TSlider* slider = Make(false, 210);
  const TRect knobPlace = slider->GetKnob()->GetRect();
  slider->OnMouseDown(knobPlace.left, knobPlace.top);
  slider->OnMouseMove(5, 100);
  parent->log.clear();
  slider->OnCaptureLost();
  EXPECT_FALSE(slider->IsDragging());
  EXPECT_FALSE(Captures(slider));
  EXPECT_EQ(slider->GetKnob()->GetTexture(), knob);
  const float held = slider->GetValue();
  EXPECT_FALSE(slider->OnMouseMove(5, 200));
  EXPECT_FLOAT_EQ(slider->GetValue(), held);
  EXPECT_EQ(parent->log, (SliderMessages{{kSliderDragEnded, "level"}}));
}

// Through the window manager, which tells a capture window that its capture
// is lost before each event it hands it from outside it: the drag follows
// the pointer past the slider's end until the release, while a capture
// really lost (the pointer left the program's window) stays lost.
TEST_F(SliderTest, ThroughTheWindowManagerADragGoesOnPastTheEndUntilTheCaptureIsReallyLost) {
  struct RoutedDrag {
    const char* what;
    std::vector<TEvent> afterPress;
    float value;
    SliderMessages messages;
  };
  const TEvent inside{kEventMouseMove, 0, 5, 100};
  const TEvent pastTheEnd{kEventMouseMove, 0, 300, 300};
  const TEvent releasedPastTheEnd{kEventLeftUp, 0, 300, 300};
  const TEvent lost{kEventMouseLost, 0, 300, 300};
  const float insideValue = 100.0f / 210.0f;
  for (const RoutedDrag& c : {
           RoutedDrag{"past the end and released there",
                      {inside, pastTheEnd, releasedPastTheEnd},
                      1.0f,
                      {{kSliderChanged, "level"}, {kSliderDragEnded, "level"}, {kSliderChanged, "level"},
                       {kSliderDragEnded, "level"}}},
           RoutedDrag{"capture lost, then past the end",
                      {inside, lost, pastTheEnd},
                      insideValue,
                      {{kSliderChanged, "level"}, {kSliderDragEnded, "level"}}},
       }) {
    SCOPED_TRACE(c.what);
    TSlider* slider = Make(false, 210);
    const TRect knobPlace = slider->GetKnob()->GetScreenRect();
    rig.manager.HandleEvent(TEvent{kEventLeftDown, 0, knobPlace.left + 2, knobPlace.top + 2});
    ASSERT_TRUE(slider->IsDragging());
    parent->log.clear();
    for (const TEvent& event : c.afterPress) rig.manager.HandleEvent(event);
    EXPECT_FLOAT_EQ(slider->GetValue(), c.value);
    EXPECT_FALSE(slider->IsDragging());
    EXPECT_FALSE(Captures(slider));
    EXPECT_EQ(parent->log, c.messages);
    rig.manager.HandleEvent(TEvent{kEventLeftUp, 0, 300, 300});
    parent->RemoveChild(slider);
  }
}

TEST_F(SliderTest, ZeroLengthSliderIgnoresTheDrag) {
  TSlider* slider = Make(false, 0);
  slider->OnMouseDown(0, 0);
  ASSERT_TRUE(slider->IsDragging());
  parent->log.clear();
  EXPECT_TRUE(slider->OnMouseMove(0, 50));
  EXPECT_FLOAT_EQ(slider->GetValue(), 0.0f);
  EXPECT_TRUE(parent->log.empty());
}

TEST_F(SliderTest, TableOrientationAndSize) {
  struct Orientation {
    const char* what;
    double width;
    double height;
    bool hslider;
    bool horizontal;
  };
  for (const Orientation& c : {Orientation{"w 200 h 20", 200, 20, false, true},
                               Orientation{"w 20 h 200", 20, 200, false, false},
                               Orientation{"hslider", 20, 200, true, true}}) {
    SCOPED_TRACE(c.what);
    std::unique_ptr<TWindow> owned = std::make_unique<TSlider>();
    auto* slider = static_cast<TSlider*>(owned.get());
    parent->AddChild(owned, false);
    slider->SetSize(static_cast<int32_t>(c.width), static_cast<int32_t>(c.height));
    TSliderTable table;
    table.width = c.width;
    table.height = c.height;
    table.horizontal = c.hslider;
    slider->Configure(table);
    EXPECT_EQ(slider->IsHorizontal(), c.horizontal);
  }
}

TEST_F(SliderTest, ThicknessIsTheWidestRailOrOffsetAndKnob) {
  TSlider* slider = Make(false, 210, 3);
  EXPECT_EQ(slider->GetWidth(), 23);  // 3 + the 20-wide knob beats the 16-wide rail
  EXPECT_EQ(slider->GetHeight(), 210);
  TSlider* missing = Make(true, 300);
  missing->SetRailImages(nullptr, nullptr, nullptr);
  EXPECT_EQ(missing->GetWidth(), 300);
  EXPECT_EQ(missing->GetHeight(), 20);  // the knob's extent across
}

TEST_F(SliderTest, InvalidateRectDeclinesNullAndWidensToTheWholeSlider) {
  TSlider* slider = Make(false, 210);
  EXPECT_FALSE(slider->InvalidateRect(nullptr));
  TRect rect(1, 1, 2, 2);
  EXPECT_TRUE(slider->InvalidateRect(&rect));
  EXPECT_EQ(rect.right, slider->GetWidth());
  EXPECT_EQ(rect.bottom, 210);
}

}  // namespace
}  // namespace GUI
