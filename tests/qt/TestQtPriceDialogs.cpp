// The row-range price conversion dialog on the Qt backend (offscreen), rendered to a PNG under
// the build folder so its layout can be looked at.
#include "grid/TankaDialogs.h"
#include "platform/qt/QtBackend.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "qt/QtTestApp.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::ui;

TEST(QtPriceDialogs, RowConversionDialogRendersItsPresets) {
    kiv::test::qtApp();
    const QFont oldFont = QApplication::font();
    QFont f("IPAGothic");
    f.setPixelSize(13);
    QApplication::setFont(f);
    qt::QtBackend backend;
    setBackend(&backend);
    {
        CGyouTankaHenkanDialog d;
        d.m_StartGyou = 3;
        d.m_EndGyou = 12;
        d.m_Text = kiv::text::sj("見積価格ｘ");
        ASSERT_TRUE(d.createModeless());
        d.show(true);
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        QWidget* w = qt::QtBackend::widgetOf(d);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(kiv::test::savePicture(w, "gyou-tanka-henkan-dialog.png"));
        EXPECT_EQ(kiv::test::captionsWithoutInk(w), std::vector<std::string>{});
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8("行を選択して単価変換"));
        QStringList edits;
        for (QLineEdit* e : w->findChildren<QLineEdit*>())
            edits << e->text();
        EXPECT_EQ(edits, (QStringList{"3", "12", "1", QString::fromUtf8("見積価格ｘ")}));
        QStringList labels;
        for (QLabel* l : w->findChildren<QLabel*>())
            labels << l->text();
        EXPECT_TRUE(labels.contains(QString::fromUtf8("掛け率が１は入力時の単価に戻ります。")));
        d.destroyWindow();
    }
    collectGarbage();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    setBackend(nullptr);
    QApplication::setFont(oldFont);
}
