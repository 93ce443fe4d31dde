#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds the bytes of a pack file: "VQPK", the entry count, the directory,
// then the entries' data in the order they were added. Header-only so that
// the benchmarks can use it too.
class PackWriter {
 public:
  PackWriter& Add(const std::string& name, const std::string& data) {
    mEntries.push_back({name, data, false, 0, 0});
    return *this;
  }

  // An entry whose directory fields are written as given, with no data of its
  // own: to point at data elsewhere or outside the file.
  PackWriter& AddRaw(const std::string& name, int32_t offset, int32_t size) {
    mEntries.push_back({name, "", true, offset, size});
    return *this;
  }

  std::string Bytes() const {
    size_t dataStart = 8;
    for (const Entry& entry : mEntries) dataStart += 1 + entry.name.size() + 8;
    std::string bytes = "VQPK";
    AppendInt32(&bytes, static_cast<int32_t>(mEntries.size()));
    std::string data;
    for (const Entry& entry : mEntries) {
      bytes += static_cast<char>(entry.name.size());
      bytes += entry.name;
      AppendInt32(&bytes, entry.raw ? entry.offset : static_cast<int32_t>(dataStart + data.size()));
      AppendInt32(&bytes, entry.raw ? entry.size : static_cast<int32_t>(entry.data.size()));
      data += entry.data;
    }
    return bytes + data;
  }

  static void AppendInt32(std::string* bytes, int32_t value) {
    auto bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) *bytes += static_cast<char>(bits >> shift & 0xff);
  }

 private:
  struct Entry {
    std::string name;
    std::string data;
    bool raw;
    int32_t offset;
    int32_t size;
  };
  std::vector<Entry> mEntries;
};
