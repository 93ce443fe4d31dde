#pragma once

#include <functional>

namespace sys {

// HTTP transfers run on worker threads of their own, so the main thread never
// waits on the network. libcurl is brought up once, on the main thread, before
// the first worker; shut-down abandons every transfer still running and joins
// every worker before libcurl is cleaned up, so no worker is left inside the
// library while it goes away.

// Brings libcurl up unless it is up; the main thread calls it before starting
// workers. Shut-down at the process's exit is arranged here too. False, with
// a log line, when libcurl cannot start.
bool StartHttp();

// Runs the work on a worker thread of its own. False when HTTP is not up or
// the thread cannot be started.
bool StartHttpWorker(std::function<void()> work);

// Abandons what runs (transfers stop at libcurl's next progress report),
// joins every worker and cleans libcurl up. StartHttp may bring it up again.
void StopHttp();

// True while shut-down waits for the workers: transfers end early.
bool IsHttpStopping();

}  // namespace sys
