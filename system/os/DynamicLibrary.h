#pragma once

#include <string>

namespace sys {

// An optional library loaded at run time. Libraries are named as the program
// names them ("vqHarness.dll"); here "x.dll" is the shared object "x.so" in
// the program's folder. A missing library is no error: Open just says false.
class DynamicLibrary {
 public:
  DynamicLibrary() = default;
  ~DynamicLibrary();
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  bool Open(const std::string& name);
  bool IsOpen() const { return mHandle != nullptr; }
  // The address of an exported symbol; null when absent or nothing is open.
  void* Symbol(const char* name) const;
  // Where the library of that name is looked for.
  static std::string PathFor(const std::string& name);

 private:
  void* mHandle = nullptr;
};

}  // namespace sys
