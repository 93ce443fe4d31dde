#include "platform/file/FileIndex.h"

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "platform/text/Log.h"
#include "platform/file/PackFiles.h"
#include "system/os/DiskFiles.h"
#include "system/os/FolderListing.h"
#include "system/os/Paths.h"

namespace {

// Exclusion lists this large are ignored as a whole.
constexpr long kExclusionListLimit = 100000;

struct FileLayer {
  TFileIndex index;
  std::set<TString> excluded;
  bool firstPeek = false;
  TString userRoot;
  TString commonRoot;
  TString programFolder;  // empty until set: the running program's folder
};

FileLayer& Layer() {
  static FileLayer layer;
  return layer;
}

bool StartsWith(const TString& text, const char* prefix) {
  return std::strncmp(text.CStr(), prefix, std::strlen(prefix)) == 0;
}

TString Lowered(const std::string& text) {
  TString lowered(text.data(), static_cast<int>(text.size()));
  return lowered.ToLower();
}

// The index key of a logical name: lower-cased, "\" read as "/". Both keep
// every character in place, so positions in the key match the name.
TString LogicalKey(const TString& name) {
  std::string key(name.CStr(), name.Length());
  for (char& c : key) {
    if (c == '\\') {
      c = '/';
    } else if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return TString(key.data(), static_cast<int>(key.size()));
}

bool HasParentStep(const TString& path) {
  const char* text = path.CStr();
  for (const char* step = text; *step;) {
    const char* end = std::strchr(step, '/');
    size_t length = end ? static_cast<size_t>(end - step) : std::strlen(step);
    if (length == 2 && step[0] == '.' && step[1] == '.') return true;
    step += length + (end ? 1 : 0);
  }
  return false;
}

TString ResolveDiskName(const TString& rest) {
  TString path = DiskPath(rest);
  return sys::IsReadable(path.CStr()) ? path : TString("");
}

// "user:" and "common:" names: the data folder plus the rest of the key,
// remembered in the index. No existence check: the file may be about to be
// written.
TString ResolveDataName(const TString& key, int prefixLength, const TString& root) {
  if (root.IsEmpty()) {
    LogPrintf("No data folder is set for the file %s", key.CStr());
    return "";
  }
  TString rest = key.Mid(prefixLength);
  if (HasParentStep(rest)) {
    LogPrintf("The file name %s leaves its folder", key.CStr());
    return "";
  }
  TString location = root + "/" + rest;
  Layer().index[key] = location;
  return location;
}

void ReadExclusionList() {
  FileLayer& layer = Layer();
  TString path = GetProgramFolder() + (layer.firstPeek ? "/firstpeek.txt" : "/final.txt");
  FILE* file = sys::OpenFile(path.CStr(), "rb");
  if (!file) return;
  std::string text(kExclusionListLimit, '\0');
  size_t length = std::fread(text.data(), 1, text.size(), file);
  std::fclose(file);
  if (length >= static_cast<size_t>(kExclusionListLimit)) return;
  text.resize(length);
  const char* blanks = " \t\n\r";
  for (size_t start = text.find_first_not_of(blanks); start != std::string::npos;) {
    size_t end = text.find_first_of(blanks, start);
    layer.excluded.insert(TString(text.substr(start, end - start).c_str()));
    start = end == std::string::npos ? end : text.find_first_not_of(blanks, end);
  }
}

// Indexes the files below folder. Files directly inside it are keyed
// filePrefix + name; files in its sub-folders are keyed folderPrefix + the
// path below the folder. Excluded names hide a file or a whole sub-folder.
void ScanFolder(const std::string& folder, const std::string& filePrefix,
                const std::string& folderPrefix) {
  FileLayer& layer = Layer();
  for (const sys::FolderEntry& entry : sys::ListFolder(folder)) {
    if (layer.excluded.count(TString(entry.name.c_str()))) continue;
    std::string path = folder + "/" + entry.name;
    if (entry.kind == sys::FolderEntry::Kind::Folder) {
      std::string below = folderPrefix + entry.name + "/";
      ScanFolder(path, below, below);
      continue;
    }
    layer.index[Lowered(filePrefix + entry.name)] = TString(path.c_str());
  }
}

}  // namespace

void SetDataFolders(const TString& userRoot, const TString& commonRoot) {
  Layer().userRoot = userRoot;
  Layer().commonRoot = commonRoot;
}

void SetProgramFolder(const TString& folder) { Layer().programFolder = folder; }

TString GetProgramFolder() {
  TString& folder = Layer().programFolder;
  if (folder.IsEmpty()) folder = sys::ProgramFolder().c_str();
  return folder;
}

void SetFirstPeek(bool on) { Layer().firstPeek = on; }

void BuildFileIndex() {
  FileLayer& layer = Layer();
  ReadExclusionList();
  MountPacks(layer.index);
  ScanFolder(std::string(GetProgramFolder().CStr()) + "/assets", "", "");
  for (const auto& [root, prefix] :
       {std::pair{layer.userRoot, "user:"}, {layer.commonRoot, "common:"}}) {
    if (!root.IsEmpty()) ScanFolder(root.CStr(), prefix, std::string(root.CStr()) + "/");
  }
}

void ClearFileIndex() { Layer().index.clear(); }

TString ResolvePath(const TString& name) {
  FileLayer& layer = Layer();
  TString key = LogicalKey(name);
  auto found = layer.index.find(key);
  if (found != layer.index.end() && !found->second.IsEmpty()) return found->second;
  if (StartsWith(key, "::")) return ResolveDiskName(name.Mid(2));
  if (StartsWith(key, "user:")) return ResolveDataName(key, 5, layer.userRoot);
  if (StartsWith(key, "common:")) return ResolveDataName(key, 7, layer.commonRoot);
  if (StartsWith(key, "assets/")) return ResolvePath(name.Mid(7));
  return "";
}

bool FileExists(const TString& name) { return !ResolvePath(name).IsEmpty(); }

TString GetFullPath(const TString& name) {
  TString location = ResolvePath(name);
  if (location.IsEmpty() || location.CharAt(0) == '@') return "";
  return DiskPath(location);
}

TString DiskPath(const TString& path) {
  std::string text(path.CStr(), path.Length());
  for (char& c : text) {
    if (c == '\\') c = '/';
  }
  return sys::AbsolutePath(text, GetProgramFolder().CStr()).c_str();
}
