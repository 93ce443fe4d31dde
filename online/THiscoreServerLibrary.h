#pragma once

#include <cstdint>

#include "system/os/DynamicLibrary.h"

// The optional local score server "vqservlet_stub.dll": when it loads, the
// hiscore client hands it each request in place of the HTTP transfer and
// fetches the reply from it. Its exports are looked up at each use; a missing
// one is logged and fails the request (GetStatus then says failed), since
// calling through it would crash. Its absence is normal and logs nothing.
class THiscoreServerLibrary {
 public:
  static constexpr char kName[] = "vqservlet_stub.dll";
  static constexpr int32_t kRunning = 0;
  static constexpr int32_t kDone = 1;
  static constexpr int32_t kFailed = 2;

  // Loads the library and makes its local server.
  THiscoreServerLibrary();
  // Frees the local server, then the library.
  ~THiscoreServerLibrary();
  THiscoreServerLibrary(const THiscoreServerLibrary&) = delete;
  THiscoreServerLibrary& operator=(const THiscoreServerLibrary&) = delete;

  bool IsLoaded() const { return mLibrary.IsOpen(); }

  // Null texts are passed on as null only where noted; others as "".
  void RequestCategories(const char* game);
  // category and username may be null.
  void RequestScores(const char* game, const char* type, const char* category, const char* username);
  void SubmitScore(const char* game, const char* type, const char* accountName, const char* password,
                   const char* guid, const char* version, const char* gameData, int32_t score,
                   const char* key);
  void SubmitMedals(const char* game, const char* type, const char* accountName, const char* password,
                    const char* medalLines, const char* key);

  // kRunning, kDone, or anything else for failure.
  int32_t GetStatus() const;
  // The reply once the status is kDone; "" when the library gives none.
  const char* GetContents() const;

 private:
  // The export of that name as the given function type; null (logged) when
  // the library lacks it.
  template <class Function>
  Function* Export(const char* name) const;
  // Starts a request through the export, or fails it when the export is missing.
  template <class Function, class... Args>
  void Start(const char* name, Args... args);

  sys::DynamicLibrary mLibrary;
  uint32_t mServer = 0;
  bool mHasServer = false;
  bool mRequestFailed = false;  // the last request's export was missing
};
