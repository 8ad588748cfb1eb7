#pragma once

namespace kiv::qt {

// Runs the program on the Qt backend; returns the exit code.
int runApplication(int argc, char** argv);

} // namespace kiv::qt
