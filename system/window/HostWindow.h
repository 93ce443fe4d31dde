#pragma once

#include <cstdint>

namespace sys {

// A window of another program that hosts the game as its child. The host is
// named on the command line by a handle; the game sends it notices and asks
// its size. Nothing on this system embeds the game, so the only hosts are
// test doubles that register themselves.
class HostWindow {
 public:
  virtual ~HostWindow() = default;
  virtual int32_t ClientWidth() const = 0;
  // Handles a message at once and answers it.
  virtual int64_t Send(uint32_t code, uint64_t first, int64_t second) = 0;
  // Queues a message for the host.
  virtual void Post(uint32_t code, uint64_t first, int64_t second) = 0;
};

// Makes a host findable by a fresh handle (never 0) and returns the handle.
uint32_t RegisterHostWindow(HostWindow& host);
void UnregisterHostWindow(uint32_t handle);
// The host of that handle; null for 0, unknown or unregistered handles.
HostWindow* FindHostWindow(uint32_t handle);

}  // namespace sys
