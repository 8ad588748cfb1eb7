// An estimate window on Qt's offscreen platform: the estimate grid painted by the Qt backend,
// rendered to a PNG under the build folder.
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "grid/KivView.h"
#include "platform/files/Files.h"
#include "platform/qt/QtBackend.h"
#include "platform/qt/QtDc.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "platform/ui/Frame.h"
#include "qt/QtEstimateApp.h"
#include "qt/QtTestApp.h"
#include "resources/MainFrameResources.h"
#include "support/TempDir.h"
#include "support/UiTestViews.h"

#include <QApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace kiv;
using namespace kiv::ui;
using kiv::text::sj;

namespace {

using kiv::test::EstimateApp;

std::string row(int gyou, const std::string& name, const std::string& quantity, const std::string& price,
                const std::string& amount) {
    std::string r = GyouRecord::blankRow();
    GyouRecord::writeKey(r, 1, gyou);
    GyouRecord::putText(r, GyouRecord::Hinmei, name);
    GyouRecord::putNumber(r, GyouRecord::HiroidasiSuu1, quantity);
    GyouRecord::putNumber(r, GyouRecord::Tanka1, price);
    GyouRecord::putNumber(r, GyouRecord::Kingaku1, amount);
    GyouRecord::putNumber(r, GyouRecord::Hokyuu, "1.0");
    return r;
}

TEST(QtKivView, RendersAnEstimateWindow) {
    kiv::test::qtApp();
    kiv::test::ScopedProfileHome profile;
    kiv::test::TempDir exeDir;
    for (const char* name : {"労務単価.rab", "電気設定.ett", "ヘッダー.hdr", "表紙.frm"})
        ASSERT_TRUE(files::writeFileAtomically(exeDir / name, ""));
    CKivDoc::SetRunMode("1");
    CKivDoc::SetProgramDirectory(exeDir.path());
    CKivDoc::s_BackupWriter = [](CKivDoc&) {};
    {
        CKivDoc doc;
        const std::string rows[] = {
            row(1, sj("配管工事　鋼管"), "12345678", "1234.5", "-1234567"),
            row(2, "CABLE CV 2sq", "250", "999", "249750"),
            row(3, sj("継手ｶﾅ"), "3.5", "12000", "42000"),
        };
        doc.ClearGyou();
        for (int i = 0; i < 3; ++i)
            doc.SetPoolGyou(i, rows[i]);
        doc.SetPoolGyouCount(3);
        doc.RebuildGyouIndex();
        doc.LoadKoumokuGyou();

        qt::QtBackend backend;
        setBackend(&backend);
        EstimateApp app(doc);
        ASSERT_TRUE(app.initInstance());
        app.mainFrame()->setGeometry(Rect::fromSize(0, 0, 1400, 700));
        ASSERT_NE(app.estimate->openDocumentFile({}), nullptr);
        app.mainFrame()->sendCommand(cmd::WindowTileHorz);
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();

        auto* view = dynamic_cast<CKivView*>(app.activeView());
        ASSERT_NE(view, nullptr);
        QWidget* surface = qt::QtBackend::widgetOf(*view);
        ASSERT_NE(surface, nullptr);
        QImage img = surface->grab().toImage();
        const int cw = view->m_CharWidth, lh = view->m_LineHeight;
        ASSERT_EQ(cw, qt::qtMetricsOf(view->GridFont()).aveCharWidth);
        EXPECT_EQ(lh, qt::qtMetricsOf(view->GridFont()).height + 4);
        EXPECT_EQ(view->m_VisibleGyou, (view->clientRect().height() / lh - 2) / 2);

        // The caption lines on grey, the rows on white with ink in 品名, the grouped quantity
        // reaching into its separator cells, and the empty cells of the rows below the item.
        EXPECT_EQ(QColor(img.pixel(12 * cw, 3)), QColor(211, 211, 211));
        EXPECT_TRUE(kiv::test::inkIn(img, 11 * cw, 15 * cw, 0, lh));                   // 品名 caption
        EXPECT_TRUE(kiv::test::inkIn(img, 11 * cw, 25 * cw, 2 * lh, 3 * lh - 4));        // 配管工事　鋼管
        EXPECT_TRUE(kiv::test::inkIn(img, 42 * cw, 44 * cw, 2 * lh, 3 * lh - 4));        // "12," in the separator cells
        EXPECT_EQ(QColor(img.pixel(30 * cw, 2 * lh + 2)), QColor(255, 255, 255));
        EXPECT_FALSE(kiv::test::inkIn(img, 11 * cw + 1, 40 * cw, 8 * lh + 1, 9 * lh - 4));   // row 4: empty
        EXPECT_EQ(app.mainFrame()->statusBar().paneTextById(res::ID_INDICATOR_STYLE), "労務費を計上して積算");

        QWidget* window = qt::QtBackend::widgetOf(*app.mainFrame());
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(kiv::test::savePicture(window, "qt-estimate-window.png"));

        app.mainFrame()->destroyWindow();
        collectGarbage();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setBackend(nullptr);
    }
    CKivDoc::s_BackupWriter = nullptr;
    CKivDoc::SetProgramDirectory({});
    CKivDoc::SetRunMode("");
}

// Text committed by an input method and keys typed on the keyboard reach the grid as the CP932
// bytes it stores, a double-byte character as its lead byte and then its trail byte.
TEST(QtKivView, InputMethodTextAndKeysReachTheGridAsCp932Bytes) {
    kiv::test::qtApp();
    kiv::test::ScopedProfileHome profile;
    kiv::test::TempDir exeDir;
    for (const char* name : {"労務単価.rab", "電気設定.ett", "ヘッダー.hdr", "表紙.frm"})
        ASSERT_TRUE(files::writeFileAtomically(exeDir / name, ""));
    CKivDoc::SetRunMode("1");
    CKivDoc::SetProgramDirectory(exeDir.path());
    CKivDoc::s_BackupWriter = [](CKivDoc&) {};
    {
        CKivDoc doc;
        doc.ClearGyou();
        doc.SetPoolGyou(0, row(1, "", "", "", ""));
        doc.SetPoolGyouCount(1);
        doc.RebuildGyouIndex();
        doc.LoadKoumokuGyou();

        qt::QtBackend backend;
        setBackend(&backend);
        EstimateApp app(doc);
        ASSERT_TRUE(app.initInstance());
        app.mainFrame()->setGeometry(Rect::fromSize(0, 0, 1400, 700));
        ASSERT_NE(app.estimate->openDocumentFile({}), nullptr);
        kiv::test::settle();
        auto* view = dynamic_cast<CKivView*>(app.activeView());
        ASSERT_NE(view, nullptr);
        QWidget* surface = qt::QtBackend::widgetOf(*view);
        ASSERT_NE(surface, nullptr);
        auto placeCursor = [&](int field) {
            doc.m_CurGyou[0] = 1;
            doc.m_ScreenGyou[0] = 1;
            doc.m_TopGyou[0] = 0;
            view->m_CurField[0] = field;
            view->LoadGyou();
            view->CalcFieldPos();
            // The input-method rule of a click: conversion on in 品名 and 規格, off on numbers.
            view->setImeOpen(view->m_FieldPos.IsText == 1);
        };
        auto commit = [&](const char* utf8) {
            QInputMethodEvent e;
            e.setCommitString(QString::fromUtf8(utf8));
            QApplication::sendEvent(surface, &e);
        };
        auto key = [&](Qt::Key k, const QString& text) {
            QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
            QApplication::sendEvent(surface, &press);
            QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text);
            QApplication::sendEvent(surface, &release);
        };
        auto stored = [&](int field) { return std::string(GyouRecord::raw(doc.WorkGyouAt(1), field)); };

        placeCursor(GyouRecord::Hinmei);
        EXPECT_TRUE(surface->testAttribute(Qt::WA_InputMethodEnabled));   // text cell: conversion on
        commit("配管");
        EXPECT_EQ(stored(GyouRecord::Hinmei).substr(0, 4), sj("配管"));
        EXPECT_EQ(view->m_CaretOfs, 4);
        placeCursor(GyouRecord::Kikaku);
        for (char c : std::string("VE16"))
            key(c >= 'A' ? static_cast<Qt::Key>(Qt::Key_A + (c - 'A')) : static_cast<Qt::Key>(Qt::Key_0 + (c - '0')),
                QString(QChar(c)));
        EXPECT_EQ(stored(GyouRecord::Kikaku).substr(0, 4), "VE16");
        placeCursor(GyouRecord::HiroidasiSuu1);
        EXPECT_FALSE(surface->testAttribute(Qt::WA_InputMethodEnabled));   // numbers: direct input
        key(Qt::Key_1, "1");
        key(Qt::Key_0, "0");
        key(Qt::Key_Return, "\r");
        EXPECT_EQ(stored(GyouRecord::HiroidasiSuu1), "      10");
        EXPECT_EQ(view->m_CurField[0], GyouRecord::HiroidasiSuu2);

        app.mainFrame()->destroyWindow();
        collectGarbage();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setBackend(nullptr);
    }
    CKivDoc::s_BackupWriter = nullptr;
    CKivDoc::SetProgramDirectory({});
    CKivDoc::SetRunMode("");
}

} // namespace
