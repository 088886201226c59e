#pragma once

// How far a run has got, for whoever shows it (the desktop window's progress bar, the terminal's
// status line). The long loops report at the same places where they look for a stop request; a
// report is two relaxed stores, so a loop of a million rows pays nothing for it, and the one
// showing the progress reads it when it likes, from any thread.

#include <cstdint>
#include <string>

#include "host/host_api.h"

namespace host {

enum class RunStage : int {
    Idle,
    Collecting,  // rows fetched from the host database into the work tables
    Writing,     // lines of the declaration file written
    LayingOut,   // pages of the print form laid out
    Exporting,   // pages of the print form rendered into its file
};

struct RunProgressReading {
    RunStage stage = RunStage::Idle;
    std::int64_t count = 0;
};

// Enters a stage with its count at zero.
HOST_API void enterStage(RunStage stage) noexcept;
// One more unit of the current stage.
HOST_API void advanceStage() noexcept;
HOST_API RunProgressReading readProgress() noexcept;

// The reading as the user reads it, in Russian (UTF-8): "Сбор данных — строк: 12 345"; empty
// while idle.
HOST_API std::string progressText(const RunProgressReading& reading);

}  // namespace host
