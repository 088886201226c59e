// The program's single long run.
#include "desk/long_run_gate.h"

#include <atomic>

namespace desk {
namespace {
std::atomic<bool> gHeld{false};
}

bool LongRunGate::tryEnter() {
    bool expected = false;
    return gHeld.compare_exchange_strong(expected, true);
}

void LongRunGate::leave() { gHeld = false; }

}  // namespace desk
