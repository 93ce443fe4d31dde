#pragma once

#include "platform/text/TString.h"

// How the framework's parts read the settings map, which the platform object
// owns: the platform installs a reader of its map when it starts. Until one
// is installed every setting reads as empty.
using TSettingsReader = TString (*)(const TString& key);

void SetSettingsReader(TSettingsReader reader);
// The setting's value; "" when it is absent or no reader is installed.
TString ReadSetting(const TString& key);
