#include "platform/qt/QtMain.h"

#include <QApplication>

namespace kiv::qt {

int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("kiv");
    return 0;
}

} // namespace kiv::qt
