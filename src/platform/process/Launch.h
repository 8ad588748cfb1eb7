#pragma once
// Starting another program of the desktop (the mail composer) without a shell: the program is
// looked up on PATH and given its arguments as they are, so a file name with blanks or quotes
// stays one argument.
#include <chrono>
#include <string>
#include <vector>

namespace kiv::process {

enum class LaunchOutcome {
    NotStarted,   // no such program, or it could not be run
    Failed,       // it ended with a status other than 0 within the wait
    Done,         // it ended with status 0 within the wait
    Running,      // still running when the wait ended; it is left to run on its own
};

// Starts `program` with `args` and waits at most `wait` for it to end. A program still running
// then is reaped in the background when it ends, so it never lingers as a zombie.
LaunchOutcome launch(const std::string& program, const std::vector<std::string>& args,
                     std::chrono::milliseconds wait);

} // namespace kiv::process
