#include "platform/qt/QtMain.h"

#include "platform/qt/QtBackend.h"
#include "platform/ui/App.h"
#include "platform/ui/Frame.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kiv::qt {

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
    QApplication qapp(argc, argv);
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
