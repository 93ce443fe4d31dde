#pragma once

#include <memory>

#include "game/gui/scenes/TTutorial.h"
#include "platform/text/TString.h"

namespace GUI::ScriptTutorial {

// Reads the tutorial script of the data folder (a global table "Tutorial"
// of events) into a runner; null when there is no such file. Entries that
// are not events are skipped, with a log line for a table of another type;
// keys that name no attribute are skipped quietly. Each "Overlay" has the
// message view load its picture now.
std::unique_ptr<TTutorial> LoadTutorialScript(const TString& fileName, const TTutorialContext& context);

}  // namespace GUI::ScriptTutorial
