// ALSA's complaints about missing sound hardware, sent to the log.
#include <gtest/gtest.h>
#include <dlfcn.h>

#include <string>

#include "system/audio/AlsaMessages.h"
#include "tests/support/LayerLogCapture.h"

namespace {

// ALSA complains about a device it cannot find as it does about a missing
// card: the complaint reaches the log and not the terminal.
TEST(AlsaMessages, GoToTheLogInsteadOfStandardError) {
  void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
  if (!alsa) GTEST_SKIP() << "ALSA is not installed";
  using OpenPcm = int (*)(void** pcm, const char* name, int stream, int mode);
  auto openPcm = reinterpret_cast<OpenPcm>(dlsym(alsa, "snd_pcm_open"));
  ASSERT_NE(openPcm, nullptr);
  LayerLogCapture log;
  sys::RouteAlsaMessagesToLog();
  testing::internal::CaptureStderr();
  void* pcm = nullptr;
  EXPECT_LT(openPcm(&pcm, "quorvane-no-such-device", 0, 0), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(log.Contains("Sound (ALSA): ")) << "nothing logged";
  dlclose(alsa);
}

}  // namespace
