// The detail dialog on the Qt backend (offscreen), filled with a priced breakdown and rendered to
// a PNG under the build folder so its layout can be looked at.
#include "platform/qt/QtBackend.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "pricing/KivDialog.h"
#include "qt/QtTestApp.h"
#include "resources/KivDialogResources.h"

#include <QApplication>
#include <QFont>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::ui;
using kiv::text::sj;

namespace {

TEST(QtKivDialog, RendersTheBreakdownWithItsAmounts) {
    kiv::test::qtApp();
    const QFont oldFont = QApplication::font();
    QFont f("IPAGothic");
    f.setPixelSize(13);
    QApplication::setFont(f);
    qt::QtBackend backend;
    setBackend(&backend);
    {
        kivdialog d;
        d.m_Marume = 1;
        d.m_BunNo = "0012";
        d.m_BunGyouNo = "0034";
        d.m_Hinmei = sj("配管用炭素鋼鋼管");
        d.m_Kikaku = "SGP 25A";
        d.m_Tanni = "m";
        d.m_ZaiHinmei[0] = sj("鋼管");
        d.m_ZaiSuu[0] = "1.0";
        d.m_ZaiTanka1[0] = "1000";
        d.m_RoumuNo[0] = "18";
        d.m_RoumuSyokusyu[0] = sj("配管工");
        d.m_RoumuBukake[0] = "0.05";
        d.m_RoumuTanka1[0] = "20000";
        d.m_Tugite.Ritu = "0.1";
        d.m_Zatuzai.Ritu = "0.05";
        d.m_Unpan.Ritu = "0.02";
        ASSERT_TRUE(d.createModeless());
        d.show(true);
        kiv::test::settle();
        EXPECT_EQ(d.itemText(res::IDC_ZAIKOUKEI1), "      2178");
        EXPECT_EQ(d.itemText(res::IDC_FUKUGOUTANKA1), "      2170");
        QWidget* w = qt::QtBackend::widgetOf(d);
        ASSERT_NE(w, nullptr);
        int readOnly = 0;
        for (QLineEdit* e : w->findChildren<QLineEdit*>())
            readOnly += e->isReadOnly() ? 1 : 0;
        // 2 composites, 14 material amounts, 6 boxes of each labour line (trade, unit, prices,
        // amounts), 4 of each lump-sum line (quantity, unit, amounts) and 6 totals.
        EXPECT_EQ(readOnly, 2 + 14 + 3 * 6 + 9 * 4 + 6);
        EXPECT_TRUE(kiv::test::savePicture(w, "kivdialog.png"));
        d.endDialog(IDCANCEL);
    }
    collectGarbage();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    setBackend(nullptr);
    QApplication::setFont(oldFont);
}

// Counts the take-ins: each change handler takes every box in before it recalculates.
class CountingKivDialog : public kivdialog {
public:
    int takeIns = 0;
    void doDataExchange(DataExchange& dx) override {
        if (dx.saving())
            ++takeIns;
        kivdialog::doDataExchange(dx);
    }
};

TEST(QtKivDialog, TypingAQuantityRepricesItsLineAndOpeningRunsNoChangeHandler) {
    kiv::test::qtApp();
    qt::QtBackend backend;
    setBackend(&backend);
    {
        CountingKivDialog d;
        d.m_Marume = 1;
        d.m_ZaiSuu[0] = "2.5";
        d.m_ZaiTanka1[0] = "1000";
        d.m_ZaiSuu[1] = "3";
        d.m_ZaiTanka1[1] = "10";
        ASSERT_TRUE(d.createModeless());
        d.show(true);
        kiv::test::settle();
        // Shown: one take-in of its own, the boxes filled by exchange and recalculation alone.
        EXPECT_EQ(d.takeIns, 1);
        EXPECT_EQ(d.itemText(res::IDC_ZAIKINGAKU1[0]), "      2500");
        EXPECT_EQ(d.isChecked(res::IDC_ZAIGOUKEI), 1);
        QWidget* w = qt::QtBackend::widgetOf(d);
        ASSERT_NE(w, nullptr);
        QLineEdit* suu = nullptr;
        for (QLineEdit* e : w->findChildren<QLineEdit*>())
            if (e->text() == "2.5")
                suu = e;
        ASSERT_NE(suu, nullptr);
        suu->setFocus();
        suu->selectAll();
        QKeyEvent k4(QEvent::KeyPress, Qt::Key_4, Qt::NoModifier, "4");
        QApplication::sendEvent(suu, &k4);
        kiv::test::settle();
        EXPECT_EQ(d.m_ZaiSuu[0], "4");
        EXPECT_EQ(d.itemText(res::IDC_ZAIKINGAKU1[0]), "      4000");
        EXPECT_EQ(d.itemText(res::IDC_ZAIKEI1), "      4030");
        EXPECT_EQ(d.takeIns, 2);   // the one keystroke
        // The real amount box shows it.
        bool shown = false;
        for (QLineEdit* e : w->findChildren<QLineEdit*>())
            shown = shown || (e->isReadOnly() && e->text() == "      4000");
        EXPECT_TRUE(shown);
        d.endDialog(IDCANCEL);
    }
    collectGarbage();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    setBackend(nullptr);
}

} // namespace
