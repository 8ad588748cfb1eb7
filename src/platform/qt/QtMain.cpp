#include "platform/qt/QtMain.h"

#include "platform/qt/QtBackend.h"
#include "platform/ui/App.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Backend.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"

#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <exception>

namespace kiv::qt {

namespace {

std::string commandName(int id) {
    const ui::App* app = ui::App::instance();
    const ui::MainFrame* frame = app ? app->mainFrame() : nullptr;
    if (frame && frame->prompts())
        if (const std::string* p = frame->prompts()->find(id)) {
            const std::string tip = ui::promptTipText(*p);
            return tip.empty() ? ui::promptPaneText(*p) : tip;
        }
    return {};
}

void reportEscaped(const std::string& what) {
    // A message box runs an event loop of its own: an exception inside it is not reported again
    // on top of the first.
    static bool reporting = false;
    ui::App* app = ui::App::instance();
    const std::string text = escapedExceptionMessage(app ? app->takeFailedCommand() : 0, what);
    std::fprintf(stderr, "kiv: %s\n", text.c_str());
    if (reporting || !ui::hasBackend())
        return;
    reporting = true;
    try {
        ui::messageBox(text, ui::MB_OK | ui::MB_ICONSTOP);
    } catch (...) {
    }
    reporting = false;
}

} // namespace

std::string escapedExceptionMessage(int commandId, const std::string& what) {
    std::string text = "内部エラーが発生しました。";
    if (commandId != 0) {
        const std::string name = commandName(commandId);
        text += "\nコマンド: " + (name.empty() ? std::string() : name + " ") + "(" + std::to_string(commandId) + ")";
    }
    if (!what.empty())
        text += "\n" + what;
    return text;
}

bool KivQtApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reportEscaped(e.what());
    } catch (...) {
        reportEscaped({});
    }
    return false;
}

QTranslator* installJapaneseQtTexts(const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QString dir = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), "qtbase", "_", dir) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

QFont programFont() {
    QFont f("IPAGothic");
    f.setPixelSize(13);
    return f;
}

void setUpApplication() {
    QApplication::setApplicationName("kiv");
    QApplication::setFont(programFont());
    // Without the translations (the package not installed) the program starts all the same.
    installJapaneseQtTexts({});
}

int runApplication(ui::App& app, int argc, char** argv) {
    KivQtApplication qapp(argc, argv);
    setUpApplication();
    std::vector<std::string> args(argv, argv + argc);
    int code;
    {
        QtBackend backend;
        code = ui::runApplication(app, backend, std::move(args));
        // The windows go before the backend and the Qt application.
        if (app.mainFrame())
            app.mainFrame()->destroyWindow();
        ui::collectGarbage();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return code;
}

} // namespace kiv::qt
