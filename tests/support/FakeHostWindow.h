#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "system/window/HostWindow.h"

// A program that embeds the game, as far as the game can see one: it is
// findable by its handle while it lives and records what the game tells it.
class FakeHostWindow final : public sys::HostWindow {
 public:
  struct Received {
    uint32_t code;
    uint64_t first;
    int64_t second;
    bool sent;  // Send rather than Post
  };

  explicit FakeHostWindow(int32_t clientWidth = 800);
  ~FakeHostWindow() override;
  FakeHostWindow(const FakeHostWindow&) = delete;
  FakeHostWindow& operator=(const FakeHostWindow&) = delete;

  uint32_t Handle() const { return mHandle; }
  int32_t ClientWidth() const override { return mClientWidth; }
  int64_t Send(uint32_t code, uint64_t first, int64_t second) override;
  void Post(uint32_t code, uint64_t first, int64_t second) override;

  // The texts posted as message 1024, as a host reassembles them: each
  // message carries eight bytes in two little-endian words, and a text ends
  // at its zero byte (the rest of that message means nothing).
  std::vector<std::string> Texts() const;

  std::vector<Received> received;
  // Called with each text as its last message arrives: what the host does
  // on hearing it (a host answers the game's notices with its commands).
  std::function<void(const std::string& text)> onText;
  int64_t answer = 1;  // what Send returns

 private:
  int32_t mClientWidth;
  uint32_t mHandle;
};
