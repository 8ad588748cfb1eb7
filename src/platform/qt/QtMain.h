#pragma once
// Runs an application of the window layer on the Qt backend.
#include <QApplication>

#include <string>

class QFont;
class QString;
class QTranslator;

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

// The looks every window of the program takes from the Qt application: its name, the dialog
// and menu font, and Qt's own texts in Japanese. Needs the Qt application.
void setUpApplication();

// The font of the program's menus, bars and dialogs (a dialog takes its family at 12 pixels).
QFont programFont();

// Qt's own texts (the file, print, page set-up and font dialogs, the standard buttons) in
// Japanese whatever the locale, from "qtbase_ja" in `folder` (empty: Qt's translations folder).
// The translator belongs to the Qt application; null when the file is missing or unreadable, and
// those texts stay in Qt's English.
QTranslator* installJapaneseQtTexts(const QString& folder);

} // namespace kiv::qt
