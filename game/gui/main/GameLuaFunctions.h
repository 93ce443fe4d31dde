#pragma once

class TGameApp;
class TWindowScript;

// The application object's global functions for the game's scripts, in their
// fixed order, bound to the object on the script's Lua state.
void RegisterGameLuaFunctions(TWindowScript& script, TGameApp& app);
