#pragma once

#include <memory>

#include "platform/file/FileIndex.h"
#include "platform/file/TFileMapData.h"

// Pack files: files in "assets" whose name contains ".vqp". Little-endian:
//   "VQPK", int32 entry count, then per entry: uint8 name length, the name
//   ("/" between folders), int32 offset of the data from the start of the
//   file, int32 size of the data.
// Mounting puts every entry in the file index as "@pack:offset,size" and maps
// the pack into memory; a pack's number is its place in the pack list.

// Mounts every pack in the "assets" folder, in name order.
void MountPacks(TFileIndex& index);
// Mounts one pack named by a logical name. Mounting a path again keeps its
// number and replaces its entries and its view; entries open from the old
// view go on reading it.
void OpenPack(TFileIndex& index, const TString& name);

// The view of pack number, null when there is no such pack. The view may
// hold no data when the pack could not be mapped.
std::shared_ptr<TFileMapData> GetPackView(int number);
