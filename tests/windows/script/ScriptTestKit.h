#pragma once

#include <string>
#include <vector>

#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"

// What a script host runs on in a test: a fake platform face (its asset
// manager and task list), a clock that moves only by hand, a file tree for
// script files, and a log of its own whose entries the test reads.
class ScriptTestKit {
 public:
  ScriptTestKit();

  // The log's entries without their time stamps, in order; an entry spans
  // lines when its text does.
  std::vector<std::string> LogEntries() const;
  void ClearLog() const;
  // Writes a script file into the assets and rebuilds the file index.
  void WriteScript(const std::string& name, const std::string& text) const;

  FakePlatform platform;
  FakeClock clock;
  TestFileLayer files;

 private:
  TempFolder mLogs;
};
