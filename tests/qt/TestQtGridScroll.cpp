// Sideways scrolling of the three grids in the real application at its default window size
// (800 x 600) on Qt's offscreen platform: the horizontal bar is enabled from the start, a click on
// its right arrow hides the first pair of the scrollable run, a drag of its thumb to the right end
// hides every pair, and the left arrow brings one back.
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivFile.h"
#include "estimate/MstFile.h"
#include "grid/FieldTable.h"
#include "grid/GridViewBase.h"
#include "grid/KivView.h"
#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "platform/qt/QtBackend.h"
#include "platform/text/Cp932.h"
#include "platform/ui/Frame.h"
#include "qt/QtAppFixture.h"
#include "qt/QtTestApp.h"
#include "shell/KivApp.h"
#include "shell/SplitterFrame.h"
#include "support/TempDir.h"
#include "totals/TotalFile.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace kiv;
namespace fs = std::filesystem;
using G = GyouRecord;

namespace {

// What a test reads from a grid view: its field table, the pairs scrolled away and its
// character width.
struct GridState {
    const FieldTable* table = nullptr;
    int pairs = 0;
    int charWidth = 0;
};

GridState stateOf(ui::View* v) {
    if (auto* k = dynamic_cast<CKivView*>(v))
        return {&g_KivFieldTable, k->m_HScrollPairs, k->m_CharWidth};
    if (auto* g = dynamic_cast<GridViewBase*>(v))
        return {g->Desc().Table, g->m_HScrollPairs, g->m_CharWidth};
    return {};
}

struct Case {
    const char* name;
    const char* file;                                      // its extension picks the document kind
    std::function<std::string(const fs::path&)> contents;  // the file's bytes
    int firstMoved;     // the first field of the scrollable run: hidden by one step right
    int maxPairs;       // pairs the thumb at the right end hides
    int mustReach;      // a field whose box lies wholly on screen with every pair hidden (0: none)
};

std::string estimateFile(const fs::path&) {
    std::array<std::string, kKivHyousiCount> covers;
    std::string row = G::blankRow();
    G::writeKey(row, 1, 1);
    G::putText(row, G::Hinmei, text::sj("配管"));
    return WriteKivFile(covers, {row});
}

std::string masterFile(const fs::path&) {
    std::string row = G::blankRow();
    G::writeKey(row, 1, 1);
    G::putText(row, G::Hinmei, text::sj("配管"));
    return WriteMstFile(std::vector<std::string>{row});
}

std::string totalsFile(const fs::path&) {
    std::string row = G::blankRow();
    G::writeKey(row, 1, 1);
    G::putText(row, G::Hinmei, text::sj("配管"));
    return WriteTotalFile({row}, 1);
}

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

const Case kCases[] = {
    // The estimate: 歩掛, the rates, 補給 and 掛率 come into the window.
    {"Estimate", "job.KIV", estimateFile, G::HiroidasiSuu1, 8, 33},
    // The master moves its remark pair, then its first rate pair (its two steps).
    {"Master", "m.MST", masterFile, G::Bikou1, 2, 0},
    // The totals move quantity, unit, unit price, amount and remark away: 分類 comes into the window.
    {"Totals", "t.TTL", totalsFile, G::SekisanSuu1, 5, 35},
};

QStyleOptionSlider optionOf(QScrollBar* bar) {
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.subControls = QStyle::SC_All;
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.upsideDown = false;
    return opt;
}

QPoint centreOf(QScrollBar* bar, QStyle::SubControl sc) {
    const QStyleOptionSlider opt = optionOf(bar);
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, sc, bar).center();
}

void mouse(QScrollBar* bar, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), QPointF(bar->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(bar, &e);
}

void click(QScrollBar* bar, QStyle::SubControl sc) {
    const QPoint at = centreOf(bar, sc);
    mouse(bar, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    mouse(bar, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    test::settle();
}

void dragThumbToRightEnd(QScrollBar* bar) {
    const QPoint from = centreOf(bar, QStyle::SC_ScrollBarSlider);
    const QPoint to(centreOf(bar, QStyle::SC_ScrollBarAddLine).x(), from.y());
    mouse(bar, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int x = from.x(); x <= to.x(); x += 8)
        mouse(bar, QEvent::MouseMove, {x, from.y()}, Qt::NoButton, Qt::LeftButton);
    mouse(bar, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    mouse(bar, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    test::settle();
}

class QtGridScroll : public test::QtAppFixture<::testing::TestWithParam<Case>> {
protected:
};

TEST_P(QtGridScroll, TheBarScrollsSidewaysFromTheStart) {
    const Case& c = GetParam();
    const fs::path file = data / c.file;
    ASSERT_TRUE(files::writeFileAtomically(file, c.contents(file)));
    CKivApp app;
    app.setArguments({"kiv", file.string()});
    ASSERT_TRUE(app.initInstance());
    test::settle();
    ui::MainFrame* main = app.mainFrame();
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(qt::QtBackend::widgetOf(*main)->width(), 800);
    ASSERT_EQ(main->mdiChildren().size(), 1u);
    auto* frame = dynamic_cast<CSplitterFrame*>(main->mdiChildren()[0]);
    ASSERT_NE(frame, nullptr);
    auto* view = dynamic_cast<ui::View*>(frame->m_wndSplitter->pane(0, 1));
    ASSERT_NE(view, nullptr);
    QWidget* surface = qt::QtBackend::widgetOf(*view);
    ASSERT_NE(surface, nullptr);
    QScrollBar* bar = nullptr;
    for (QScrollBar* b : surface->parentWidget()->findChildren<QScrollBar*>())
        if (b->orientation() == Qt::Horizontal)
            bar = b;
    ASSERT_NE(bar, nullptr);

    // Columns lie off screen: the bar is enabled before anything was scrolled.
    const GridState start = stateOf(view);
    ASSERT_NE(start.table, nullptr);
    EXPECT_GT((start.table->XTo[34] + 1) * start.charWidth, surface->width());
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(bar->isEnabled());
    EXPECT_EQ(start.pairs, 0);
    EXPECT_TRUE(IsFieldShown(*start.table, c.firstMoved, 0));

    // One click on the right arrow: one pair scrolled away, the grid painted anew.
    const QImage before = surface->grab().toImage();
    click(bar, QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(stateOf(view).pairs, 1);
    EXPECT_FALSE(IsFieldShown(*start.table, c.firstMoved, stateOf(view).pairs));
    EXPECT_NE(surface->grab().toImage(), before);
    EXPECT_EQ(bar->value(), 1);

    // The thumb dragged to the right end: every pair away; the far columns inside the window.
    dragThumbToRightEnd(bar);
    const GridState end = stateOf(view);
    EXPECT_EQ(end.pairs, c.maxPairs);
    EXPECT_EQ(bar->value(), c.maxPairs);
    if (c.mustReach) {
        const FieldPos p = CalcTitleFieldPos(*end.table, c.mustReach, end.pairs).Pos;
        EXPECT_TRUE(p.Visible);
        EXPECT_LE((p.X1 + 1) * end.charWidth + 4, surface->width());
    }

    // The left arrow brings one pair back; the bar stays enabled.
    click(bar, QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(stateOf(view).pairs, c.maxPairs - 1);
    EXPECT_TRUE(bar->isEnabled());
    test::savePicture(qt::QtBackend::widgetOf(*main), std::string("kiv-scrolled-") + c.name + ".png");
}

INSTANTIATE_TEST_SUITE_P(Grids, QtGridScroll, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

// A window wide enough for every column has nothing to scroll: the bar is disabled; made narrow
// again, it is enabled.
TEST_F(QtGridScroll, AWideWindowDisablesTheBarUntilItNarrows) {
    const fs::path file = data / "job.KIV";
    ASSERT_TRUE(files::writeFileAtomically(file, estimateFile(file)));
    CKivApp app;
    app.setArguments({"kiv", file.string()});
    ASSERT_TRUE(app.initInstance());
    test::settle();
    QWidget* window = qt::QtBackend::widgetOf(*app.mainFrame());
    auto* frame = dynamic_cast<CSplitterFrame*>(app.mainFrame()->mdiChildren()[0]);
    ASSERT_NE(frame, nullptr);
    QWidget* surface = qt::QtBackend::widgetOf(*frame->m_wndSplitter->pane(0, 1));
    QScrollBar* bar = nullptr;
    for (QScrollBar* b : surface->parentWidget()->findChildren<QScrollBar*>())
        if (b->orientation() == Qt::Horizontal)
            bar = b;
    ASSERT_NE(bar, nullptr);
    window->resize(2400, 700);
    test::settle();
    EXPECT_FALSE(bar->isEnabled());
    window->resize(800, 600);
    test::settle();
    EXPECT_TRUE(bar->isEnabled());
}

} // namespace
