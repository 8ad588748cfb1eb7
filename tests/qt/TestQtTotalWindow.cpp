// A totals file opened by the real application on Qt's offscreen platform: its split window with
// the category tree and the totals grid, rendered to a PNG under the build folder.
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "grid/FieldTable.h"
#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "platform/qt/QtBackend.h"
#include "platform/text/Cp932.h"
#include "platform/ui/Frame.h"
#include "qt/QtTestApp.h"
#include "shell/KivApp.h"
#include "shell/TSplitFrame.h"
#include "support/TempDir.h"
#include "totals/TotalDoc.h"
#include "totals/TotalFile.h"
#include "totals/TotalView.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

using namespace kiv;
namespace fs = std::filesystem;

namespace {

TEST(QtTotalWindow, TotalsOpenInTheirSplitWindowAndPaint) {
    QApplication& qapp = test::qtApp();
    (void)qapp;
    test::ScopedProfileHome home;
    test::TempDir exeDir, data;
    qt::QtBackend backend;
    for (const char* name : {"労務単価.rab", "電気設定.ett", "ヘッダー.hdr", "表紙.frm"})
        ASSERT_TRUE(files::writeFileAtomically(exeDir / name, ""));
    CKivDoc::SetProgramDirectory(exeDir.path());
    CKivDoc::s_BackupWriter = [](CKivDoc&) {};
    profile::Profile::user().writeString("Select_Section", "Select", "1");
    using G = GyouRecord;
    std::vector<std::string> rows;
    auto row = [&](int k, int g, const char* hinmei, const char* tanka) {
        std::string r = G::blankRow();
        G::writeKey(r, k, g);
        G::putText(r, G::Hinmei, text::sj(hinmei));
        if (*tanka) {
            G::putNumber(r, G::SekisanSuu1, "1");
            G::putNumber(r, G::Tanka1, tanka);
        }
        rows.push_back(r);
    };
    row(1, 1, "配管", "1234567");
    row(1, 2, "　計", "");
    const fs::path ttl = data / "t.TTL";
    ASSERT_TRUE(files::writeFileAtomically(ttl, WriteTotalFile(rows, static_cast<int>(rows.size()))));
    ui::setBackend(&backend);
    {
        CKivApp app;
        app.setArguments({"kiv", ttl.string()});
        ASSERT_TRUE(app.initInstance());
        test::settle();
        ui::MainFrame* main = app.mainFrame();
        ASSERT_NE(main, nullptr);
        ASSERT_EQ(main->mdiChildren().size(), 1u);
        auto* frame = dynamic_cast<CTSplitFrame*>(main->mdiChildren()[0]);
        ASSERT_NE(frame, nullptr);
        QWidget* tree = qt::QtBackend::widgetOf(*frame->m_wndSplitter->pane(0, 0));
        QWidget* grid = qt::QtBackend::widgetOf(*frame->m_wndSplitter->pane(0, 1));
        ASSERT_NE(tree, nullptr);
        ASSERT_NE(grid, nullptr);
        QWidget* window = qt::QtBackend::widgetOf(*main);
        ASSERT_TRUE(test::savePicture(window, "kiv-totals-window.png"));

        // Dark-blue captions and light-blue cells; 品名 and the grouped unit price of row 1 in ink.
        auto* view = dynamic_cast<CTotalView*>(frame->m_wndSplitter->pane(0, 1));
        ASSERT_NE(view, nullptr);
        const QImage img = grid->grab().toImage();
        const int cw = view->m_CharWidth, lh = view->m_LineHeight;
        ASSERT_GT(cw, 0);
        EXPECT_TRUE(test::colourIn(img, 6 * cw, 36 * cw, 0, lh, QColor(24, 24, 120), 24));
        EXPECT_TRUE(test::colourIn(img, 6 * cw, 36 * cw, 2 * lh, 3 * lh, QColor(230, 250, 255)));
        EXPECT_TRUE(test::inkIn(img, 6 * cw, 12 * cw, 2 * lh + 2, 3 * lh - 2));
        const int x0 = g_TotalFieldTable.XFrom[G::Tanka1 - 1];
        EXPECT_TRUE(test::inkIn(img, x0 * cw, (x0 + 10) * cw, 2 * lh + 2, 3 * lh - 2));
    }
    test::settle();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ui::setBackend(nullptr);
    CKivDoc::s_BackupWriter = nullptr;
    CKivDoc::SetProgramDirectory({});
    CKivDoc::SetRunMode("");
}

} // namespace
