// The labour-price and operation-category dialogs on the Qt backend (offscreen), rendered to PNGs
// under the build folder so their layout can be looked at.
#include "estimate/EnzanDialog.h"
#include "estimate/FukugouDialog.h"
#include "estimate/FukukirisuteDialog.h"
#include "estimate/MarumeDialog.h"
#include "estimate/SetteiDialog.h"
#include "estimate/KivDoc.h"
#include "estimate/KivMessage.h"
#include "estimate/RoumuDialog.h"
#include "estimate/RoumuFile.h"
#include "grid/CalcDialog.h"
#include "grid/CopyDialog.h"
#include "grid/GoukeiDialog.h"
#include "grid/MoveDialog.h"
#include "grid/TanniDialog.h"
#include "grid/TekkyoBukakeDialog.h"
#include "grid/TextreadDialog.h"
#include "master/MstFixture.h"
#include "platform/files/Files.h"
#include "platform/qt/QtBackend.h"
#include "print/FormDialog.h"
#include "print/HedderDialog.h"
#include "print/HyousiDialog.h"
#include "print/LayoutFileDialogs.h"
#include "platform/ui/App.h"
#include "platform/text/Cp932.h"
#include "qt/QtTestApp.h"
#include "support/TempDir.h"
#include "totals/SyuMoveDialog.h"
#include "totals/TotalConvert.h"
#include "totals/TotalDoc.h"
#include "totals/TotalFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QPushButton>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

using namespace kiv;
using namespace kiv::ui;
using kiv::text::sj;

namespace {

class QtEstimateDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        kiv::test::qtApp();
        m_OldFont = QApplication::font();
        QFont f("IPAGothic"); // the program's dialog font
        f.setPixelSize(13);
        QApplication::setFont(f);
        setBackend(&backend);
        CKivDoc::SetRunMode("1");
        CKivDoc::SetProgramDirectory(exe.path());
    }
    void TearDown() override {
        doc.reset();
        CKivDoc::SetProgramDirectory({});
        CKivDoc::SetRunMode("");
        ClearKivPrompts();
        collectGarbage();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setBackend(nullptr);
        QApplication::setFont(m_OldFont);
    }

    // Shows the dialog modeless, saves it as a PNG and returns its widget.
    QWidget* render(Dialog& d, const char* name) {
        EXPECT_TRUE(d.createModeless());
        d.show(true);
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        QWidget* w = qt::QtBackend::widgetOf(d);
        EXPECT_TRUE(kiv::test::savePicture(w, name));
        if (w) {
            EXPECT_EQ(kiv::test::captionsWithoutInk(w), std::vector<std::string>{}) << name;
        }
        return w;
    }

    kiv::test::ScopedProfileHome profile;
    kiv::test::TempDir exe;
    qt::QtBackend backend;
    std::unique_ptr<CKivDoc> doc;
    QFont m_OldFont;
};

TEST_F(QtEstimateDialogs, LabourDialogShowsTheEstimatesLines) {
    RoumuList list;
    const char* trades[] = {"普通作業員", "特殊作業員", "電工", "配管工", "機械工"};
    int n = 1;
    for (const char* t : trades) {
        std::string price = std::to_string(15000 + n * 1250);
        list.add(*RoumuRecord::build(std::to_string(n), sj(t), price, std::to_string(15000 + n * 1300)));
        ++n;
    }
    ASSERT_TRUE(writeRoumuFile(exe / "労務単価.rab", list));
    doc = std::make_unique<CKivDoc>();
    CRoumuDialog d;
    QWidget* w = render(d, "roumu-dialog.png");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("複合単価労務費設定"));
    auto lists = w->findChildren<QListWidget*>();
    ASSERT_EQ(lists.size(), 1);
    ASSERT_EQ(lists[0]->count(), 5);
    EXPECT_EQ(lists[0]->item(3)->text(), QString::fromUtf8(" 4 配管工") + QString(12, ' ') + "20000" + QString(6, ' ') + "20200");
    d.destroyWindow();
}

TEST_F(QtEstimateDialogs, CodeDialogShowsTwentyEightBoxes) {
    doc = std::make_unique<CKivDoc>();
    for (int k = 0; k < kEnzanCodeCount; ++k)
        doc->m_Settei.setCode(static_cast<EnzanCode>(k), std::to_string(900 + k));
    CEnzanDialog d;
    QWidget* w = render(d, "enzan-dialog.png");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->findChildren<QLineEdit*>().size(), 28);
    d.destroyWindow();
}

TEST_F(QtEstimateDialogs, SmallSettingsDialogsRender) {
    doc = std::make_unique<CKivDoc>();
    doc->m_SetteiPath = exe / "電気設定.ett";
    struct Case {
        std::unique_ptr<Dialog> dialog;
        const char* png;
        const char* title;
    };
    Case cases[] = {{std::make_unique<CmarumeDialog>(), "marume-dialog.png", "桁の丸め"},
                    {std::make_unique<CfukugouDialog>(), "fukugou-dialog.png", "複合単価か労務費を計上して計算"},
                    {std::make_unique<CfukukirisuteDialog>(), "fukukirisute-dialog.png", "複合単価丸め設定"},
                    {std::make_unique<CSetteiDialog>(), "settei-dialog.png", "設定ﾌｧｲﾙ切り替え"}};
    for (Case& c : cases) {
        SCOPED_TRACE(c.png);
        QWidget* w = render(*c.dialog, c.png);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(c.title));
        c.dialog->destroyWindow();
    }
}

TEST_F(QtEstimateDialogs, CalculatorAndUnitListRender) {
    CCalcDialog calc;
    calc.m_Display = "1234";
    QWidget* w = render(calc, "calc-dialog.png");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("電卓"));
    QStringList keys;
    for (QPushButton* b : w->findChildren<QPushButton*>())
        keys << b->text();
    for (const char* k : {"1", "9", "0", "00", "・", "＋", "－", "×", "÷", "＝", "AC", "C", "OK"})
        EXPECT_TRUE(keys.contains(QString::fromUtf8(k))) << k;
    calc.destroyWindow();

    CTanniDialog tanni;
    w = render(tanni, "tanni-dialog.png");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("単位入力"));
    auto combos = w->findChildren<QComboBox*>();
    ASSERT_EQ(combos.size(), 1);
    EXPECT_EQ(combos[0]->count(), 16);
    EXPECT_EQ(combos[0]->currentText(), QString::fromUtf8("式"));
    tanni.destroyWindow();
}

TEST_F(QtEstimateDialogs, RowCopyDialogRenders) {
    CCopyDialog copy;
    copy.m_StartGyou = 2;
    copy.m_EndGyou = 4;
    QWidget* w = render(copy, "copy-dialog.png");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("行複写・移動"));
    QStringList edits;
    for (QLineEdit* e : w->findChildren<QLineEdit*>())
        edits << e->text();
    EXPECT_EQ(edits, (QStringList{"2", "4"}));
    auto checks = w->findChildren<QCheckBox*>();
    ASSERT_EQ(checks.size(), 1);
    EXPECT_EQ(checks[0]->text(), QString::fromUtf8("行を移動する"));
    EXPECT_FALSE(checks[0]->isChecked());
    copy.destroyWindow();
}

TEST_F(QtEstimateDialogs, ItemMoveDialogListsTheItems) {
    doc = std::make_unique<CKivDoc>();
    ClearKivPrompts();
    doc->m_KoumokuCount = 2;
    doc->m_KoumokuName.assign(CKivDoc::kKoumokuMax, " ");
    auto title = [](const char* no, const char* kigou, const char* hinmei, const char* kingaku) {
        std::string t = std::string(no) + kigou;
        std::string h = sj(hinmei);
        h.resize(30, ' ');
        t += h + std::string(30, ' ');
        std::string k = kingaku;
        k.insert(0, 12 - k.size(), ' ');
        return t + k + std::string(12, ' ');
    };
    doc->m_KoumokuName[0] = title("0001", "1   ", "電灯設備", "1200");
    doc->m_KoumokuName[1] = title("0002", "2   ", "動力設備", "34000");
    CMoveDialog move(doc.get());
    QWidget* w = render(move, "item-move-dialog.png");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("項目移動"));
    auto lists = w->findChildren<QTreeWidget*>();
    ASSERT_EQ(lists.size(), 1);
    ASSERT_EQ(lists[0]->topLevelItemCount(), 2);
    EXPECT_EQ(lists[0]->topLevelItem(1)->text(2).trimmed(), QString::fromUtf8("動力設備"));
    EXPECT_EQ(lists[0]->columnCount(), 6);
    move.destroyWindow();
}

TEST_F(QtEstimateDialogs, TotalsCategoryMoveDialogListsAConvertedDocument) {
    using G = GyouRecord;
    using kivtest::mstLine;
    const std::vector<std::string> master = {mstLine(3, 1, {{G::Hinmei, "配管"}, {G::Kikaku, "VP"}}),
                                             mstLine(7, 1, {{G::Hinmei, "電線"}, {G::Kikaku, "IV"}})};
    const std::vector<std::string> estimate = {
        mstLine(1, 1, {{G::Hinmei, "VP管"}, {G::SekisanSuu1, "2"}, {G::Tanka1, "1000"}, {G::BunNo, "3"}}),
        mstLine(1, 2, {{G::Hinmei, "IV線"}, {G::SekisanSuu1, "9"}, {G::Tanka1, "50"}, {G::BunNo, "7"}})};
    const TotalConvertResult converted = ConvertToTotals(master, estimate, {});
    const std::filesystem::path ttl = exe / "t.TTL";
    ASSERT_TRUE(files::writeFileAtomically(ttl, WriteTotalFile(converted.rows, static_cast<int>(converted.rows.size()))));
    CTotalDoc totals;
    ASSERT_TRUE(totals.OnOpenDocument(ttl.string()));
    CSyuMoveDialog move(&totals);
    QWidget* w = render(move, "totals-category-move-dialog.png");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("集計分類移動"));
    auto lists = w->findChildren<QTreeWidget*>();
    ASSERT_EQ(lists.size(), 1);
    EXPECT_EQ(lists[0]->columnCount(), 4);
    EXPECT_EQ(lists[0]->headerItem()->text(1), QString::fromUtf8("　　　　品　　　　　　名"));
    ASSERT_EQ(lists[0]->topLevelItemCount(), totals.m_KoumokuCount);
    EXPECT_EQ(lists[0]->topLevelItem(0)->text(0), QString::fromUtf8("0001"));
    EXPECT_EQ(lists[0]->topLevelItem(1)->text(1).trimmed(), QString::fromUtf8("配管"));
    EXPECT_EQ(lists[0]->topLevelItem(2)->text(1).trimmed(), QString::fromUtf8("電線"));
    move.destroyWindow();
}

TEST_F(QtEstimateDialogs, TotalsDialogShowsItsLabelsAndLines) {
    CGoukeiDialog goukei;
    goukei.m_Keihi1Name = sj("現場管理費");
    goukei.m_Keihi1Ritu = "    10";
    QWidget* w = render(goukei, "totals-input-dialog.png");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("合計・経費・消費税を入力"));
    auto combos = w->findChildren<QComboBox*>();
    ASSERT_EQ(combos.size(), 5);
    for (QComboBox* c : combos)
        EXPECT_EQ(c->count(), 4);
    QStringList buttons;
    for (QPushButton* b : w->findChildren<QPushButton*>())
        buttons << b->text();
    for (const char* b : {"小計決定", "中計決定", "総計決定", "内計決定", "細計決定", "決定", "ｷｬﾝｾﾙ"})
        EXPECT_TRUE(buttons.contains(QString::fromUtf8(b))) << b;
    goukei.destroyWindow();
}

TEST_F(QtEstimateDialogs, RemovalConversionAndCsvImportDialogsRender) {
    doc = std::make_unique<CKivDoc>();
    doc->m_SetteiPath = exe / "電気設定.ett";
    ASSERT_TRUE(doc->m_Settei.setTekkyoRitu("0.10"));
    doc->MakeCurrent();
    CTekkyoBukakeDialog tekkyo;
    tekkyo.m_StartGyou = 3;
    tekkyo.m_EndGyou = 7;
    QWidget* w = render(tekkyo, "tekkyo-bukake-dialog.png");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("歩掛けを撤去に変換"));
    auto combos = w->findChildren<QComboBox*>();
    ASSERT_EQ(combos.size(), 1);
    EXPECT_EQ(combos[0]->count(), 28);
    EXPECT_EQ(combos[0]->currentText(), QString::fromUtf8(CTekkyoBukakeDialog::kStartKousyu));
    QStringList edits;
    for (QLineEdit* e : w->findChildren<QLineEdit*>())
        if (e->parent() == w)
            edits << e->text();
    EXPECT_TRUE(edits.contains("0.10")) << edits.join("|").toStdString();
    EXPECT_EQ(w->findChildren<QCheckBox*>().size(), 4);
    tekkyo.destroyWindow();

    CTextreadDialog csv;
    w = render(csv, "textread-dialog.png");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("CSVﾌｧｲﾙ読込"));
    combos = w->findChildren<QComboBox*>();
    ASSERT_EQ(combos.size(), 6);
    EXPECT_EQ(combos[0]->currentText(), "01");
    EXPECT_EQ(combos[5]->currentText(), "06");
    auto checks = w->findChildren<QCheckBox*>();
    ASSERT_EQ(checks.size(), 1);
    EXPECT_TRUE(checks[0]->isChecked());
    csv.destroyWindow();
}

TEST_F(QtEstimateDialogs, LayoutAndCoverDialogsRender) {
    doc = std::make_unique<CKivDoc>();
    std::string form(752, ' ');
    form.replace(0, 8, sj("御見積書"));
    form.replace(13, 11, "10  2   3  ");
    form.replace(113, 12, sj("株式会社"));
    doc->m_HyousiForm = HyousiFormRecord::fromBytes(form);
    doc->m_HyousiData[0] = sj("電気設備工事");
    doc->m_KingakuText = "   1,234,567";
    struct Case {
        std::unique_ptr<Dialog> dialog;
        const char* png;
        const char* title;
        int edits;
    };
    Case cases[] = {{std::make_unique<CFormDialog>(), "form-dialog.png", "表紙フォーム作成", 89},
                    {std::make_unique<CHedderDialog>(), "hedder-dialog.png", "ﾍｯﾀｰ､ﾌｯﾀｰ設定", 24},
                    {std::make_unique<CHyousiDialog>(), "hyousi-dialog.png", "表紙作成", 18},
                    {std::make_unique<CHyousichangeDialog>(), "hyousichange-dialog.png", "表紙ﾌｧｲﾙ一時切り替え", 1}};
    for (Case& c : cases) {
        SCOPED_TRACE(c.png);
        QWidget* w = render(*c.dialog, c.png);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(w->findChildren<QLineEdit*>().size(), c.edits);
        c.dialog->destroyWindow();
    }
}

} // namespace
