// The shared progress counters of a run.
#include "host/progress/run_progress.h"

#include <atomic>

namespace host {
namespace {

std::atomic<int> gStage{static_cast<int>(RunStage::Idle)};
std::atomic<std::int64_t> gCount{0};

}  // namespace

void enterStage(RunStage stage) noexcept {
    gCount.store(0, std::memory_order_relaxed);
    gStage.store(static_cast<int>(stage), std::memory_order_relaxed);
}

void advanceStage() noexcept {
    // Only the running thread writes; a plain load and store is enough and never locks the bus.
    gCount.store(gCount.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
}

RunProgressReading readProgress() noexcept {
    return {static_cast<RunStage>(gStage.load(std::memory_order_relaxed)), gCount.load(std::memory_order_relaxed)};
}

std::string progressText(const RunProgressReading& reading) {
    const char* what = "";
    switch (reading.stage) {
        case RunStage::Idle: return {};
        case RunStage::Collecting: what = "Сбор данных — строк: "; break;
        case RunStage::Writing: what = "Запись декларации — строк: "; break;
        case RunStage::LayingOut: what = "Разметка печатной формы — страниц: "; break;
        case RunStage::Exporting: what = "Вывод печатной формы — страниц: "; break;
    }
    // Thousands apart, as the user reads long numbers.
    const std::string digits = std::to_string(reading.count);
    std::string text = what;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ' ';
        text += digits[i];
    }
    return text;
}

}  // namespace host
