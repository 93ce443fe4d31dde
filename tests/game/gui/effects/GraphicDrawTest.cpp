// Graphics as the platform sees them: the blend bracket around every draw,
// the frame an animation shows and its cross-fade, stepping, SetFrame,
// restarting a one-shot run, the strips of DrawSlices, and graphics whose
// pictures are missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "game/gui/effects/TAnimGraphic.h"
#include "game/gui/effects/TStaticGraphic.h"
#include "media/display/TVertexList.h"
#include "media/texture/TTexture.h"
#include "system/gfx/raster/Vertex.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeDisplayHandler.h"
#include "tests/support/FakePlatform.h"

namespace GUI {
namespace {

using sys::gfx::TransformedVertex;

// A texture that writes its draws into the platform's journal, among the
// platform's own calls: "Draw <name> <alpha>" for the full draw and
// "DrawScaled <name> <alpha>" for the simple one.
class RecordingTexture final : public TTexture {
 public:
  RecordingTexture(CallJournal& journal, std::string name, int32_t width, int32_t height)
      : mJournal(journal), mName(std::move(name)), mWidth(width), mHeight(height) {}

  void Draw(const TVec2* position, float alpha, float scaleX, float scaleY, float rotation, const TVec2* centre,
            const TColor* colour, int32_t flip, const TRect* source) override {
    EXPECT_TRUE(position && !centre && !colour && flip == 0 && !source);
    Record("Draw", alpha, *position, scaleX, scaleY, rotation);
  }
  void DrawScaled(const TVec2* position, float alpha, float scale, float rotation, const TVec2* centre,
                  int32_t flip) override {
    EXPECT_TRUE(position && !centre && flip == 0);
    Record("DrawScaled", alpha, *position, scale, scale, rotation);
  }
  int32_t GetWidth() const override { return mWidth; }
  int32_t GetHeight() const override { return mHeight; }

  // Position, scales and rotation of the last draw.
  std::string last;

 private:
  void Record(const char* kind, float alpha, const TVec2& position, float scaleX, float scaleY, float rotation) {
    std::ostringstream entry;
    entry << kind << " " << mName << " " << alpha;
    mJournal.Add(entry.str());
    std::ostringstream where;
    where << position.x << "," << position.y << " " << scaleX << "x" << scaleY << " " << rotation;
    last = where.str();
  }

  CallJournal& mJournal;
  std::string mName;
  int32_t mWidth;
  int32_t mHeight;
};

// A platform that keeps a copy of the vertices of every list drawn.
class VertexPlatform final : public FakePlatform {
 public:
  void DrawVertices(int32_t primitiveType, TVertexList* list) override {
    FakePlatform::DrawVertices(primitiveType, list);
    const auto* first = static_cast<const TransformedVertex*>(list->vertices);
    drawn.emplace_back(first, first + list->count);
  }
  std::vector<std::vector<TransformedVertex>> drawn;
};

class GraphicDrawTest : public testing::Test {
 protected:
  GraphicDrawTest() { platform.displayHandler = &display; }

  // A picture the texture cache hands out for Get (name) or GetMasked
  // (name, mask).
  RecordingTexture& Picture(const std::string& name, const std::string& mask = "", int32_t width = 30,
                            int32_t height = 12) {
    const std::string key = mask.empty() ? name + ":tex" : name + ":" + mask + ":tex";
    auto texture = std::make_shared<RecordingTexture>(platform.journal, name, width, height);
    mPictures[key] = texture;
    platform.assetManager->Register(key.c_str(), texture);
    return *texture;
  }
  // Frames f0, f1, ... of the given count.
  std::vector<TString> Frames(int count) {
    std::vector<TString> names;
    for (int i = 0; i < count; ++i) {
      const std::string name = "f" + std::to_string(i);
      Picture(name);
      names.emplace_back(name.c_str());
    }
    return names;
  }
  // The draws and blend modes since the last call.
  std::vector<std::string> Drawn() {
    std::vector<std::string> drawn;
    for (const std::string& entry : platform.journal.Entries()) {
      if (entry.rfind("Draw", 0) == 0 || entry.rfind("SetBlendMode", 0) == 0) drawn.push_back(entry);
    }
    platform.journal.Clear();
    return drawn;
  }
  // The draws alone since the last call.
  std::vector<std::string> Frames() {
    std::vector<std::string> frames;
    for (const std::string& entry : Drawn()) {
      if (entry.rfind("SetBlendMode", 0) != 0) frames.push_back(entry);
    }
    return frames;
  }

  FakeClock clock;
  VertexPlatform platform;
  FakeDisplayHandler display;

 private:
  std::map<std::string, std::shared_ptr<RecordingTexture>> mPictures;
};

// Each way a graphic draws, with the draw entry it makes.
struct DrawWay {
  const char* name;
  std::function<std::shared_ptr<IGraphic>(GraphicDrawTest&)> make;
  std::function<void(IGraphic&)> draw;
  std::string entry;
};

std::vector<DrawWay> DrawWays() {
  const TVec2 at(10, 20);
  return {
      {"static Draw", [](GraphicDrawTest&) { return std::make_shared<TStaticGraphic>("pic"); },
       [at](IGraphic& g) { g.Draw(at, 0.5f, 2.0f, 0.25f); }, "DrawScaled pic 0.5"},
      {"static DrawScaled", [](GraphicDrawTest&) { return MakeStaticGraphicWithAlpha("pic", "mask"); },
       [at](IGraphic& g) { g.DrawScaled(at, 0.5f, 2.0f, 3.0f, 0.25f); }, "Draw pic 0.5"},
      {"static DrawSlices", [](GraphicDrawTest&) { return std::make_shared<TStaticGraphic>("pic"); },
       [at](IGraphic& g) { g.DrawSlices(at, {TSliceAlphas{}}, 1.0f); }, "DrawVertices 4 3 6"},
      {"animation Draw",
       [](GraphicDrawTest&) { return std::make_shared<TAnimGraphic>(std::vector<TString>{"pic"}, "mask"); },
       [at](IGraphic& g) { g.Draw(at, 0.5f, 2.0f, 0.25f); }, "DrawScaled pic 0.5"},
      {"animation DrawScaled",
       [](GraphicDrawTest&) { return std::make_shared<TAnimGraphic>(std::vector<TString>{"pic"}, 10.0f); },
       [at](IGraphic& g) { g.DrawScaled(at, 0.5f, 2.0f, 3.0f, 0.25f); }, "Draw pic 0.5"},
  };
}

struct BlendCase {
  int32_t graphicMode;
  std::optional<int32_t> displayMode;  // none: the display's mode is left
};

class BlendBracket : public GraphicDrawTest, public testing::WithParamInterface<BlendCase> {};

TEST_P(BlendBracket, EveryDrawSetsTheMappedModeAndLeavesTheNormalOne) {
  Picture("pic");
  Picture("pic", "mask");
  for (const DrawWay& way : DrawWays()) {
    std::shared_ptr<IGraphic> graphic = way.make(*this);
    graphic->SetBlendMode(GetParam().graphicMode);
    EXPECT_EQ(graphic->GetBlendMode(), GetParam().graphicMode);
    Drawn();
    way.draw(*graphic);
    std::vector<std::string> expected;
    if (GetParam().displayMode) expected.push_back("SetBlendMode " + std::to_string(*GetParam().displayMode));
    expected.push_back(way.entry);
    expected.push_back("SetBlendMode 0");
    EXPECT_EQ(Drawn(), expected) << way.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, BlendBracket,
                         testing::Values(BlendCase{0, 0}, BlendCase{1, 2}, BlendCase{2, 3}, BlendCase{7, std::nullopt},
                                         BlendCase{-1, std::nullopt}));

TEST_F(GraphicDrawTest, DrawsPassThePlaceScalesAndRotationOn) {
  RecordingTexture& picture = Picture("pic");
  TStaticGraphic graphic("pic");
  graphic.Draw(TVec2(10, 20), 1.0f, 2.0f, 0.25f);
  EXPECT_EQ(picture.last, "10,20 2x2 0.25");
  graphic.DrawScaled(TVec2(-5, 7), 1.0f, 2.0f, 3.0f, -1.5f);
  EXPECT_EQ(picture.last, "-5,7 2x3 -1.5");
  EXPECT_EQ(graphic.GetWidth(), 30);
  EXPECT_EQ(graphic.GetHeight(), 12);
  EXPECT_EQ(graphic.GetTexture().get(), &picture);
}

// A graphic of 4 frames at 10 frames per second: a run of 400 ms.
struct FrameCase {
  const char* name;
  bool looping;
  bool crossFade;
  uint32_t at;  // milliseconds after the graphic was made
  uint32_t frame;  // the current frame afterwards
  std::vector<std::string> frames;
};

class FrameChoice : public GraphicDrawTest, public testing::WithParamInterface<FrameCase> {};

TEST_P(FrameChoice, TheControllersValuePicksTheFrame) {
  TAnimGraphic graphic(Frames(4), 10.0f);
  EXPECT_TRUE(graphic.IsPlaying());
  graphic.SetLooping(GetParam().looping);
  graphic.SetCrossFade(GetParam().crossFade);
  clock.Advance(GetParam().at);
  graphic.Draw(TVec2(0, 0), 0.8f, 1.0f, 0.0f);
  EXPECT_EQ(Frames(), GetParam().frames);
  EXPECT_EQ(graphic.GetFrame(), GetParam().frame);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FrameChoice,
    testing::Values(FrameCase{"start", true, false, 0, 0, {"DrawScaled f0 0.8"}},
                    FrameCase{"looping, second run", true, false, 450, 0, {"DrawScaled f0 0.8"}},
                    FrameCase{"one shot, ended", false, false, 450, 3, {"DrawScaled f3 0.8"}},
                    FrameCase{"one shot, running", false, false, 250, 2, {"DrawScaled f2 0.8"}},
                    FrameCase{"cross-fade at 0.375", true, true, 150, 1, {"DrawScaled f1 0.8", "DrawScaled f2 0.4"}},
                    FrameCase{"cross-fade wraps while looping", true, true, 350, 3,
                              {"DrawScaled f3 0.8", "DrawScaled f0 0.4"}},
                    FrameCase{"an ended one shot fades into nothing", false, true, 450, 3, {"DrawScaled f3 0.8"}}),
    [](const testing::TestParamInfo<FrameCase>& info) {
      std::string name = info.param.name;
      std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
      return name;
    });

TEST_F(GraphicDrawTest, SetFrameKeepsToTheFramesThereAre) {
  TAnimGraphic graphic(Frames(3), 0.0f);
  EXPECT_EQ(graphic.SetFrame(10), 3u);
  EXPECT_EQ(graphic.GetFrame(), 2u);
  EXPECT_EQ(graphic.SetFrame(1), 3u);
  EXPECT_EQ(graphic.GetFrame(), 1u);
  graphic.Draw(TVec2(0, 0), 1.0f, 1.0f, 0.0f);
  graphic.Draw(TVec2(0, 0), 1.0f, 1.0f, 0.0f);
  EXPECT_EQ(Frames(), (std::vector<std::string>{"DrawScaled f1 1", "DrawScaled f1 1"})) << "not playing: it stays";
}

TEST_F(GraphicDrawTest, FramesOfEachConstructorComeFromTheirNames) {
  Picture("colour", "a0");
  Picture("colour", "a1", 40, 16);
  TAnimGraphic alphas("colour", std::vector<TString>{"a0", "a1"});
  EXPECT_EQ(alphas.GetFrameCount(), 2u);
  EXPECT_EQ(alphas.GetWidth(), 30);
  alphas.SetFrame(1);
  EXPECT_EQ(alphas.GetWidth(), 40) << "the size is the current frame's";
  EXPECT_EQ(alphas.GetHeight(), 16);
  Picture("f0", "mask");
  Picture("f1", "mask");
  TAnimGraphic frames(std::vector<TString>{"f0", "f1"}, "mask");
  frames.SetFrame(1);
  frames.Draw(TVec2(0, 0), 1.0f, 1.0f, 0.0f);
  EXPECT_EQ(Frames(), std::vector<std::string>{"DrawScaled f1 1"});
  EXPECT_FALSE(frames.IsPlaying()) << "only a frame rate plays";
}

TEST_F(GraphicDrawTest, PlayingWithoutAControllerStepsOneFramePerDrawAndWraps) {
  TAnimGraphic graphic(Frames(3), 0.0f);
  EXPECT_FALSE(graphic.IsPlaying());
  graphic.SetPlaying(true);
  for (int i = 0; i < 4; ++i) graphic.Draw(TVec2(0, 0), 1.0f, 1.0f, 0.0f);
  EXPECT_EQ(Frames(),
            (std::vector<std::string>{"DrawScaled f0 1", "DrawScaled f1 1", "DrawScaled f2 1", "DrawScaled f0 1"}));
  EXPECT_EQ(graphic.GetFrame(), 1u);
}

TEST_F(GraphicDrawTest, LoopingAgainAfterAnEndedOneShotRunStartsAtFrameZero) {
  TAnimGraphic graphic(Frames(4), 10.0f);
  graphic.SetLooping(false);
  clock.Advance(500);
  graphic.SetLooping(true);
  EXPECT_TRUE(graphic.IsLooping());
  graphic.Draw(TVec2(0, 0), 1.0f, 1.0f, 0.0f);
  clock.Advance(100);
  graphic.Draw(TVec2(0, 0), 1.0f, 1.0f, 0.0f);
  EXPECT_EQ(Frames(), (std::vector<std::string>{"DrawScaled f0 1", "DrawScaled f1 1"}));
}

TEST_F(GraphicDrawTest, LoopingAgainDuringARunningOneShotKeepsItsPlace) {
  TAnimGraphic graphic(Frames(4), 10.0f);
  graphic.SetLooping(false);
  clock.Advance(200);
  graphic.SetLooping(true);
  graphic.Draw(TVec2(0, 0), 1.0f, 1.0f, 0.0f);
  EXPECT_EQ(Frames(), std::vector<std::string>{"DrawScaled f2 1"});
}

TEST_F(GraphicDrawTest, ARateTooHighForAWholeMillisecondStillDraws) {
  TAnimGraphic graphic(Frames(4), 1e7f);
  clock.Advance(3);
  graphic.Draw(TVec2(0, 0), 1.0f, 1.0f, 0.0f);
  EXPECT_EQ(Frames(), std::vector<std::string>{"DrawScaled f0 1"});
}

TEST_F(GraphicDrawTest, DrawSlicesMakesOneListOfStripsWithTheirCornerAlphas) {
  Picture("pic", "", 30, 12);
  TStaticGraphic graphic("pic");
  const std::vector<TSliceAlphas> slices = {{1.0f, 0.0f, 0.5f, 0.25f}, {0.0f, 1.0f, 1.0f, 0.0f}, {0.2f, 0.4f, 0.6f, 0.8f}};
  graphic.DrawSlices(TVec2(100, 50), slices, 2.0f);

  ASSERT_EQ(platform.drawn.size(), 1u) << "one draw";
  const std::vector<TransformedVertex>& v = platform.drawn[0];
  ASSERT_EQ(v.size(), 18u);
  EXPECT_TRUE(platform.journal.Contains("DrawVertices 4 3 18")) << "a triangle list of kind 3";
  EXPECT_TRUE(platform.journal.Contains("SetTexture"));
  const std::vector<std::string> displayCalls = display.Calls();
  ASSERT_FALSE(displayCalls.empty());
  EXPECT_EQ(std::count(displayCalls.begin(), displayCalls.end(), "SetZWrite 0"), 1) << "depth writes off";
  const auto alphaOf = [](const TransformedVertex& vertex) { return static_cast<int>(vertex.diffuse >> 24); };
  const auto byte = [](float alpha) { return static_cast<int>(alpha * 255.0f + 0.5f); };
  for (int i = 0; i < 3; ++i) {
    const float left = 70.0f + 20.0f * static_cast<float>(i), right = left + 20.0f;
    const TransformedVertex* s = &v[static_cast<size_t>(6 * i)];
    // (top-left, top-right, bottom-left), (top-right, bottom-right, bottom-left)
    const float xs[] = {left, right, left, right, right, left};
    const float ys[] = {38, 38, 62, 38, 62, 62};
    const float us[] = {i / 3.0f, (i + 1) / 3.0f, i / 3.0f, (i + 1) / 3.0f, (i + 1) / 3.0f, i / 3.0f};
    const float vs[] = {0, 0, 1, 0, 1, 1};
    const TSliceAlphas& a = slices[static_cast<size_t>(i)];
    const float alphas[] = {a.topLeft, a.topRight, a.bottomLeft, a.topRight, a.bottomRight, a.bottomLeft};
    for (int k = 0; k < 6; ++k) {
      EXPECT_FLOAT_EQ(s[k].x, xs[k]) << i << "/" << k;
      EXPECT_FLOAT_EQ(s[k].y, ys[k]) << i << "/" << k;
      EXPECT_FLOAT_EQ(s[k].u, us[k]) << i << "/" << k;
      EXPECT_FLOAT_EQ(s[k].v, vs[k]) << i << "/" << k;
      EXPECT_EQ(alphaOf(s[k]), byte(alphas[k])) << i << "/" << k;
      EXPECT_EQ(s[k].diffuse & 0xFFFFFFu, 0xFFFFFFu) << "white";
    }
  }
}

TEST_F(GraphicDrawTest, NoSlicesAndAnimationsDrawNothing) {
  Picture("pic");
  TStaticGraphic graphic("pic");
  graphic.DrawSlices(TVec2(0, 0), {}, 1.0f);
  TAnimGraphic animation(Frames(2), 10.0f);
  animation.DrawSlices(TVec2(0, 0), {TSliceAlphas{}}, 1.0f);
  EXPECT_TRUE(Drawn().empty());
  EXPECT_TRUE(platform.drawn.empty());
}

TEST_F(GraphicDrawTest, MissingPicturesDrawNothingAndMeasureZero) {
  TStaticGraphic missing("nothere");
  EXPECT_EQ(missing.GetTexture(), nullptr);
  EXPECT_EQ(missing.GetWidth(), 0);
  EXPECT_EQ(missing.GetHeight(), 0);
  missing.Draw(TVec2(0, 0), 1.0f, 1.0f, 0.0f);
  missing.DrawScaled(TVec2(0, 0), 1.0f, 1.0f, 1.0f, 0.0f);
  missing.DrawSlices(TVec2(0, 0), {TSliceAlphas{}}, 1.0f);
  EXPECT_TRUE(Drawn().empty());

  Picture("f1");
  TAnimGraphic gap(std::vector<TString>{"nothere", "f1"}, 0.0f);
  EXPECT_EQ(gap.GetWidth(), 0);
  gap.SetPlaying(true);
  gap.Draw(TVec2(0, 0), 1.0f, 1.0f, 0.0f);
  gap.Draw(TVec2(0, 0), 1.0f, 1.0f, 0.0f);
  EXPECT_EQ(Frames(), std::vector<std::string>{"DrawScaled f1 1"}) << "the frame that loaded still shows";
}

TEST_F(GraphicDrawTest, AnAnimationWithoutFramesDrawsNothing) {
  for (float rate : {0.0f, 10.0f}) {
    TAnimGraphic empty(std::vector<TString>{}, rate);
    empty.SetPlaying(true);
    empty.SetCrossFade(true);
    clock.Advance(50);
    empty.Draw(TVec2(0, 0), 1.0f, 1.0f, 0.0f);
    empty.DrawScaled(TVec2(0, 0), 1.0f, 1.0f, 1.0f, 0.0f);
    EXPECT_EQ(empty.SetFrame(4), 0u) << rate;
    EXPECT_EQ(empty.GetFrame(), 0u) << rate;
    EXPECT_EQ(empty.GetWidth(), 0) << rate;
    EXPECT_EQ(empty.GetTexture(), nullptr) << rate;
  }
  EXPECT_TRUE(Drawn().empty());
}

TEST_F(GraphicDrawTest, GraphicsHandOutSharedPointersToThemselves) {
  RecordingTexture& picture = Picture("pic", "mask");
  std::shared_ptr<IGraphic> graphic = MakeStaticGraphicWithAlpha("pic", "mask");
  ASSERT_TRUE(graphic);
  EXPECT_EQ(graphic->shared_from_this(), graphic);
  EXPECT_EQ(graphic->GetFrameTexture().get(), &picture);
  EXPECT_EQ(graphic->GetFrameCount(), 1u);
  EXPECT_TRUE(graphic->IsPlaying());
  EXPECT_FALSE(graphic->IsLooping());
}

}  // namespace
}  // namespace GUI
