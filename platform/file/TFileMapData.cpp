#include "platform/file/TFileMapData.h"

#include "platform/file/FileIndex.h"

bool TFileMapData::Open(const TString& path) {
  Close();
  TString diskPath = path.Mid(path.CharAt(0) == ':' && path.CharAt(1) == ':' ? 2 : 0);
  return mView.Open(DiskPath(diskPath).CStr());
}
