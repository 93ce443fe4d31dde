#pragma once

#include "platform/text/TString.h"

// The program's log, "logfile.txt" in the user data folder: one time-stamped
// line per call. Once the write position passes 102400 bytes writing goes on
// at byte 51200 behind a banner, so the start of the run stays readable and
// the file stays bounded. Safe to call from any thread.

// Sets the log to folder/logfile.txt, creating the folder and deleting the
// log of an earlier run.
void SetLogFolder(const TString& folder);
TString GetLogPath();
// Where lines go while no log folder is set or its file cannot be opened.
TString GetFallbackLogPath();
void LogPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
