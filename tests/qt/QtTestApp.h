#pragma once
// What the Qt tests share: the one QApplication (made on first use, deleted when the tests end,
// before the process exits, while Qt's own globals still exist), the folder their pictures go
// to, running the event loop until windows settle, and looking for ink in a rendered picture.
#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/Files.h"
#include "platform/qt/QtMain.h"
#include "platform/ui/App.h"

namespace kiv::test {

inline QApplication& qtApp() {
    if (auto* a = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *a;
    static int argc = 1;
    static char name[] = "kiv_qt_tests";
    static char* argv[] = {name, nullptr};
    // The program's own application, so the tests' events pass the same guard as the user's.
    auto* app = new kiv::qt::KivQtApplication(argc, argv);
    struct Teardown : ::testing::Environment {
        void TearDown() override { delete QCoreApplication::instance(); }
    };
    ::testing::AddGlobalTestEnvironment(new Teardown);
    return *app;
}

// The folder for rendered pictures (KIV_TEST_OUTPUT, else test-output beside the test program,
// in the build folder, wherever the program was started from), created when missing.
inline std::filesystem::path outputFolder() {
    const char* env = std::getenv("KIV_TEST_OUTPUT");
    std::filesystem::path p = env && *env ? std::filesystem::path(env) : kiv::files::programDirectory() / "test-output";
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

// True when some pixel of the rectangle [x0, x1) x [y0, y1) of the picture differs from its
// first pixel: something was drawn there.
inline bool drawnIn(const QImage& img, int x0, int x1, int y0, int y1) {
    x0 = std::max(x0, 0), y0 = std::max(y0, 0), x1 = std::min(x1, img.width()), y1 = std::min(y1, img.height());
    if (x0 >= x1 || y0 >= y1)
        return false;
    const QRgb first = img.pixel(x0, y0);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (img.pixel(x, y) != first)
                return true;
    return false;
}

// Renders the widget into outputFolder()/name; true when a picture was written and it is more
// than one flat colour.
inline bool savePicture(QWidget* w, const std::string& name) {
    if (!w)
        return false;
    auto png = outputFolder() / name;
    const QImage img = w->grab().toImage();
    return img.save(QString::fromStdString(png.string())) && drawnIn(img, 0, img.width(), 0, img.height());
}

// True when a dark pixel stands in the rectangle [x0, x1) x [y0, y1) of the picture.
inline bool inkIn(const QImage& img, int x0, int x1, int y0, int y1) {
    x0 = std::max(x0, 0), y0 = std::max(y0, 0), x1 = std::min(x1, img.width()), y1 = std::min(y1, img.height());
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (qGray(img.pixel(x, y)) < 128)
                return true;
    return false;
}

// True when a pixel of the rectangle [x0, x1) x [y0, y1) has the colour, each channel within
// `tolerance` (text is smoothed at its edges; its strokes keep the colour drawn).
inline bool colourIn(const QImage& img, int x0, int x1, int y0, int y1, QColor colour, int tolerance = 0) {
    x0 = std::max(x0, 0), y0 = std::max(y0, 0), x1 = std::min(x1, img.width()), y1 = std::min(y1, img.height());
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const QColor c = img.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) <= tolerance && std::abs(c.green() - colour.green()) <= tolerance &&
                std::abs(c.blue() - colour.blue()) <= tolerance)
                return true;
        }
    return false;
}

// The captions of the labels and buttons of `top` that show no ink in their own rectangle of
// the picture of `top`: empty when every caption was really drawn.
inline std::vector<std::string> captionsWithoutInk(QWidget* top) {
    const QImage img = top->grab().toImage();
    std::vector<std::string> blank;
    auto check = [&](QWidget* w, const QString& text) {
        if (text.trimmed().isEmpty() || !w->isVisibleTo(top))
            return;
        const QRect r(w->mapTo(top, QPoint(0, 0)), w->size());
        if (!inkIn(img, r.left(), r.right() + 1, r.top(), r.bottom() + 1))
            blank.push_back(text.toStdString());
    };
    for (QLabel* l : top->findChildren<QLabel*>())
        check(l, l->text());
    for (QAbstractButton* b : top->findChildren<QAbstractButton*>())
        check(b, b->text());
    return blank;
}

} // namespace kiv::test
