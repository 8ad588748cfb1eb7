// An estimate window on Qt's offscreen platform: the estimate grid painted by the Qt backend,
// rendered to a PNG under the build folder.
#include "estimate/KivDoc.h"
#include "grid/GyouRecord.h"
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
            doc.m_Gyou[static_cast<std::size_t>(i)] = rows[i];
        doc.m_PoolGyouCount = 3;
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

} // namespace
