#pragma once

#include <memory>

#include "platform/file/TFile.h"

// Owns a file from FileOpen and closes it with FileClose.
struct OpenFileCloser {
  void operator()(TFile* file) const { FileClose(file); }
};
using OpenFile = std::unique_ptr<TFile, OpenFileCloser>;
