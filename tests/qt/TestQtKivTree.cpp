// The estimate window with its tree pane on Qt's offscreen platform: the real application started
// with an estimate of three titled items, the tree listing them, in the default grid font size
// and in 20, each rendered to a PNG under the build folder.
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivFile.h"
#include "estimate/KivTree.h"
#include "grid/KivView.h"
#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "platform/qt/QtBackend.h"
#include "platform/text/Cp932.h"
#include "platform/ui/Frame.h"
#include "qt/QtTestApp.h"
#include "shell/KivApp.h"
#include "shell/SplitFrame.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace kiv;
using kiv::text::sj;
namespace fs = std::filesystem;

namespace {

std::string row(int item, int gyou, const char* kigou, const char* name, const char* kikaku) {
    std::string r = GyouRecord::blankRow();
    GyouRecord::writeKey(r, item, gyou);
    GyouRecord::putText(r, GyouRecord::Kigou, kigou);
    GyouRecord::putText(r, GyouRecord::Hinmei, sj(name));
    GyouRecord::putText(r, GyouRecord::Kikaku, sj(kikaku));
    GyouRecord::putNumber(r, GyouRecord::Hokyuu, "1.0");
    return r;
}

// Starts the application on the estimate, checks the tree and saves the main window as `png`.
void renderEstimateWithTree(int fontSize, const std::string& png) {
    test::qtApp();
    test::ScopedProfileHome home;
    test::TempDir exeDir, data;
    for (const char* name : {"労務単価.rab", "電気設定.ett", "ヘッダー.hdr", "表紙.frm"})
        ASSERT_TRUE(files::writeFileAtomically(exeDir / name, ""));
    CKivDoc::SetProgramDirectory(exeDir.path());
    CKivDoc::s_BackupWriter = [](CKivDoc&) {};
    profile::Profile::user().writeString("Select_Section", "Select", "1");
    profile::Profile::user().writeInt("Font_Size_Section", "Font_Size", fontSize);

    std::array<std::string, kKivHyousiCount> covers;
    const std::vector<std::string> rows = {
        row(1, 1, "A", "屋内配管工事", "ＳＧＰ白　２０Ａ"), row(1, 2, "", "継手", ""),
        row(2, 1, "B", "幹線設備", "ＣＶ３８ｓｑ－３Ｃ"), row(3, 1, "C", "照明器具取付", "ＦＬ４０×２"),
    };
    fs::path job = data / "見積.KIV";
    ASSERT_TRUE(files::writeFileAtomically(job, WriteKivFile(covers, rows)));

    qt::QtBackend backend;
    ui::setBackend(&backend);
    {
        CKivApp app;
        app.setArguments({"kiv", job.string()});
        ASSERT_TRUE(app.initInstance());
        kiv::test::settle();
        ui::MainFrame* main = app.mainFrame();
        ASSERT_NE(main, nullptr);
        ASSERT_EQ(main->mdiChildren().size(), 1u);
        auto* frame = dynamic_cast<CSplitFrame*>(main->mdiChildren()[0]);
        ASSERT_NE(frame, nullptr);
        auto* tree = dynamic_cast<CKivTree*>(frame->m_wndSplitter->pane(0, 0));
        ASSERT_NE(tree, nullptr);
        EXPECT_EQ(tree->count(), 4);
        EXPECT_EQ(tree->m_FontSize, fontSize);
        EXPECT_EQ(tree->itemText(tree->childItem(tree->rootItem())).substr(0, 12), "0001A   " + sj("屋内"));

        QWidget* window = qt::QtBackend::widgetOf(*main);
        ASSERT_NE(window, nullptr);
        window->resize(1000, 520);
        kiv::test::settle();
        ASSERT_TRUE(kiv::test::savePicture(window, png));

        // The name of row 1 starts with 屋, one full-width glyph over cells 11 and 12: both cells
        // carry ink, and the cells after 屋内配管工事 none.
        auto* view = dynamic_cast<CKivView*>(frame->m_wndSplitter->pane(0, 1));
        ASSERT_NE(view, nullptr);
        const QImage img = qt::QtBackend::widgetOf(*view)->grab().toImage();
        const int cw = view->m_CharWidth, lh = view->m_LineHeight;
        ASSERT_GT(cw, 0);
        const int y0 = 2 * lh + 2, y1 = 3 * lh - 2;
        EXPECT_TRUE(kiv::test::inkIn(img, 11 * cw + 1, 12 * cw, y0, y1));
        EXPECT_TRUE(kiv::test::inkIn(img, 12 * cw, 13 * cw - 1, y0, y1));
        EXPECT_TRUE(kiv::test::inkIn(img, 21 * cw + 1, 23 * cw - 1, y0, y1));   // 事, the sixth glyph
        EXPECT_FALSE(kiv::test::inkIn(img, 23 * cw + 1, 40 * cw, y0, y1));
        // The tree draws a label for each item: ink on the lines of items 1-3, none below.
        QWidget* treeWidget = qt::QtBackend::widgetOf(*tree);
        ASSERT_NE(treeWidget, nullptr);
        const QImage treeImg = treeWidget->grab().toImage();
        EXPECT_TRUE(kiv::test::drawnIn(treeImg, 0, treeImg.width(), 0, treeImg.height() / 2));
    }
    kiv::test::settle();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ui::setBackend(nullptr);
    CKivDoc::s_BackupWriter = nullptr;
    CKivDoc::SetProgramDirectory({});
    CKivDoc::SetRunMode("");
}

TEST(QtKivTree, RendersTheItemsOfAnEstimate) { renderEstimateWithTree(14, "qt-estimate-tree.png"); }

TEST(QtKivTree, RendersTheLabelsInTheGridFontSize) { renderEstimateWithTree(20, "qt-estimate-tree-20.png"); }

} // namespace
