#pragma once

// One long run at a time in the program.

namespace desk {

// A generate and the saving of a print form both go by the program's one stop request and its one
// set of progress counters (host/stop, host/progress): a Cancel of one would stop the other, and
// their counts would mix. So the second waits for the first to end.
class LongRunGate {
public:
    // False while another run holds the gate.
    static bool tryEnter();
    static void leave();
};

}  // namespace desk
