// The program entry. For now the program only proves that it starts: it opens
// its log in the per-user data folder, writes one line and ends.
#include "online/THostBridge.h"
#include "platform/IHostBridge.h"
#include "platform/Log.h"
#include "system/os/Folders.h"

int main() {
  SetHostBridge(&THostBridge::Instance());
  SetLogFolder((sys::UserDataRoot() + "/Velmartis/quorvane").c_str());
  LogPrintf("quorvane started");
  return 0;
}
