#pragma once

class TAppPlatform;

// The game's main function: runs the whole game, its event loop included,
// with the platform built and the command line as the framework holds it.
using TGameMain = void (*)(TAppPlatform* platform, const char* commandLine);

// The whole life of the program: builds the platform, its main window, sound
// and display, reads the switches and settings, runs the game's main function
// and takes everything down again. Returns the process's exit code: 0, or -1
// when the host window named by "-wnd=" is missing or the main window cannot
// be made. A start while another copy of the program runs brings that copy to
// the front and returns 0 at once, unless several copies may run ("--multiple",
// "-wnd=", "screensaver", or allowMultiple).
int RunFramework(const char* commandLine, TGameMain gameMain, bool allowMultiple);
