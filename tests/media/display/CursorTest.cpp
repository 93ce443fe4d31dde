// The software cursor, read back from the front surface: its place under
// the pointer, no trails, the system arrow where it cannot be drawn, the
// frame hooks, loss and restore, and the poll thread against the frames.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "system/window/Message.h"
#include "tests/media/texture/TextureRig.h"

namespace {

using sys::gfx::AdapterOperation;
using sys::gfx::Result;

constexpr uint32_t kKey = 0xFFFF00FF;  // magenta: left out when drawn
constexpr uint32_t kHot = 0xFF00FF00;
constexpr uint32_t kBody = 0xFFFFFFFF;
constexpr int32_t kSide = 8;
constexpr int32_t kHotX = 3;
constexpr int32_t kHotY = 2;

// The picture frames show, one colour for each pixel of the client area.
uint32_t Background(int32_t x, int32_t y) {
  return 0xFF000000u | static_cast<uint32_t>(x * 7 & 0xFF) << 16 | static_cast<uint32_t>(y * 5 & 0xFF) << 8 |
         static_cast<uint32_t>((x + y) & 0x7F);
}

// An 8 x 8 arrow: white, the hot pixel green, the last column keyed out.
uint32_t Arrow(int32_t x, int32_t y) {
  if (x == kSide - 1) return kKey;
  return x == kHotX && y == kHotY ? kHot : kBody;
}

class CursorTest : public TextureRig {
 protected:
  void SetUp() override {
    native->x = 100;
    native->y = 50;
    TextureRig::SetUp();
    Store("arrow.png", PngOf(kSide, kSide, Arrow, false));
    arrow = TTexture::Get("arrow", 0);
    ASSERT_TRUE(arrow);
  }
  TDXContext& Context() { return *Data().mContext; }
  sys::gfx::Surface& Front() { return *Context().GetFrontBuffer(); }
  sys::gfx::Rect Client() { return Context().GetDisplay().GetScreenRect(); }
  // Client pixels of the front surface.
  uint32_t FrontAt(int32_t x, int32_t y) { return ColourAt(Front(), Client().left + x, Client().top + y); }

  // The pointer moves in the window and the pump asks the display where.
  void PointAt(int32_t x, int32_t y) {
    native->MoveTo(x, y);
    sys::Message message;
    while (window->TakeMessage(message)) {
    }
    display->GetMousePos();
  }
  TMousePosition Poll() {
    platform.time += 16;
    return display->UpdateMouse(-1, -1);
  }
  // A frame of the background, shown with the cursor.
  void ShowFrame() {
    ASSERT_TRUE(display->BeginDraw(true));
    sys::gfx::LockedPixels locked;
    ASSERT_EQ(Back().Lock(nullptr, locked), Result::Ok);
    const uint32_t bytes = locked.format.BytesPerPixel();
    for (int32_t y = 0; y < locked.height; ++y) {
      for (int32_t x = 0; x < locked.width; ++x) {
        sys::gfx::WritePixel(locked.bits + y * locked.pitch + x * bytes, bytes,
                             sys::gfx::PixelFromArgb(locked.format, Background(x, y)));
      }
    }
    Back().Unlock();
    display->EndDraw(true);
  }
  // A colour as the screen's format keeps it.
  uint32_t OnScreen(uint32_t colour) {
    return sys::gfx::ArgbFromPixel(Back().Format(), sys::gfx::PixelFromArgb(Back().Format(), colour));
  }
  // Client pixels of the front that differ from the background with the
  // cursor's hot spot at (x, y), or with no cursor when x is -1.
  int CountWrong(int32_t x, int32_t y) {
    int wrong = 0;
    const std::vector<uint32_t> pixels = Pixels(Front());
    const sys::gfx::Rect client = Client();
    for (int32_t py = 0; py < client.Height(); ++py) {
      for (int32_t px = 0; px < client.Width(); ++px) {
        uint32_t expected = Background(px, py);
        const int32_t ix = px - x + kHotX, iy = py - y + kHotY;
        if (x >= 0 && ix >= 0 && iy >= 0 && ix < kSide && iy < kSide && Arrow(ix, iy) != kKey) expected = Arrow(ix, iy);
        expected = OnScreen(expected);
        const size_t at = static_cast<size_t>(client.top + py) * static_cast<size_t>(Front().Width()) +
                          static_cast<size_t>(client.left + px);
        wrong += pixels[at] != expected;
      }
    }
    return wrong;
  }

  std::shared_ptr<TTexture> arrow;
};

TEST_F(CursorTest, ThePollFindsNoPositionUntilAnImageIsSet) {
  EXPECT_EQ(Poll().x, -1);
  PointAt(200, 150);
  EXPECT_EQ(Poll().x, -1) << "known, but no image";
  ASSERT_TRUE(display->SetMouseImage(arrow, kHotX, kHotY));
  EXPECT_EQ(Poll().x, 200);
  EXPECT_EQ(display->GetMousePos().y, 150);
}

TEST_F(CursorTest, TheHotSpotPixelLiesUnderThePointerAndTheKeyShowsTheBackground) {
  ShowFrame();
  ASSERT_TRUE(display->SetMouseImage(arrow, kHotX, kHotY));
  PointAt(200, 150);
  Poll();
  EXPECT_EQ(FrontAt(200, 150), kHot);
  EXPECT_EQ(FrontAt(200 - kHotX, 150 - kHotY), kBody);
  EXPECT_EQ(FrontAt(200 - kHotX + kSide - 1, 150), Background(200 - kHotX + kSide - 1, 150));
  EXPECT_EQ(CountWrong(200, 150), 0);
}

TEST_F(CursorTest, SmallMovesLeaveNoTrail) {
  ShowFrame();
  ASSERT_TRUE(display->SetMouseImage(arrow, kHotX, kHotY));
  for (int32_t step = 0; step < 12; ++step) {
    PointAt(300 + step * 2, 200 + step % 3);
    Poll();
    ASSERT_EQ(CountWrong(300 + step * 2, 200 + step % 3), 0) << step;
  }
  display->UpdateCursorBounds();
  EXPECT_EQ(CountWrong(-1, -1), 0) << "hidden, the background is whole again";
  EXPECT_EQ(Poll().x, -1) << "the pointer left: no position until it moves in again";
}

TEST_F(CursorTest, AnImageCrossingTheDesktopsRightEdgeFallsBackToTheSystemArrow) {
  native->x = 224;  // the client area ends at the desktop's right edge
  Open();
  ASSERT_TRUE(display->SetMouseImage(arrow, kHotX, kHotY));
  const int before = platform.arrowShown.load();
  PointAt(797, 300);
  Poll();
  EXPECT_EQ(platform.arrowShown.load(), before + 1);
  EXPECT_EQ(FrontAt(797, 300), 0xFF000000u) << "nothing drawn";
  PointAt(790, 300);
  Poll();
  EXPECT_EQ(FrontAt(790, 300), kHot);
}

TEST_F(CursorTest, AFrameShowsTheCursorAndKeepsItOutOfTheBackBuffer) {
  ASSERT_TRUE(display->SetMouseImage(arrow, kHotX, kHotY));
  PointAt(400, 300);
  ShowFrame();
  EXPECT_EQ(CountWrong(400, 300), 0);
  EXPECT_EQ(ColourAt(Back(), 400, 300), Background(400, 300));
  PointAt(420, 310);
  Poll();
  EXPECT_EQ(CountWrong(420, 310), 0) << "moved from where the frame put it";
}

TEST_F(CursorTest, AWindowedUpdateAtAnExplicitPositionShowsTheSystemArrow) {
  ASSERT_TRUE(display->SetMouseImage(arrow, kHotX, kHotY));
  PointAt(100, 100);
  const int before = platform.arrowShown.load();
  Context().UpdateMouse(100, 100, false);
  EXPECT_EQ(platform.arrowShown.load(), before + 1);
  EXPECT_TRUE(display->UpdateSystemCursor()) << "the window's next cursor request hides it again";
  EXPECT_GE(platform.arrowHidden.load(), 1);
}

TEST_F(CursorTest, WithoutAnImageTheWindowKeepsItsArrowUnlessTheCursorIsOff) {
  EXPECT_FALSE(display->UpdateSystemCursor());
  platform.cursorEnabled = false;
  EXPECT_TRUE(display->UpdateSystemCursor());
  platform.cursorEnabled = true;
  ASSERT_TRUE(display->SetMouseImage(arrow, kHotX, kHotY));
  EXPECT_EQ(Context().IsCursorShown(), arrow);
  ASSERT_TRUE(display->SetMouseImage(nullptr, 0, 0));
  EXPECT_FALSE(Context().IsCursorShown());
}

TEST_F(CursorTest, APositionBeyondTheClientAreaHidesTheCursor) {
  ShowFrame();
  ASSERT_TRUE(display->SetMouseImage(arrow, kHotX, kHotY));
  PointAt(200, 150);
  Poll();
  PointAt(900, 150);
  Poll();
  EXPECT_EQ(CountWrong(-1, -1), 0);
}

TEST_F(CursorTest, TheClientRectangleIsReadAgainWhenThePointerComesIn) {
  ASSERT_TRUE(display->SetMouseImage(arrow, kHotX, kHotY));
  native->x = 150;
  display->OnWindowMoved();
  EXPECT_EQ(Client().left, 150);
}

TEST_F(CursorTest, TheDrawingScaleDividesThePositionAndAScaleOfZeroCountsAsOne) {
  platform.embedded = true;
  platform.displayScale = 0.5f;
  Open();
  PointAt(100, 60);
  TMousePosition position = display->GetMousePos();
  EXPECT_EQ(position.x, 200);
  EXPECT_EQ(position.y, 120);
  platform.displayScale = 0.0f;
  position = display->GetMousePos();
  EXPECT_EQ(position.x, 100);
  EXPECT_EQ(position.y, 60);
}

class FullScreenCursorTest : public CursorTest {
 protected:
  void SetUp() override {
    config.modes.push_back({1024, 768, 32});
    config.modes.push_back({1024, 768, 16});
    MakeAdapter();
    CursorTest::SetUp();
    Open(1024, 768, true);
  }
};

TEST_F(FullScreenCursorTest, AFrameStartsFromTheLastPictureWithoutTheCursor) {
  ASSERT_TRUE(display->SetMouseImage(arrow, kHotX, kHotY));
  PointAt(1000, 700);
  ShowFrame();
  EXPECT_EQ(FrontAt(1000, 700), kHot) << "the back buffer's clip is the display, not 800 x 600";
  EXPECT_EQ(CountWrong(1000, 700), 0);
  PointAt(1004, 703);
  Poll();
  EXPECT_EQ(CountWrong(1004, 703), 0) << "the cursor the flip showed is erased from the front";
  ASSERT_TRUE(display->BeginDraw(true));
  EXPECT_EQ(ColourAt(Back(), 1004, 703), Background(1004, 703));
  EXPECT_EQ(ColourAt(Back(), 1000, 700), Background(1000, 700));
  display->EndDraw(false);
}

// Whatever channels the cursor's picture has, its magenta is left out at
// either screen depth: the key is the picture's own magenta, compared on the
// colour channels only.
TEST_F(FullScreenCursorTest, EveryKindOfCursorPictureLeavesItsMagentaOut) {
  const std::vector<png_color> palette = {{0xFF, 0xFF, 0xFF}, {0x00, 0xFF, 0x00}, {0xFF, 0x00, 0xFF}};
  std::vector<uint8_t> indices;
  for (int32_t y = 0; y < kSide; ++y) {
    for (int32_t x = 0; x < kSide; ++x) indices.push_back(Arrow(x, y) == kKey ? 2 : Arrow(x, y) == kHot ? 1 : 0);
  }
  struct Kind {
    const char* name;
    std::string png;
  };
  const Kind kinds[] = {{"rgb", PngOf(kSide, kSide, Arrow, false)},
                        {"rgba", PngOf(kSide, kSide, Arrow, true)},
                        {"palette", PalettePngOf(kSide, kSide, indices, palette)}};
  for (uint32_t depth : {16u, 32u}) {
    for (const Kind& kind : kinds) {
      const std::string name = std::string("arrow-") + kind.name + "-" + std::to_string(depth) + ".png";
      SCOPED_TRACE(name);
      Open(1024, 768, true, depth);
      ASSERT_EQ(Back().Format().bitCount, depth);
      Store(name, kind.png);
      std::shared_ptr<TTexture> picture = TTexture::Get(name.c_str(), 0);
      ASSERT_TRUE(picture);
      ASSERT_TRUE(display->SetMouseImage(picture, kHotX, kHotY));
      PointAt(200, 150);
      ShowFrame();
      EXPECT_EQ(FrontAt(200, 150), OnScreen(kHot));
      EXPECT_EQ(FrontAt(200 - kHotX + kSide - 1, 150), OnScreen(Background(200 - kHotX + kSide - 1, 150)));
      EXPECT_EQ(CountWrong(200, 150), 0);
    }
  }
}

TEST_F(CursorTest, ALostSurfaceStopsTheCursorUntilTheListenerReinstallsTheImage) {
  ShowFrame();
  ASSERT_TRUE(display->SetMouseImage(arrow, kHotX, kHotY));
  ASSERT_NE(Context().GetListener(), nullptr);
  PointAt(200, 150);
  Poll();
  adapter->LoseVideoSurfaces();
  PointAt(210, 150);
  Poll();
  Data().mDirectDraw->RestoreAllSurfaces();
  arrow->Release();
  arrow->Restore();
  PointAt(220, 150);
  Poll();
  EXPECT_NE(FrontAt(220, 150), kHot) << "no drawing while the surface is lost";
  ShowFrame();
  platform.restoreTasks.DoTasks(TTaskPass::Timed);
  PointAt(230, 160);
  Poll();
  EXPECT_EQ(FrontAt(230, 160), kHot) << "the image reinstalled from the restored texture";
  EXPECT_EQ(CountWrong(230, 160), 0);
}

TEST_F(CursorTest, TheListenerEndsWithItsContext) {
  ASSERT_TRUE(display->SetMouseImage(arrow, kHotX, kHotY));
  MouseTextureListener* listener = Context().GetListener();
  ASSERT_NE(listener, nullptr);
  EXPECT_TRUE(listener->Step());
  platform.displayHandler = nullptr;
  display.reset();
  platform.restoreTasks.DoTasks(TTaskPass::Timed);
  EXPECT_FALSE(platform.restoreTasks.Remove(listener)) << "deleted once its context was gone";
}

// The poll thread moves the cursor while the main thread shows frames,
// moves the pointer and changes the image; both stop by count.
TEST_F(CursorTest, PollsAgainstFramesAndImageChangesEndWithOneCursorOverTheRightBackground) {
  Store("plain.png", PngOf(kSide, kSide, Arrow, false));
  std::shared_ptr<TTexture> other = TTexture::Get("plain.png?simple", 0);
  ASSERT_TRUE(other);
  ASSERT_TRUE(display->SetMouseImage(arrow, kHotX, kHotY));
  PointAt(100, 100);
  std::atomic<bool> stop{false};
  std::atomic<int> polls{0};
  std::thread poller([&] {
    for (int n = 0; n < 3000 && !stop.load(); ++n) {
      platform.time += 16;
      display->UpdateMouse(-1, -1);
      polls.fetch_add(1);
      std::this_thread::yield();
    }
  });
  for (int frame = 0; frame < 120; ++frame) {
    PointAt(100 + frame % 37 * 3, 100 + frame % 23 * 2);
    if (frame % 15 == 0) display->SetMouseImage(frame % 30 == 0 ? other : arrow, kHotX, kHotY);
    ShowFrame();
  }
  stop.store(true);
  poller.join();
  EXPECT_GT(polls.load(), 0);
  display->SetMouseImage(arrow, kHotX, kHotY);
  PointAt(500, 400);
  Poll();
  EXPECT_EQ(CountWrong(500, 400), 0);
}

}  // namespace
