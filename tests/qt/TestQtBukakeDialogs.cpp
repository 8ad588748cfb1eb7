// The rate calculator and the two rate-table dialogs on the Qt backend (offscreen), rendered to
// PNGs under the build folder so their layout can be looked at.
#include "estimate/KivDoc.h"
#include "platform/qt/QtBackend.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "pricing/BukakeDialog.h"
#include "pricing/BukakeFileDialog.h"
#include "pricing/BukakeRecord.h"
#include "pricing/BukakeSelectDialog.h"
#include "platform/files/Files.h"
#include "qt/QtTestApp.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QFont>
#include <QListWidget>

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::ui;
using kiv::text::sj;

namespace {

class QtBukakeDialogs : public ::testing::Test {
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
    QWidget* render(Dialog& d, const char* name) {
        EXPECT_TRUE(d.createModeless());
        d.show(true);
        kiv::test::settle();
        QWidget* w = qt::QtBackend::widgetOf(d);
        EXPECT_TRUE(kiv::test::savePicture(w, name));
        return w;
    }

    kiv::test::ScopedProfileHome profile;
    kiv::test::TempDir exe;
    qt::QtBackend backend;
    QFont m_OldFont;
};

TEST_F(QtBukakeDialogs, CalculatorShowsTheLoadedTable) {
    const char* names[][3] = {{"1", "分電盤", "2.5"}, {"2", "分電盤（露出形）", "3.15"}, {"12", "端子盤", "0.25"}};
    std::string bytes;
    for (const auto& n : names)
        bytes += BukakeRecord::format(n[0], sj(n[1]), sj("屋内"), n[2]);
    ASSERT_TRUE(files::writeFileAtomically(exe / "分電盤.dat", bytes));
    CBukakeDialog d;
    d.m_Kind = 1;
    QWidget* w = render(d, "bukake-dialog.png");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("歩掛計算"));
    auto lists = w->findChildren<QListWidget*>();
    ASSERT_EQ(lists.size(), 1);
    ASSERT_EQ(lists[0]->count(), 3);
    EXPECT_TRUE(lists[0]->item(1)->text().startsWith(QString::fromUtf8("   2 分電盤（露出形）")));
    d.destroyWindow();
}

TEST_F(QtBukakeDialogs, SelectionAndFileChooserRender) {
    CBukakeSelectDialog sel;
    QWidget* w = render(sel, "bukake-select-dialog.png");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("歩掛け呼出"));
    sel.destroyWindow();
    CBukakeFileDialog file;
    w = render(file, "bukake-file-dialog.png");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("歩掛けﾌｧｲﾙ切り替え"));
    file.destroyWindow();
}

} // namespace
