// The text exports' dialogs (160 and 178) on the Qt backend (offscreen), rendered to PNGs under
// the build folder so their layout can be looked at.
#include "estimate/KivDoc.h"
#include "export/DaikaTextDialog.h"
#include "export/TextDialog.h"
#include "platform/qt/QtBackend.h"
#include "qt/QtTestApp.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::ui;

namespace {

class QtTextDialogs : public ::testing::Test {
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

TEST_F(QtTextDialogs, BreakdownTextDialogShowsItsOptionsAndProposal) {
    CTextDialog d;
    ASSERT_TRUE(d.createModeless());
    d.show(true);
    kiv::test::settle();
    QWidget* w = qt::QtBackend::widgetOf(d);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(kiv::test::savePicture(w, "text-dialog.png"));
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("内訳書テキストファイル出力"));
    auto edits = w->findChildren<QLineEdit*>();
    ASSERT_EQ(edits.size(), 1);
    EXPECT_EQ(edits[0]->text().toStdString(), (exe / "内訳書.TXT").string());
    EXPECT_EQ(w->findChildren<QCheckBox*>().size(), 4);
    EXPECT_EQ(w->findChildren<QPushButton*>().size(), 2);   // OK and ｷｬﾝｾﾙ: no browse button
    EXPECT_TRUE(kiv::test::captionsWithoutInk(w).empty());
    d.destroyWindow();
}

TEST_F(QtTextDialogs, CompositeTextDialogProposesNothingWhenUntitled) {
    CDaikaTextDialog d;
    ASSERT_TRUE(d.createModeless());
    d.show(true);
    kiv::test::settle();
    QWidget* w = qt::QtBackend::widgetOf(d);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(kiv::test::savePicture(w, "daika-text-dialog.png"));
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("単価表テキストファイル出力"));
    auto edits = w->findChildren<QLineEdit*>();
    ASSERT_EQ(edits.size(), 1);
    EXPECT_TRUE(edits[0]->text().isEmpty());
    EXPECT_EQ(w->findChildren<QCheckBox*>().size(), 1);
    EXPECT_EQ(w->findChildren<QPushButton*>().size(), 2);
    EXPECT_TRUE(kiv::test::captionsWithoutInk(w).empty());
    d.destroyWindow();
}

} // namespace
