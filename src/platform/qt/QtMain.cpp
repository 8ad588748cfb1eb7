#include "platform/qt/QtMain.h"

#include "platform/qt/QtBackend.h"
#include "platform/ui/App.h"
#include "platform/ui/Frame.h"

#include <QApplication>
#include <QFont>

namespace kiv::qt {

int runApplication(ui::App& app, int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("kiv");
    QFont f("IPAGothic");
    f.setPixelSize(13);
    QApplication::setFont(f);
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
