#pragma once
// Runs an application of the window layer on the Qt backend.
#include <QApplication>

#include <string>

namespace kiv::ui {
class App;
}

namespace kiv::qt {

// The program's Qt application. An exception that escapes the handling of an event (a command,
// a key, a click, a paint) ends there: "内部エラーが発生しました。" with the command that failed
// and the reason is shown, and the program goes on with every window and document it has.
class KivQtApplication : public QApplication {
public:
    KivQtApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

// The text shown for an exception that escaped: the command's name and number when a command
// failed (0: none), then the exception's own words.
std::string escapedExceptionMessage(int commandId, const std::string& what);

// Creates the Qt application, runs app on the Qt backend and returns the exit code.
int runApplication(ui::App& app, int argc, char** argv);

} // namespace kiv::qt
