#pragma once

#include <map>

#include "platform/text/TString.h"

// Logical file names and the file index.
//
// Every data file is named by a logical name:
//   "user:name"    a file in the per-user data folder,
//   "common:name"  a file in the data folder shared by all users,
//   "::path"       a path on disk as written (relative paths start at the
//                  program folder); found only when it can be read,
//   anything else  a name relative to the "assets" folder beside the
//                  program, with or without a leading "assets/".
// Names are looked up lower-cased with "\" read as "/", except the path after
// "::", which keeps its case because the disk's names are case-sensitive.
//
// The index maps lower-cased logical names to real locations: absolute disk
// paths, or pack entries written "@pack:offset,size". It is built once at
// start from the packs, then the loose files of "assets" (which win over
// packed ones) and of the two data folders. Only the main thread uses it.

// Lower-cased logical name -> real location.
using TFileIndex = std::map<TString, TString>;

// The folders are set by whoever starts the program (tests point them at a
// temporary folder). The program folder holds "assets" and the exclusion
// lists; until it is set it is the folder of the running program. The data
// folders are given without a trailing "/"; until they are set, "user:" and
// "common:" names do not resolve.
void SetDataFolders(const TString& userRoot, const TString& commonRoot);
void SetProgramFolder(const TString& folder);
TString GetProgramFolder();

// With first peek on, "firstpeek.txt" replaces "final.txt" as the list of
// file and folder names the index leaves out.
void SetFirstPeek(bool on);

// Adds the exclusion list's names, mounts the packs and indexes the loose
// files. ClearFileIndex empties the index but keeps the excluded names.
void BuildFileIndex();
void ClearFileIndex();

// The real location of a logical name, "" when it does not resolve. A
// "user:" or "common:" name resolves whether or not the file exists yet.
TString ResolvePath(const TString& name);
bool FileExists(const TString& name);
// The absolute disk path of a logical name; "" when it does not resolve or
// names a packed file.
TString GetFullPath(const TString& name);
// A disk path as the file layer opens it: "\" read as "/", made absolute
// against the program folder.
TString DiskPath(const TString& path);
