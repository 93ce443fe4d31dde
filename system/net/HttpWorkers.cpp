#include "system/net/HttpWorkers.h"

#include <curl/curl.h>

#include <atomic>
#include <cstdlib>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

#include "system/os/LayerLog.h"

namespace sys {
namespace {

struct Worker {
  std::thread thread;
  std::shared_ptr<std::atomic<bool>> finished;
};

std::mutex gMutex;
bool gUp = false;
std::list<Worker> gWorkers;
std::atomic<bool> gStopping{false};

// Finished workers are joined when the next one starts, so the list holds
// only the ones that may still run.
void JoinFinishedWorkers() {
  for (auto worker = gWorkers.begin(); worker != gWorkers.end();) {
    if (worker->finished->load(std::memory_order_acquire)) {
      worker->thread.join();
      worker = gWorkers.erase(worker);
    } else {
      ++worker;
    }
  }
}

}  // namespace

bool StartHttp() {
  std::lock_guard lock(gMutex);
  if (gUp) return true;
  if (CURLcode code = curl_global_init(CURL_GLOBAL_DEFAULT); code != CURLE_OK) {
    WriteLog("HTTP cannot start: libcurl error %d", static_cast<int>(code));
    return false;
  }
  static bool shutDownAtExit = (std::atexit(StopHttp), true);
  (void)shutDownAtExit;
  gUp = true;
  return true;
}

bool StartHttpWorker(std::function<void()> work) {
  std::lock_guard lock(gMutex);
  if (!gUp) return false;
  JoinFinishedWorkers();
  auto finished = std::make_shared<std::atomic<bool>>(false);
  try {
    std::thread thread([work = std::move(work), finished] {
      work();
      finished->store(true, std::memory_order_release);
    });
    gWorkers.push_back({std::move(thread), std::move(finished)});
  } catch (const std::system_error& error) {
    WriteLog("HTTP worker cannot start: %s", error.what());
    return false;
  }
  return true;
}

void StopHttp() {
  std::list<Worker> workers;
  {
    std::lock_guard lock(gMutex);
    if (!gUp) return;
    gUp = false;
    workers.swap(gWorkers);
  }
  gStopping.store(true);
  for (Worker& worker : workers) worker.thread.join();
  curl_global_cleanup();
  gStopping.store(false);
}

bool IsHttpStopping() { return gStopping.load(); }

}  // namespace sys
