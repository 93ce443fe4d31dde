#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

// The calls that fakes received, in order, from any thread.
class CallJournal {
 public:
  void Add(const std::string& entry);
  std::vector<std::string> Entries() const;
  int Count(const std::string& entry) const;
  bool Contains(const std::string& entry) const { return Count(entry) > 0; }
  // Position of the first entry equal to the text; -1 when none.
  int IndexOf(const std::string& entry) const;
  void Clear();
  // Waits until the entry is added (another thread adds it); false when the
  // limit passes first.
  bool WaitFor(const std::string& entry, std::chrono::milliseconds limit = std::chrono::seconds(10));

 private:
  mutable std::mutex mMutex;
  std::condition_variable mAdded;
  std::vector<std::string> mEntries;
};

// How the drawing fakes write their entries: " 1 2 3" for the numbers, and a
// rectangle drawn with its alpha and whether it had a texture.
std::string JournalNumbers(std::initializer_list<int32_t> values);
std::string DrawRectEntry(int32_t left, int32_t top, int32_t right, int32_t bottom, float alpha, bool textured);
