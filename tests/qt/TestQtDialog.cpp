// Dialogs on the Qt backend (offscreen): the widgets built from the control table, keys as on
// Windows, and the dialog rendered to a PNG under the build folder.
#include "platform/qt/QtBackend.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "support/TempDir.h"
#include "qt/QtTestApp.h"
#include "support/UiTestDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace kiv;
using namespace kiv::ui;
using kiv::test::EveryControlDialog;
using kiv::text::sj;

namespace {

QLineEdit* lineEditShowing(QWidget* dialog, const QString& text) {
    for (QLineEdit* e : dialog->findChildren<QLineEdit*>())
        if (e->text() == text)
            return e;
    return nullptr;
}

class QtDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        kiv::test::qtApp();
        setBackend(&backend);
    }
    void TearDown() override {
        collectGarbage();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setBackend(nullptr);
    }
    kiv::test::ScopedProfileHome profile;
    qt::QtBackend backend;
};

TEST_F(QtDialogs, BuildsTheControlsAndRendersThem) {
    EveryControlDialog d;
    d.m_Name = sj("配管工事");
    d.m_Check = 1;
    ASSERT_TRUE(d.createModeless());
    d.show(true);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    QWidget* w = qt::QtBackend::widgetOf(d);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("全部のコントロール"));
    EXPECT_NE(lineEditShowing(w, QString::fromUtf8("配管工事")), nullptr);
    auto checks = w->findChildren<QCheckBox*>();
    ASSERT_EQ(checks.size(), 1);
    EXPECT_TRUE(checks[0]->isChecked());
    auto reports = w->findChildren<QTreeWidget*>();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports[0]->headerItem()->text(1), QString::fromUtf8("品名"));
    EXPECT_EQ(reports[0]->topLevelItem(0)->text(2), "1,200");
    ASSERT_NE(d.tree(EveryControlDialog::kTree), nullptr);
    EXPECT_EQ(qt::QtBackend::widgetOf(*d.tree(EveryControlDialog::kTree))->window(), w);

    ASSERT_TRUE(kiv::test::savePicture(w, "qt-dialog.png"));
    // Every caption of the dialog was drawn, and so were the name and count in their boxes.
    EXPECT_EQ(kiv::test::captionsWithoutInk(w), std::vector<std::string>{});
    for (QLineEdit* e : w->findChildren<QLineEdit*>()) {
        if (e->text().isEmpty())
            continue;
        const QImage img = e->grab().toImage();
        EXPECT_TRUE(kiv::test::inkIn(img, 0, img.width(), 0, img.height())) << e->text().toStdString();
    }
    d.destroyWindow();
}

TEST_F(QtDialogs, TypingEnterAndEscapeWorkAsOnWindows) {
    {
        EveryControlDialog d;
        QTimer::singleShot(0, [&] {
            QWidget* w = qt::QtBackend::widgetOf(d);
            QLineEdit* count = lineEditShowing(w, "1");
            ASSERT_NE(count, nullptr);
            count->setFocus();
            count->selectAll();
            QKeyEvent k7(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, "7");
            QApplication::sendEvent(count, &k7);
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
            QApplication::sendEvent(count, &enter);
        });
        EXPECT_EQ(d.doModal(), IDOK);
        EXPECT_EQ(d.m_Count, 7);
    }
    {
        EveryControlDialog d;
        QTimer::singleShot(0, [&] {
            QWidget* w = qt::QtBackend::widgetOf(d);
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(lineEditShowing(w, "1"), &esc);
        });
        EXPECT_EQ(d.doModal(), IDCANCEL);
    }
}

} // namespace
