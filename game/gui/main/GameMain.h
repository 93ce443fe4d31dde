#pragma once

class TAppPlatform;

// The game's main function, run by the framework once the platform is built:
// sets the game up, runs the one event loop of the program until the platform
// reports quit, and shuts the game down.
void GameMain(TAppPlatform* platform, const char* commandLine);
