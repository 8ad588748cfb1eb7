// The program's entry point: the application on the Qt backend. Until the shell provides the
// program's own application object, a main window with the no-document menu, the toolbars and
// the status bar stands in for it.
#include "platform/qt/QtMain.h"
#include "platform/ui/App.h"
#include "platform/ui/Frame.h"
#include "resources/MainFrameResources.h"

namespace {

class MainWindowOnly : public kiv::ui::MainFrame {
public:
    int onCreate() override {
        addToolbar(res::standardToolbar());
        addToolbar(res::editToolbar());
        statusBar().setIndicators(res::statusIndicators());
        dragAcceptFiles();
        return 0;
    }
};

class StartApp : public kiv::ui::App {
public:
    bool initInstance() override {
        loadStdProfileSettings(5);
        auto* main = setMainFrame(std::make_unique<MainWindowOnly>());
        if (!main->loadFrame(&res::mainFrameMenu(), &res::mainFrameAccelerators(), "Kiv"))
            return false;
        main->show(true);
        return true;
    }
};

} // namespace

int main(int argc, char** argv) {
    StartApp app;
    return kiv::qt::runApplication(app, argc, argv);
}
