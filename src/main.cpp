#include "platform/qt/QtMain.h"

int main(int argc, char** argv) { return kiv::qt::runApplication(argc, argv); }
