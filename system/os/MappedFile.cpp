#include "system/os/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sys {

MappedFile::~MappedFile() { Close(); }

bool MappedFile::Open(const std::string& path) {
  Close();
  int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return false;
  struct stat info;
  void* view = MAP_FAILED;
  if (fstat(file, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
    view = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, file, 0);
  }
  close(file);  // the mapping keeps the file's contents reachable on its own
  if (view == MAP_FAILED) return false;
  mData = static_cast<const unsigned char*>(view);
  mSize = static_cast<size_t>(info.st_size);
  return true;
}

void MappedFile::Close() {
  if (mData) munmap(const_cast<unsigned char*>(mData), mSize);
  mData = nullptr;
  mSize = 0;
}

}  // namespace sys
