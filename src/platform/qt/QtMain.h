#pragma once
// Runs an application of the window layer on the Qt backend.
namespace kiv::ui {
class App;
}

namespace kiv::qt {

// Creates the Qt application, runs app on the Qt backend and returns the exit code.
int runApplication(ui::App& app, int argc, char** argv);

} // namespace kiv::qt
