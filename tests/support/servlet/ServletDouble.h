#pragma once

#include <cstdint>

// A stand-in for the local score server library "vqservlet_stub.dll", built
// as a module beside a test program so that the hiscore client loads it. It
// writes every call of the client into a journal and answers from a script.
// The test reaches it by loading the same module and calling these.

// From now on GetStatus answers `status` and GetContents `contents` (null
// answers null); the journal starts empty.
using ServletDoubleScriptFn = void(int32_t status, const char* contents);
inline constexpr char kServletDoubleScript[] = "ServletDouble_Script";
// The calls so far, one line each: "Name(argument,...)", null as "<null>".
using ServletDoubleJournalFn = const char*();
inline constexpr char kServletDoubleJournal[] = "ServletDouble_Journal";

// The handle the double's CreateLocalServer gives.
inline constexpr uint32_t kServletDoubleHandle = 4711;
