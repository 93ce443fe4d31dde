#pragma once

#include <cstddef>
#include <string>

namespace sys {

// A whole file mapped read-only into memory. The view stays valid until
// Close or destruction, even when the file is renamed or deleted meanwhile.
class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Maps the file at path (absolute or relative to the current folder),
  // closing any earlier mapping first. False when the file cannot be opened
  // or mapped; an empty file cannot be mapped.
  bool Open(const std::string& path);
  void Close();

  const unsigned char* Data() const { return mData; }
  size_t Size() const { return mSize; }

 private:
  const unsigned char* mData = nullptr;
  size_t mSize = 0;
};

}  // namespace sys
