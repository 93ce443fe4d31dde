#pragma once

#include <string>

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes away.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return mPath; }
  std::string File(const std::string& name) const { return mPath + "/" + name; }

 private:
  std::string mPath;
};

// Reads a whole file as bytes; "" when it cannot be read.
std::string ReadWholeFile(const std::string& path);
// Writes bytes to a file, replacing it; true on success.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
