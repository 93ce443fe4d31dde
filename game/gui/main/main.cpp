// The program entry: the command line and the game's main function go to the
// framework, which runs the program and gives back its exit code.
#include <string>

#include "game/gui/main/GameMain.h"
#include "online/THostBridge.h"
#include "app/CommandLine.h"
#include "platform/host/IHostBridge.h"
#include "app/RunFramework.h"

int main(int argc, char** argv) {
  SetHostBridge(&THostBridge::Instance());
  std::string commandLine = JoinCommandLine(argc, argv);
  return RunFramework(commandLine.c_str(), GameMain, false);
}
