#include "platform/file/PackFiles.h"

#include <cstring>
#include <vector>

#include "platform/text/Log.h"
#include "platform/file/TFile.h"
#include "system/os/FolderListing.h"

namespace {

// One mounted pack: its view and the logical name it was mounted from.
struct TFileMapHandler {
  std::shared_ptr<TFileMapData> mView;
  TString mPath;
};

std::vector<TFileMapHandler>& PackList() {
  static std::vector<TFileMapHandler> packs;
  return packs;
}

bool ReadInt32(TFile& file, int32_t* value) {
  unsigned char bytes[4];
  if (file.Read(bytes, 4) != 4) return false;
  *value = static_cast<int32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                                static_cast<uint32_t>(bytes[3]) << 24);
  return true;
}

struct PackEntry {
  TString name;
  int32_t offset = 0;
  int32_t size = 0;
};

bool ReadEntry(TFile& file, PackEntry* entry) {
  unsigned char length = 0;
  char name[256] = {};
  if (file.Read(&length, 1) != 1 || file.Read(name, length) != length) return false;
  entry->name = TString(name).ToLower();
  return ReadInt32(file, &entry->offset) && ReadInt32(file, &entry->size);
}

// Names with ":" would stand in for "user:", "common:" or "::" files, and an
// empty name for no file at all.
bool IsAssetName(const TString& name) { return !name.IsEmpty() && name.FindChar(':') < 0; }

// Puts the pack's entries in the index. A directory that ends early keeps
// the entries read so far; an entry whose data lies outside the file is left
// out, so no entry can read beyond the pack's view.
void ReadDirectory(TFile& file, const TString& name, int number, TFileIndex& index) {
  int64_t packSize = file.GetSize();
  int32_t count = 0;
  if (!ReadInt32(file, &count) || count < 0) {
    LogPrintf("Pack %s has no valid entry count", name.CStr());
    return;
  }
  for (int32_t i = 0; i < count; ++i) {
    PackEntry entry;
    if (!ReadEntry(file, &entry)) {
      LogPrintf("Pack %s ends after %d of its %d entries", name.CStr(), i, count);
      return;
    }
    if (entry.offset < 0 || entry.size < 0 || int64_t{entry.offset} + entry.size > packSize) {
      LogPrintf("Pack %s: entry %s lies outside the file, left out", name.CStr(), entry.name.CStr());
      continue;
    }
    if (!IsAssetName(entry.name)) {
      LogPrintf("Pack %s: entry name \"%s\" is not a file name, left out", name.CStr(),
                entry.name.CStr());
      continue;
    }
    index[entry.name] = TString::Format("@%d:%ld,%ld", number, static_cast<long>(entry.offset),
                                        static_cast<long>(entry.size));
  }
}

}  // namespace

void MountPacks(TFileIndex& index) {
  for (const sys::FolderEntry& entry :
       sys::ListFolder(std::string(GetProgramFolder().CStr()) + "/assets")) {
    if (entry.kind == sys::FolderEntry::Kind::File && entry.name.find(".vqp") != std::string::npos) {
      OpenPack(index, TString(("::assets/" + entry.name).c_str()));
    }
  }
}

void OpenPack(TFileIndex& index, const TString& name) {
  std::vector<TFileMapHandler>& packs = PackList();
  size_t number = 0;
  while (number < packs.size() && packs[number].mPath != name) ++number;
  // An earlier view of this path goes now; entries still open keep it alive.
  if (number < packs.size()) packs[number].mView = std::make_shared<TFileMapData>();

  TFile file;
  if (!file.Open(name, kFileReadBinary)) return;
  char magic[4] = {'X', 'X', 'X', 'X'};
  if (file.Read(magic, 4) != 4 || std::memcmp(magic, "VQPK", 4) != 0) return;
  ReadDirectory(file, name, static_cast<int>(number), index);

  auto view = std::make_shared<TFileMapData>();
  if (!view->Open(name)) LogPrintf("Failed to open flat file %s", name.CStr());
  if (number == packs.size()) {
    packs.push_back({std::move(view), name});
  } else {
    packs[number].mView = std::move(view);
  }
}

std::shared_ptr<TFileMapData> GetPackView(int number) {
  std::vector<TFileMapHandler>& packs = PackList();
  if (number < 0 || static_cast<size_t>(number) >= packs.size()) return nullptr;
  return packs[number].mView;
}
