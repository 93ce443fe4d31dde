#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/texture/OpenFile.h"
#include "media/texture/RiffPalette.h"
#include "tests/media/texture/ImageFiles.h"
#include "tests/media/texture/ImageRig.h"

namespace {

using RiffPaletteTest = ImageRig;

std::vector<std::array<uint8_t, 3>> Colours(int count) {
  std::vector<std::array<uint8_t, 3>> colours;
  for (int i = 0; i < count; i++) colours.push_back({uint8_t(i), uint8_t(i + 1), uint8_t(i + 2)});
  return colours;
}

TEST_F(RiffPaletteTest, KeepsTheEntriesTheChunkSizeAndTheFileAllowAtMost256) {
  const std::string three = RiffPaletteBytes(Colours(3));
  struct Case {
    const char* what;
    std::string bytes;
    bool isRiff;
    size_t entries;
  };
  const Case cases[] = {
      {"three colours", three, true, 3},
      {"300 colours", RiffPaletteBytes(Colours(300)), true, 256},
      {"chunk size 8", RiffPaletteBytes(Colours(3), 8), true, 0},
      {"chunk size below 8", RiffPaletteBytes(Colours(3), 7), true, 0},
      {"chunk size 0", RiffPaletteBytes(Colours(3), 0), true, 0},
      {"chunk claiming more than the file holds", RiffPaletteBytes(Colours(3), 4 + 4 * 200), true, 3},
      {"last entry cut short", three.substr(0, three.size() - 1), true, 2},
      {"header cut short", three.substr(0, 20), true, 0},
      {"only the tag", "RIFF", true, 0},
      {"another format", "RIFX" + three.substr(4), false, 0},
      {"empty", "", false, 0},
  };
  for (const Case& c : cases) {
    Store("pal/test.pal", c.bytes);
    OpenFile file(FileOpen("pal/test.pal", kFileReadBinary));
    ASSERT_TRUE(file) << c.what;
    std::vector<TRiffPaletteEntry> entries(5);
    EXPECT_EQ(ReadRiffPalette(file.get(), entries), c.isRiff) << c.what;
    EXPECT_EQ(entries.size(), c.entries) << c.what;
  }
}

TEST_F(RiffPaletteTest, EntriesAreRedGreenBlueFlagsInFileOrder) {
  std::string bytes = RiffPaletteBytes({{10, 20, 30}, {40, 50, 60}});
  bytes[bytes.size() - 1] = 7;  // the last entry's flags
  Store("pal/order.pal", bytes);
  OpenFile file(FileOpen("pal/order.pal", kFileReadBinary));
  std::vector<TRiffPaletteEntry> entries;
  ASSERT_TRUE(ReadRiffPalette(file.get(), entries));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].red, 10);
  EXPECT_EQ(entries[0].green, 20);
  EXPECT_EQ(entries[0].blue, 30);
  EXPECT_EQ(entries[1].red, 40);
  EXPECT_EQ(entries[1].flags, 7);
}

}  // namespace
