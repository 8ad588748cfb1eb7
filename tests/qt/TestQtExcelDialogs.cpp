// The breakdown workbook's dialog and the progress window on the Qt backend (offscreen),
// rendered to PNGs under the build folder so their layout can be looked at.
#include "estimate/KivDoc.h"
#include "export/DaikaExcelDialog.h"
#include "export/ExcelDialog.h"
#include "export/excel/ProgressDlg.h"
#include "platform/qt/QtBackend.h"
#include "qt/QtTestApp.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::ui;

namespace {

class QtExcelDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        kiv::test::qtApp();
        m_OldFont = QApplication::font();
        QFont f("IPAGothic");
        f.setPixelSize(12);
        QApplication::setFont(f);
        setBackend(&backend);
        CKivDoc::SetProgramDirectory(exe.path());
    }
    void TearDown() override {
        CKivDoc::SetProgramDirectory({});
        collectGarbage();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setBackend(nullptr);
        QApplication::setFont(m_OldFont);
    }

    kiv::test::ScopedProfileHome profile;
    kiv::test::TempDir exe;
    qt::QtBackend backend;
    QFont m_OldFont;
};

TEST_F(QtExcelDialogs, BreakdownDialogShowsItsOptionsAndProposal) {
    ExcelDialog d(exe / "工事.KIV");
    ASSERT_TRUE(d.createModeless());
    d.show(true);
    kiv::test::settle();
    QWidget* w = qt::QtBackend::widgetOf(d);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(kiv::test::savePicture(w, "excel-dialog.png"));
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("内訳書EXCEL出力"));
    auto edits = w->findChildren<QLineEdit*>();
    ASSERT_EQ(edits.size(), 1);
    EXPECT_EQ(edits[0]->text().toStdString(), (exe / "工事.XLSX").string());
    EXPECT_EQ(w->findChildren<QCheckBox*>().size(), 4);
    EXPECT_TRUE(kiv::test::captionsWithoutInk(w).empty());
    d.destroyWindow();
}

TEST_F(QtExcelDialogs, UnitPriceWorkbookDialogShowsItsPathAndBrowseButton) {
    CDaikaExcelDialog d(exe / "工事.KIV");
    ASSERT_TRUE(d.createModeless());
    d.show(true);
    kiv::test::settle();
    QWidget* w = qt::QtBackend::widgetOf(d);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(kiv::test::savePicture(w, "daika-excel-dialog.png"));
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("単価表EXCEL出力"));
    auto edits = w->findChildren<QLineEdit*>();
    ASSERT_EQ(edits.size(), 1);
    EXPECT_EQ(edits[0]->text().toStdString(), (exe / "工事.XLSX").string());
    EXPECT_EQ(w->findChildren<QCheckBox*>().size(), 1);
    // 参照 sits right of the edit's label row, under ｷｬﾝｾﾙ, inside the dialog.
    QPushButton* browse = nullptr;
    QPushButton* cancel = nullptr;
    for (QPushButton* b : w->findChildren<QPushButton*>()) {
        if (b->text() == QString::fromUtf8("参照"))
            browse = b;
        if (b->text() == QString::fromUtf8("ｷｬﾝｾﾙ"))
            cancel = b;
    }
    ASSERT_TRUE(browse && cancel);
    EXPECT_GT(browse->geometry().top(), cancel->geometry().bottom());
    EXPECT_LT(browse->geometry().bottom(), edits[0]->geometry().top() + edits[0]->height());
    EXPECT_TRUE(w->rect().contains(browse->geometry()));
    EXPECT_TRUE(kiv::test::captionsWithoutInk(w).empty());
    d.destroyWindow();
}

TEST_F(QtExcelDialogs, ProgressWindowShowsItsBarAndIgnoresEsc) {
    CProgressDlg p;
    ASSERT_TRUE(p.Open(nullptr));
    p.SetRange(4);
    p.SetPos(2);
    kiv::test::settle();
    QWidget* w = qt::QtBackend::widgetOf(p);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(kiv::test::savePicture(w, "progress-window.png"));
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("EXCELファイル出力"));
    auto bars = w->findChildren<QProgressBar*>();
    ASSERT_EQ(bars.size(), 1);
    EXPECT_EQ(bars[0]->minimum(), 0);
    EXPECT_EQ(bars[0]->maximum(), 3);
    EXPECT_EQ(bars[0]->value(), 2);
    // Esc belongs to the export: the window stays.
    p.handleKey(VK_ESCAPE, 0);
    kiv::test::settle();
    EXPECT_TRUE(p.isCreated());
    p.Close();
    EXPECT_FALSE(p.isCreated());
}

} // namespace
