#pragma once

// A user's request to stop the run (Ctrl+C, a kill, the desktop program's Cancel). Long loops ask
// for it at every row or page, so a stop never waits for the end of a big quarter.

#include <signal.h>

#include <stdexcept>

#include "host/host_api.h"

namespace host {

// Thrown where a loop notices the request; handlers remove their temporary files on the way out.
class HOST_API StopRequested : public std::runtime_error {
public:
    explicit StopRequested(int signal);
    // The signal that asked for the stop, 0 for a request from inside the program.
    int signal() const { return signal_; }

private:
    int signal_;
};

// Async-signal-safe: may be called from a signal handler.
HOST_API void requestStop(int signal) noexcept;
HOST_API bool stopRequested() noexcept;
// Throws StopRequested when a stop was asked for.
HOST_API void throwIfStopRequested();
// Forgets an earlier request (a new run in the same process).
HOST_API void clearStopRequest() noexcept;

// SIGINT and SIGTERM from now on ask for a stop instead of ending the process at once. Installed
// after the database client, whose own handlers would otherwise take these signals over.
HOST_API void installStopSignals();

// Holds SIGINT and SIGTERM back from the calling thread, and from the threads it starts
// meanwhile (they inherit the mask), for the object's life; then the earlier mask is back and a
// signal that came meanwhile is taken.
class HOST_API StopSignalsHeld {
public:
    StopSignalsHeld();
    ~StopSignalsHeld();
    StopSignalsHeld(const StopSignalsHeld&) = delete;
    StopSignalsHeld& operator=(const StopSignalsHeld&) = delete;

private:
    sigset_t previous_;
};

}  // namespace host
