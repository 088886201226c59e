// A user's request to stop the run, and the signals that make it.
#include "host/stop/stop_request.h"

#include <pthread.h>

#include <atomic>
#include <csignal>

namespace host {
namespace {

std::atomic<int> gRequest{-1};
static_assert(std::atomic<int>::is_always_lock_free, "read from a signal handler");

extern "C" void onStopSignal(int signal) { requestStop(signal); }

}  // namespace

StopRequested::StopRequested(int signal) : std::runtime_error("the run was stopped"), signal_(signal) {}

void requestStop(int signal) noexcept {
    int none = -1;
    gRequest.compare_exchange_strong(none, signal);
}

bool stopRequested() noexcept { return gRequest.load(std::memory_order_relaxed) >= 0; }

void throwIfStopRequested() {
    const int signal = gRequest.load(std::memory_order_relaxed);
    if (signal >= 0) throw StopRequested(signal);
}

void clearStopRequest() noexcept { gRequest.store(-1); }

StopSignalsHeld::StopSignalsHeld() {
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stops, &previous_);
}

StopSignalsHeld::~StopSignalsHeld() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

void installStopSignals() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // Calls in progress go on: the loops notice the request at their next row or page, and no
    // write fails half way with an interruption mistaken for a disk error.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace host
