#include "tests/support/FakeHostWindow.h"

namespace {

constexpr uint32_t kHostTextMessage = 1024;

// The eight bytes of a text message, first byte lowest.
uint64_t HostPiece(const FakeHostWindow::Received& post) {
  return static_cast<uint32_t>(post.first) | uint64_t{static_cast<uint32_t>(post.second)} << 32;
}

bool HoldsZeroByte(uint64_t piece) {
  for (int byte = 0; byte < 8; ++byte) {
    if (((piece >> (8 * byte)) & 0xff) == 0) return true;
  }
  return false;
}

}  // namespace

FakeHostWindow::FakeHostWindow(int32_t clientWidth)
    : mClientWidth(clientWidth), mHandle(sys::RegisterHostWindow(*this)) {}

FakeHostWindow::~FakeHostWindow() { sys::UnregisterHostWindow(mHandle); }

int64_t FakeHostWindow::Send(uint32_t code, uint64_t first, int64_t second) {
  received.push_back({code, first, second, true});
  return answer;
}

void FakeHostWindow::Post(uint32_t code, uint64_t first, int64_t second) {
  received.push_back({code, first, second, false});
  if (code != kHostTextMessage || !onText) return;
  if (HoldsZeroByte(HostPiece(received.back()))) onText(Texts().back());
}

std::vector<std::string> FakeHostWindow::Texts() const {
  std::vector<std::string> texts;
  std::string current;
  for (const Received& post : received) {
    if (post.code != kHostTextMessage || post.sent) continue;
    const uint64_t piece = HostPiece(post);
    for (int byte = 0; byte < 8; ++byte) {
      const char c = static_cast<char>((piece >> (8 * byte)) & 0xff);
      if (c == '\0') {
        texts.push_back(current);
        current.clear();
        break;
      }
      current += c;
    }
  }
  return texts;
}
