#pragma once

#include <cstddef>

#include "platform/text/TString.h"
#include "system/os/MappedFile.h"

// A pack file mapped read-only into memory. Shared by the pack list and by
// every open entry of the pack, so a view lives as long as anything reads it.
class TFileMapData {
 public:
  // Maps the file named by a disk path, with or without a leading "::";
  // relative paths start at the program folder. Closes any earlier view.
  bool Open(const TString& path);
  void Close() { mView.Close(); }

  const unsigned char* Data() const { return mView.Data(); }
  size_t Size() const { return mView.Size(); }

 private:
  sys::MappedFile mView;
};
