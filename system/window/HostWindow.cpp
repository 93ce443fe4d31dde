#include "system/window/HostWindow.h"

#include <map>
#include <mutex>

namespace sys {
namespace {

struct Registry {
  std::mutex mutex;
  std::map<uint32_t, HostWindow*> hosts;
  uint32_t lastHandle = 0;
};

Registry& Hosts() {
  static Registry registry;
  return registry;
}

}  // namespace

uint32_t RegisterHostWindow(HostWindow& host) {
  Registry& registry = Hosts();
  std::lock_guard lock(registry.mutex);
  do {
    ++registry.lastHandle;
  } while (registry.lastHandle == 0 || registry.hosts.count(registry.lastHandle));
  registry.hosts[registry.lastHandle] = &host;
  return registry.lastHandle;
}

void UnregisterHostWindow(uint32_t handle) {
  Registry& registry = Hosts();
  std::lock_guard lock(registry.mutex);
  registry.hosts.erase(handle);
}

HostWindow* FindHostWindow(uint32_t handle) {
  Registry& registry = Hosts();
  std::lock_guard lock(registry.mutex);
  auto found = registry.hosts.find(handle);
  return found == registry.hosts.end() ? nullptr : found->second;
}

}  // namespace sys
