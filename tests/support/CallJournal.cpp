#include "tests/support/CallJournal.h"

#include <algorithm>

void CallJournal::Add(const std::string& entry) {
  {
    std::lock_guard lock(mMutex);
    mEntries.push_back(entry);
  }
  mAdded.notify_all();
}

std::vector<std::string> CallJournal::Entries() const {
  std::lock_guard lock(mMutex);
  return mEntries;
}

int CallJournal::Count(const std::string& entry) const {
  std::lock_guard lock(mMutex);
  return static_cast<int>(std::count(mEntries.begin(), mEntries.end(), entry));
}

int CallJournal::IndexOf(const std::string& entry) const {
  std::lock_guard lock(mMutex);
  auto found = std::find(mEntries.begin(), mEntries.end(), entry);
  return found == mEntries.end() ? -1 : static_cast<int>(found - mEntries.begin());
}

void CallJournal::Clear() {
  std::lock_guard lock(mMutex);
  mEntries.clear();
}

bool CallJournal::WaitFor(const std::string& entry, std::chrono::milliseconds limit) {
  std::unique_lock lock(mMutex);
  return mAdded.wait_for(lock, limit, [&] { return std::find(mEntries.begin(), mEntries.end(), entry) != mEntries.end(); });
}

std::string JournalNumbers(std::initializer_list<int32_t> values) {
  std::string text;
  for (int32_t value : values) text += " " + std::to_string(value);
  return text;
}

std::string DrawRectEntry(int32_t left, int32_t top, int32_t right, int32_t bottom, float alpha, bool textured) {
  return "DrawRect" + JournalNumbers({left, top, right, bottom}) + " alpha " + std::to_string(alpha) +
         (textured ? " target" : "");
}
