#include "tests/support/FakeHostWindow.h"

FakeHostWindow::FakeHostWindow(int32_t clientWidth)
    : mClientWidth(clientWidth), mHandle(sys::RegisterHostWindow(*this)) {}

FakeHostWindow::~FakeHostWindow() { sys::UnregisterHostWindow(mHandle); }

int64_t FakeHostWindow::Send(uint32_t code, uint64_t first, int64_t second) {
  received.push_back({code, first, second, true});
  return answer;
}

void FakeHostWindow::Post(uint32_t code, uint64_t first, int64_t second) {
  received.push_back({code, first, second, false});
}
