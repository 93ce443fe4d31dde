// Speed of text: laying out a marked-up page of about 3 KB and 40 lines in
// the game's font (goal: 150 microseconds or less), and drawing a menu
// screen's text, 20 layouts of about 50 glyphs at 16 pixels, through our 3D
// device each frame (goal: 5 ms or less). The program runs from the
// repository's root, where the game's fonts lie.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/GameFonts.h"
#include "bench/support/SpeedGoals.h"
#include "media/text/TTextLayout.h"
#include "media/text/TVqMiniVecDraw.h"
#include "tests/support/DevicePlatform.h"

namespace {

constexpr int32_t kPageWidth = 500;
constexpr int32_t kSize = 16;
constexpr int32_t kMenuLayouts = 20;

// The styled menu screen has no goal of its own: it shows what bold strokes add.
const SpeedGoals kGoals{
    {"LayOutAPage", kTimeMs, Goal::kAtMost, 0.15},
    {"DrawAMenuScreen/0", kTimeMs, Goal::kAtMost, 5.0},
};

// Help-page text: paragraphs with styles, links, font changes and a centred title.
std::string Page() {
  std::string page = "<center><font size='24' color='#ffcc00'>How to play</font></center><br pad='6'>";
  const char* paragraph =
      "Turn the <b>rings</b> of the tower so that <i>three pieces of one colour</i> line up in a column. "
      "Matched pieces vanish, the pieces above them fall, and energy flows into the <a id='jugs'>jugs</a>. "
      "<font face='fonts/palabi.mvec' color='#80ff80'>Bombs</font> clear their neighbours; locks and gears "
      "turn rings together.<br>";
  while (page.size() < 3000) page += paragraph;
  return page;
}

void LayOutAPage(benchmark::State& state) {
  DevicePlatform platform;
  InstallGameFonts(platform);
  const TString page = Page().c_str();
  int32_t lines = 0;
  for (auto _ : state) {
    auto layout = TTextLayout::Create(page, kPageWidth, 600, 0, nullptr, kSize, TColor(1.0f, 1.0f, 1.0f, 1.0f));
    lines = layout->GetLineCount();
    benchmark::DoNotOptimize(lines);
  }
  state.counters["bytes"] = static_cast<double>(page.Length());
  state.counters["lines"] = lines;
}
BENCHMARK(LayOutAPage)->Unit(benchmark::kMicrosecond);

// Twenty buttons and labels of about 50 glyphs each, about 1,000 glyphs:
// plain (argument 0), or with bold titles and underlined links (1), which
// stroke and draw bars besides the glyphs.
std::string MenuText(int32_t index, bool styled) {
  const std::string number = std::to_string(index + 1);
  const char* open = styled ? (index % 4 == 0 ? "<b>" : "<u>") : "";
  const char* close = styled ? (index % 4 == 0 ? "</b>" : "</u>") : "";
  return index % 4 == 0 ? std::string(open) + "Journey Mode" + close + ": World " + number +
                              " of the Ten Worlds, Levels One to Five"
                        : "Options and Settings of Player " + number + ", " + open + "change them here" + close +
                              " anytime";
}

void DrawAMenuScreen(benchmark::State& state) {
  DevicePlatform platform;
  InstallGameFonts(platform);
  TVqMiniVecDraw renderer(platform.Textures());
  renderer.Calibrate();
  platform.vecDraw = &renderer;
  std::vector<std::unique_ptr<TTextLayout>> layouts;
  int32_t glyphs = 0;
  for (int32_t i = 0; i < kMenuLayouts; ++i) {
    layouts.push_back(TTextLayout::Create(MenuText(i, state.range(0) != 0).c_str(), 380, 40,
                                          TTextLayout::kCentreLines, nullptr, kSize, TColor(1.0f, 1.0f, 0.8f, 1.0f)));
    const std::string plain = MenuText(i, false);
    glyphs += static_cast<int32_t>(std::count_if(plain.begin(), plain.end(), [](char c) { return c != ' '; }));
  }
  platform.Begin2d();
  for (auto _ : state) {
    for (int32_t i = 0; i < kMenuLayouts; ++i) {
      const int32_t x = i % 2 * 400, y = i / 2 * 60;
      layouts[i]->Draw(TRect(x, y, x + 380, y + 40), 1.0f, 0.0f);
    }
  }
  state.counters["glyphs"] = glyphs;
}
BENCHMARK(DrawAMenuScreen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
