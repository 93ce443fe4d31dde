#include "system/os/DynamicLibrary.h"

#include <gtest/gtest.h>

#include "system/os/Paths.h"
#include "tests/support/LayerLogCapture.h"

namespace {

TEST(DynamicLibrary, WindowsNamesAreLookedForAsSharedObjectsBesideTheProgram) {
  std::string folder = sys::ProgramFolder() + "/";
  EXPECT_EQ(sys::DynamicLibrary::PathFor("vqHarness.dll"), folder + "vqHarness.so");
  EXPECT_EQ(sys::DynamicLibrary::PathFor("Stub.DLL"), folder + "Stub.so");
  EXPECT_EQ(sys::DynamicLibrary::PathFor("plain"), folder + "plain.so");
}

TEST(DynamicLibrary, AMissingLibraryIsQuietlyAbsent) {
  LayerLogCapture log;
  sys::DynamicLibrary library;
  EXPECT_FALSE(library.Open("vqHarness.dll"));
  EXPECT_FALSE(library.IsOpen());
  EXPECT_EQ(library.Symbol("TestHook"), nullptr);
  EXPECT_TRUE(log.Lines().empty());
}

// The suite's build puts "sampleHook.so" beside the test program.
TEST(DynamicLibrary, ALoadedLibraryGivesItsExports) {
  sys::DynamicLibrary library;
  ASSERT_TRUE(library.Open("sampleHook.dll"));
  using Hook = int (*)(const char**);
  auto hook = reinterpret_cast<Hook>(library.Symbol("TestHook"));
  ASSERT_NE(hook, nullptr);
  const char* commandLine = "original";
  EXPECT_EQ(hook(&commandLine), 42);
  EXPECT_STREQ(commandLine, "replaced by the hook");
  EXPECT_EQ(library.Symbol("NoSuchExport"), nullptr);
}

}  // namespace
