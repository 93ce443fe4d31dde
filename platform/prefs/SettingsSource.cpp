#include "platform/prefs/SettingsSource.h"

namespace {

TSettingsReader gReader = nullptr;

}  // namespace

void SetSettingsReader(TSettingsReader reader) { gReader = reader; }

TString ReadSetting(const TString& key) { return gReader ? gReader(key) : TString(""); }
