// The program's entry point: the application on the Qt backend.
#include "platform/qt/QtMain.h"
#include "shell/KivApp.h"

int main(int argc, char** argv) {
    CKivApp app;
    return kiv::qt::runApplication(app, argc, argv);
}
