#pragma once
// What the Qt tests share: the one QApplication (made on first use, deleted when the tests end,
// before the process exits, while Qt's own globals still exist), the folder their pictures go
// to, running the event loop until windows settle, and looking for ink in a rendered picture.
#include <QApplication>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/ui/App.h"

namespace kiv::test {

inline QApplication& qtApp() {
    if (auto* a = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *a;
    static int argc = 1;
    static char name[] = "kiv_qt_tests";
    static char* argv[] = {name, nullptr};
    auto* app = new QApplication(argc, argv);
    struct Teardown : ::testing::Environment {
        void TearDown() override { delete QCoreApplication::instance(); }
    };
    ::testing::AddGlobalTestEnvironment(new Teardown);
    return *app;
}

// The folder for rendered pictures (KIV_TEST_OUTPUT, else test-output), created when missing.
inline std::filesystem::path outputFolder() {
    const char* env = std::getenv("KIV_TEST_OUTPUT");
    std::filesystem::path p = env ? env : "test-output";
    std::filesystem::create_directories(p);
    return p;
}

// Runs posted events and collects closed windows until the windows have settled.
inline void settle() {
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        kiv::ui::collectGarbage();
    }
}

// Renders the widget into outputFolder()/name; true when a picture of some substance was written.
inline bool savePicture(QWidget* w, const std::string& name) {
    auto png = outputFolder() / name;
    return w && w->grab().save(QString::fromStdString(png.string())) && std::filesystem::file_size(png) > 1000u;
}

// True when a dark pixel stands in the rectangle [x0, x1) x [y0, y1) of the picture.
inline bool inkIn(const QImage& img, int x0, int x1, int y0, int y1) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (qGray(img.pixel(x, y)) < 128)
                return true;
    return false;
}

} // namespace kiv::test
