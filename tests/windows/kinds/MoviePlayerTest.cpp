// The movie player on a system without a movie host: it never plays, and
// stopping it lets the window manager draw again at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/windows/core/WindowTree.h"
#include "windows/kinds/TMoviePlayer.h"

namespace {

bool DrewA(const WindowTree& tree) {
  const std::vector<std::string> calls = tree.Calls();
  return std::find(calls.begin(), calls.end(), "Draw a") != calls.end();
}

TEST(MoviePlayer, StoppingLiftsASuspensionSoTheNextFrameIsDrawn) {
  WindowTree tree;
  TMoviePlayer player("intro.swf");
  tree.manager.SetSuspended(true);
  tree.a->Invalidate();
  tree.manager.Frame();
  ASSERT_FALSE(DrewA(tree)) << "no frames while suspended";
  player.Stop();
  EXPECT_FALSE(tree.manager.IsSuspended());
  tree.manager.Frame();
  EXPECT_TRUE(DrewA(tree)) << "the frame held back is drawn at once";
}

TEST(MoviePlayer, WithoutAWindowManagerStoppingIsSafe) {
  FakePlatform platform;
  TMoviePlayer player("intro.swf");
  EXPECT_FALSE(player.Start(true));
  player.Stop();
  EXPECT_FALSE(player.IsPlaying());
}

}  // namespace
