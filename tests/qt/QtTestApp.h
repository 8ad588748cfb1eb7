#pragma once
// The one QApplication of the Qt tests: made on first use, deleted when the tests end (before
// the process exits, while Qt's own globals still exist).
#include <QApplication>

#include <gtest/gtest.h>

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

} // namespace kiv::test
