#pragma once

#include <memory>
#include <vector>

#include "game/gui/effects/IGraphic.h"
#include "game/gui/scenes/TAnimations.h"
#include "platform/text/TString.h"

namespace GUI::ScriptAnim {

// Runs the scene file (a name of the data folder) in a script host of its
// own and builds the scene from its global "Animations". A file that is
// missing, fails, or sets no such table gives a scene without layers; parts
// of it that make no sense are left out with a log line where a scene's
// author would want to know. Each layer graphic made without an alpha image
// goes to the end of graphics.
std::shared_ptr<TAnimations> LoadScriptAnimations(const TString& fileName,
                                                  std::vector<std::shared_ptr<IGraphic>>& graphics);

}  // namespace GUI::ScriptAnim
