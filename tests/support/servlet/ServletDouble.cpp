#include "tests/support/servlet/ServletDouble.h"

#include <initializer_list>
#include <string>

// Built without GetStatus and SubmitMedals where SERVLET_DOUBLE_PARTIAL is
// defined, to stand for a library that lacks exports.

namespace {

std::string gJournal;
int32_t gStatus = 0;
std::string gContents;
bool gHasContents = false;

std::string Shown(const char* text) { return text ? text : "<null>"; }

void Record(const char* name, uint32_t handle, std::initializer_list<std::string> arguments) {
  gJournal += std::string(name) + "(" + std::to_string(handle);
  for (const std::string& argument : arguments) gJournal += "," + argument;
  gJournal += ")\n";
}

}  // namespace

extern "C" {

void ServletDouble_Script(int32_t status, const char* contents) {
  gJournal.clear();
  gStatus = status;
  gHasContents = contents != nullptr;
  gContents = contents ? contents : "";
}

const char* ServletDouble_Journal() { return gJournal.c_str(); }

uint32_t HiscoreServer_CreateLocalServer() {
  Record("CreateLocalServer", 0, {});
  return kServletDoubleHandle;
}

void HiscoreServer_FreeLocalServer(uint32_t handle) { Record("FreeLocalServer", handle, {}); }

void HiscoreServer_RequestCategoryInformation(uint32_t handle, const char* game) {
  Record("RequestCategoryInformation", handle, {Shown(game)});
}

void HiscoreServer_RequestScores(uint32_t handle, const char* game, const char* type, const char* category,
                                 const char* username) {
  Record("RequestScores", handle, {Shown(game), Shown(type), Shown(category), Shown(username)});
}

void HiscoreServer_SubmitScore(uint32_t handle, const char* game, const char* type, const char* name,
                               const char* password, const char* guid, const char* version, const char* data,
                               int32_t score, const char* key) {
  Record("SubmitScore", handle,
         {Shown(game), Shown(type), Shown(name), Shown(password), Shown(guid), Shown(version), Shown(data),
          std::to_string(score), Shown(key)});
}

#ifndef SERVLET_DOUBLE_PARTIAL
void HiscoreServer_SubmitMedals(uint32_t handle, const char* game, const char* type, const char* name,
                                const char* password, const char* medals, const char* key) {
  Record("SubmitMedals", handle, {Shown(game), Shown(type), Shown(name), Shown(password), Shown(medals), Shown(key)});
}

int32_t HiscoreServer_GetStatus(uint32_t handle) {
  Record("GetStatus", handle, {});
  return gStatus;
}
#endif

const char* HiscoreServer_GetContents(uint32_t handle) {
  Record("GetContents", handle, {});
  return gHasContents ? gContents.c_str() : nullptr;
}

}  // extern "C"
