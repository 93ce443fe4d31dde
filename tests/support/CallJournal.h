#pragma once

#include <chrono>
#include <condition_variable>
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
