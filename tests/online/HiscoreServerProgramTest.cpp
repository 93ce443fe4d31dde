#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "game/gui/main/TGameApp.h"
#include "online/TVqHiscores.h"
#include "platform/text/Log.h"
#include "tests/online/HiscoreRig.h"
#include "tests/support/TestFileLayer.h"
#include "tests/support/http/LoopbackSocket.h"

extern char** environ;

namespace {

constexpr int kStartPatienceMs = 20000;

// A port on 127.0.0.1 that was free a moment ago.
uint16_t FreeLoopbackPort() {
  uint16_t port = 0;
  const int socket = BindLoopbackSocket(port);
  if (socket >= 0) close(socket);
  return port;
}

// The program hiscoreserver of this build, started on a port; its output
// is read through a pipe.
class HiscoreServerProgram {
 public:
  explicit HiscoreServerProgram(uint16_t port) {
    int out[2];
    if (pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string portText = std::to_string(port);
    char* argv[] = {const_cast<char*>(QUORVANE_HISCORE_SERVER), const_cast<char*>(portText.c_str()), nullptr};
    if (posix_spawn(&mPid, QUORVANE_HISCORE_SERVER, &actions, nullptr, argv, environ) != 0) mPid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    mOutput = out[0];
  }
  ~HiscoreServerProgram() {
    if (mPid > 0) Stop();
    if (mOutput >= 0) close(mOutput);
  }

  // What it wrote up to the end of the first line, waiting for it.
  std::string FirstLine() {
    std::string text;
    char c = 0;
    pollfd ready{mOutput, POLLIN, 0};
    while (text.find('\n') == std::string::npos && poll(&ready, 1, kStartPatienceMs) > 0 && read(mOutput, &c, 1) == 1) {
      text += c;
    }
    return text;
  }

  // Stops it as an interrupt would; its exit status and the rest of its output.
  int Stop(std::string* rest = nullptr) {
    kill(mPid, SIGTERM);
    int status = -1;
    waitpid(mPid, &status, 0);
    mPid = -1;
    char buffer[256];
    ssize_t count = 0;
    while (rest && (count = read(mOutput, buffer, sizeof buffer)) > 0) rest->append(buffer, static_cast<size_t>(count));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t mPid = -1;
  int mOutput = -1;
};

int32_t FinishRequest(TVqHiscores& client, bool* scoreFlag = nullptr) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  int32_t result = TVqHiscores::kPending;
  while ((result = client.Update(nullptr, 0, scoreFlag)) == TVqHiscores::kPending &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return result;
}

// The developer program answers the game's client with the game's own key.
TEST(HiscoreServerProgramTest, AnswersTheGamesRequestsUntilStopped) {
  TempFolder logs;
  SetLogFolder(logs.Path().c_str());
  TestFileLayer files;
  HiscoreKeySetting key(TGameApp::kEncryptionKey);
  const uint16_t port = FreeLoopbackPort();
  HiscoreServerProgram program(port);
  const std::string address = "http://127.0.0.1:" + std::to_string(port) + "/go/hiscore";
  ASSERT_EQ(program.FirstLine(), "Hiscore server at " + address + "\n");

  TVqHiscores client("quorvane", "1.0", false);
  client.SetServerAddress(address.c_str());
  client.SetParameter(TVqHiscores::kGameMode, TGameApp::kJourneyKey);
  client.SetParameter(TVqHiscores::kPlayerName, "Pia");
  client.RequestTables();
  ASSERT_EQ(FinishRequest(client), TVqHiscores::kReplyHandled);
  char name[32] = "";
  ASSERT_TRUE(client.GetTableName(0, name, sizeof name));
  EXPECT_STREQ(name, "All time");
  client.AddLocalScore(1234, false, "");
  ASSERT_TRUE(client.SubmitScore("pia", "pw", false));
  bool scoreFlag = false;
  EXPECT_EQ(FinishRequest(client, &scoreFlag), TVqHiscores::kReplyHandled);
  EXPECT_TRUE(scoreFlag);
  client.RequestScores(0);
  ASSERT_EQ(FinishRequest(client), TVqHiscores::kReplyHandled);
  int32_t score = 0;
  ASSERT_TRUE(client.GetPendingScore(TVqHiscores::kPendingDownloaded, &score, nullptr, nullptr, 0));
  EXPECT_EQ(score, 1234);

  std::string rest;
  EXPECT_EQ(program.Stop(&rest), 0);
  EXPECT_EQ(rest, "Stopped after 3 requests\n");
}

}  // namespace
