// The pictures of the built data folder: every one the game asks for loads
// through the game's own decoders, at the sizes its surfaces need, masks fit
// their pictures, the cursor is keyed as the display expects, and the six
// piece colours stay apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "media/texture/JpegDecoder.h"
#include "platform/file/TFile.h"
#include "tests/assets/DecodedPicture.h"
#include "tests/assets/PictureNames.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/JpegLayout.h"

namespace {

bool PowerOfTwo(int value) { return value > 0 && (value & (value - 1)) == 0; }

int VisiblePixels(const DecodedPicture& picture) {
  int visible = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) visible += picture.Rgba(x, y)[3] > 16;
  }
  return visible;
}

// Every one shows something: a frame left blank by a fade that ran out would
// flicker its animation.
TEST(Pictures, EveryPictureTheViewsNameLoadsAtPowerOfTwoSizesAndShowsSomething) {
  BuiltDataFolder folder;
  for (const std::string& name : PicturesTheViewsName()) {
    const DecodedPicture picture = LoadPicture(name);
    ASSERT_TRUE(picture.loaded) << name;
    EXPECT_TRUE(PowerOfTwo(picture.Width()) && PowerOfTwo(picture.Height()))
        << name << " is " << picture.Width() << " x " << picture.Height();
    EXPECT_GT(VisiblePixels(picture), 0) << name;
  }
}

TEST(Pictures, EveryImageOfThePreloadListLoads) {
  BuiltDataFolder folder;
  const auto fetches = PreloadFetches();
  EXPECT_EQ(fetches.size(), 78u);
  std::set<std::string> images;
  for (const PreloadFetch& fetch : fetches) images.insert(fetch.images.begin(), fetch.images.end());
  for (const std::string& name : images) EXPECT_TRUE(LoadPicture(name).loaded) << name;
}

TEST(Pictures, PiecesAreSixtyFourPixelsOrLess) {
  BuiltDataFolder folder;
  for (const char* colour : kPieceColours) {
    const DecodedPicture piece = LoadPicture(std::string("sprites/piece-") + colour + "-1");
    ASSERT_TRUE(piece.loaded) << colour;
    EXPECT_LE(piece.Width(), 64) << colour;
    EXPECT_LE(piece.Height(), 64) << colour;
  }
}

TEST(Pictures, TheSplashSlidesAreBaselineYcbcrJpegsTheDecoderTakes) {
  BuiltDataFolder folder;
  for (const std::string& name : SpellOut("splash/upsell0{1..4}.jpg")) {
    std::string bytes;
    ASSERT_TRUE(FileReadAll(name.c_str(), &bytes)) << name;
    const JpegLayout layout = ReadJpegLayout(bytes);
    EXPECT_TRUE(layout.baseline && layout.ycbcr && layout.scans == 1) << name;
    TDecodedImage image;
    ASSERT_TRUE(DecodeJpeg(name.c_str(), image)) << name;
    EXPECT_EQ(image.width, 480) << name;
    EXPECT_EQ(image.height, 360) << name;
  }
}

// The loader takes a mask's red byte as its picture's alpha, and only when
// the mask has the picture's size; over a palette picture's indices a mask
// does nothing.
TEST(Masks, EachMaskIsGreyAndOfItsPicturesSize) {
  BuiltDataFolder folder;
  for (const auto& [name, maskName] : MaskedPictures()) {
    SCOPED_TRACE(name + " with " + maskName);
    const DecodedPicture picture = LoadPicture(name);
    const DecodedPicture mask = LoadPicture(maskName);
    ASSERT_TRUE(picture.loaded && mask.loaded);
    EXPECT_EQ(picture.Width(), mask.Width());
    EXPECT_EQ(picture.Height(), mask.Height());
    EXPECT_EQ(picture.image.palette, nullptr);
    bool grey = true;
    int shown = 0;
    for (int y = 0; y < mask.Height(); ++y) {
      for (int x = 0; x < mask.Width(); ++x) {
        const auto [red, green, blue, alpha] = mask.Rgba(x, y);
        grey = grey && red == green && green == blue;
        shown += red > 16;
      }
    }
    EXPECT_TRUE(grey);
    EXPECT_GT(shown, 0);
  }
}

// The coverage frames are masks and are drawn as pictures too, so their red
// and their alpha are the same coverage (to the rounding of the renderer's
// premultiplied pixels: one step of red times alpha).
TEST(Masks, CoverageFramesHoldTheSameCoverageInRedAndAlpha) {
  BuiltDataFolder folder;
  std::vector<std::string> frames = SpellOut("sprites/piece-spark-a{1..8}");
  for (const std::string& frame : SpellOut("sprites/piece-breaks-a{1..6}")) frames.push_back(frame);
  for (const std::string& name : frames) {
    SCOPED_TRACE(name);
    const DecodedPicture frame = LoadPicture(name);
    ASSERT_TRUE(frame.loaded);
    int worst = 0;
    int covered = 0;
    for (int y = 0; y < frame.Height(); ++y) {
      for (int x = 0; x < frame.Width(); ++x) {
        const auto [red, green, blue, alpha] = frame.Rgba(x, y);
        worst = std::max(worst, std::abs(red - alpha) * alpha);
        covered += alpha > 16;
      }
    }
    EXPECT_LE(worst, 2 * 255);
    EXPECT_GT(covered, 0);
  }
}

// The display keys the cursor's pure magenta away and puts the hot spot at
// (1, 1), the arrow's tip.
TEST(Cursor, IsOpaqueWithItsTipAtTheHotSpotAndPureMagentaAround) {
  BuiltDataFolder folder;
  const DecodedPicture cursor = LoadPicture("cursor/cursor");
  ASSERT_TRUE(cursor.loaded);
  const std::array<int, 4> key = {255, 0, 255, 255};
  EXPECT_EQ(cursor.Rgba(0, 0), key);
  EXPECT_NE(cursor.Rgba(1, 1), key);
  int arrow = 0;
  for (int y = 0; y < cursor.Height(); ++y) {
    for (int x = 0; x < cursor.Width(); ++x) {
      const auto pixel = cursor.Rgba(x, y);
      EXPECT_EQ(pixel[3], 255) << x << ", " << y;
      if (pixel == key) continue;
      ++arrow;
      // Nothing above or left of the tip, and no pixel that mixes the key
      // in (which the key would not take away).
      EXPECT_TRUE(x >= 1 && y >= 1) << x << ", " << y;
      EXPECT_FALSE(pixel[0] > 96 && pixel[2] > 96 && pixel[1] < pixel[0] - 64) << x << ", " << y;
    }
  }
  EXPECT_GT(arrow, 60);
}

// The mean colour of a picture's see-through-enough pixels, masked by mask
// when one is given.
std::array<double, 3> MeanColour(const std::string& name, const std::string& maskName = "") {
  const DecodedPicture picture = LoadPicture(name);
  const DecodedPicture mask = maskName.empty() ? DecodedPicture{} : LoadPicture(maskName);
  EXPECT_TRUE(picture.loaded) << name;
  std::array<double, 3> sum{};
  double weight = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const auto pixel = picture.Rgba(x, y);
      const double coverage = (mask.loaded ? mask.Rgba(x, y)[0] : pixel[3]) / 255.0;
      for (int c = 0; c < 3; ++c) sum[c] += pixel[c] * coverage;
      weight += coverage;
    }
  }
  for (double& c : sum) c /= weight;
  return sum;
}

double HueDistance(double a, double b) {
  const double d = std::fmod(std::abs(a - b), 360.0);
  return std::min(d, 360.0 - d);
}

// Told apart in grey: each piece's mean lightness stands at least 8 (CIE L*)
// from every other's.
TEST(PieceColours, StandApartInLightness) {
  BuiltDataFolder folder;
  double lightness[6];
  for (int c = 0; c < 6; ++c) {
    const auto mean = MeanColour(std::string("sprites/piece-") + kPieceColours[c] + "-1");
    lightness[c] = Lightness(mean[0], mean[1], mean[2]);
  }
  for (int a = 0; a < 6; ++a) {
    for (int b = a + 1; b < 6; ++b) {
      EXPECT_GE(std::abs(lightness[a] - lightness[b]), 8.0)
          << kPieceColours[a] << " " << lightness[a] << ", " << kPieceColours[b] << " " << lightness[b];
    }
  }
}

// Sparks, jug slices and jug arrows share their colour's hue.
TEST(PieceColours, SparksJugSlicesAndArrowsShareTheirPiecesHue) {
  BuiltDataFolder folder;
  for (const char* colour : kPieceColours) {
    const auto piece = MeanColour(std::string("sprites/piece-") + colour + "-1");
    const double hue = Hue(piece[0], piece[1], piece[2]);
    const std::string mask = "sprites/jugs/center-color-alpha";
    const std::pair<std::string, std::string> kin[] = {
        {std::string("sprites/piece-spark-") + colour, "sprites/piece-spark-a8"},
        {std::string("sprites/jugs/center-color-") + colour + "-1", mask},
        {std::string("sprites/jugs/center-arrow-") + colour + "-1", mask},
    };
    for (const auto& [name, maskName] : kin) {
      const auto mean = MeanColour(name, maskName);
      EXPECT_LE(HueDistance(Hue(mean[0], mean[1], mean[2]), hue), 15.0) << name;
    }
  }
}

}  // namespace
