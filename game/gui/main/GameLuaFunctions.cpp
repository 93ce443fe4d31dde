#include "game/gui/main/GameLuaFunctions.h"

#include "game/gui/main/TGameApp.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TWindowScript.h"

void RegisterGameLuaFunctions(TWindowScript& script, TGameApp& app) {
  lua_State* L = script.GetState();
  BindMethod(L, "ToggleFullScreen", &app, &TGameApp::ToggleFullScreen);
  BindMethod(L, "ToggleMuteAllSound", &app, &TGameApp::ToggleMuteAllSound);
  BindMethod(L, "GetNumUsers", &app, &TGameApp::GetNumUsers);
  BindMethod(L, "DeleteUser", &app, &TGameApp::DeleteUser);
  BindMethod(L, "SetZenMode", &app, &TGameApp::SetZenMode);
  BindMethod(L, "IsZenMode", &app, &TGameApp::IsZenMode);
  BindMethod(L, "SaveVolumes", &app, &TGameApp::SaveVolumes);
  BindMethod(L, "IsDisplayTimeMode", &app, &TGameApp::IsDisplayTimeMode);
  BindMethod(L, "IsCountMode", &app, &TGameApp::IsCountMode);
  BindMethod(L, "SetCountMode", &app, &TGameApp::SetCountMode);
  BindMethod(L, "GetCurrentZenLevel", &app, &TGameApp::GetCurrentZenLevel);
  BindMethod(L, "SetNextToTutorial", &app, &TGameApp::SetNextToTutorial);
  BindMethod(L, "SetTutorialMode", &app, &TGameApp::SetTutorialMode);
  BindMethod(L, "IsTutorialMode", &app, &TGameApp::IsTutorialMode);
  BindMethod(L, "IsTutorialLevel", &app, &TGameApp::IsTutorialLevel);
  BindMethod(L, "IsZenModeLocked", &app, &TGameApp::IsZenModeLocked);
  BindMethod(L, "LoadCurrentUserProgress", &app, &TGameApp::LoadCurrentUserProgress);
  BindMethod(L, "GoDownloadLink", &app, &TGameApp::GoDownloadLink);
  BindMethod(L, "GameEnd", &app, &TGameApp::GameEnd);
  BindMethod(L, "IsAOL", &app, &TGameApp::IsAOL);
}
