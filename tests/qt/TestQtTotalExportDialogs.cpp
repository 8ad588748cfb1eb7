// The totals exports' path dialogs on the Qt backend (offscreen), rendered to PNGs under the
// build folder so their layout can be looked at.
#include "estimate/KivDoc.h"
#include "platform/qt/QtBackend.h"
#include "qt/QtTestApp.h"
#include "support/TempDir.h"
#include "totals/TExcelDialog.h"
#include "totals/TtextDialog.h"

#include <QApplication>
#include <QFont>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::ui;

namespace {

class QtTotalExportDialogs : public ::testing::Test {
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
    // Shows the dialog, saves its picture, and gives its title, path and button count.
    void look(Dialog& d, const char* picture, QString& title, std::string& path, int& buttons) {
        ASSERT_TRUE(d.createModeless());
        d.show(true);
        kiv::test::settle();
        QWidget* w = qt::QtBackend::widgetOf(d);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(kiv::test::savePicture(w, picture));
        title = w->windowTitle();
        auto edits = w->findChildren<QLineEdit*>();
        ASSERT_EQ(edits.size(), 1);
        path = edits[0]->text().toStdString();
        buttons = static_cast<int>(w->findChildren<QPushButton*>().size());
        EXPECT_TRUE(kiv::test::captionsWithoutInk(w).empty());
        d.destroyWindow();
    }

    kiv::test::ScopedProfileHome profile;
    kiv::test::TempDir exe;
    qt::QtBackend backend;
    QFont m_OldFont;
};

TEST_F(QtTotalExportDialogs, BothDialogsShowTheirProposal) {
    QString title;
    std::string path;
    int buttons = 0;
    CTtextDialog text(exe / "集計.TTL");
    look(text, "totals-text-dialog.png", title, path, buttons);
    EXPECT_EQ(title, QString::fromUtf8("集計表テキストファイル出力"));
    EXPECT_EQ(path, (exe / "集計.TXT").string());
    EXPECT_EQ(buttons, 2);
    CTExcelDialog book;
    look(book, "totals-excel-dialog.png", title, path, buttons);
    EXPECT_EQ(title, QString::fromUtf8("集計表EXCEL出力"));
    EXPECT_EQ(path, (exe / "集計表.XLSX").string());
    EXPECT_EQ(buttons, 3);
}

} // namespace
