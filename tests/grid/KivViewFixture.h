#pragma once
// An estimate view on the headless backend over an estimate the test fills: the view's window
// is created on its own (no frame), given the focus and painted, and the test reads back what
// was drawn field by field. The backend can run a step while a font dialog is up, to check what
// happens during a modal dialog.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/KivMessage.h"
#include "grid/FieldTable.h"
#include "grid/KivView.h"
#include "grid/KivViewLinks.h"
#include "platform/files/Files.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "support/TempDir.h"

namespace kivtest {

using kiv::text::sj;

// A headless backend that can run a step while the font dialog is open.
class DialogStepBackend : public kiv::ui::headless::HeadlessBackend {
public:
    std::function<void()> whileFontDialogOpen;
    std::optional<kiv::ui::Font> fontDialog(const kiv::ui::Font& initial, kiv::ui::Window* owner) override {
        if (whileFontDialogOpen)
            whileFontDialogOpen();
        return HeadlessBackend::fontDialog(initial, owner);
    }
};

// A row of item 1 keyed `gyou`, with the given fields written as texts (CP932) or numbers.
inline std::string makeRow(int gyou, const std::vector<std::pair<int, std::string>>& fields = {}) {
    std::string row = GyouRecord::blankRow();
    GyouRecord::writeKey(row, 1, gyou);
    GyouRecord::putNumber(row, GyouRecord::Hokyuu, "1.0");
    for (const auto& [field, text] : fields) {
        const bool ok = GyouRecord::layout(field).IsText ? GyouRecord::putText(row, field, text)
                                                         : GyouRecord::putNumber(row, field, text);
        EXPECT_TRUE(ok) << "field " << field;
    }
    return row;
}

// A master row of category `bun`, row `gyou`, with the given fields.
inline std::string masterRow(int bun, int gyou, const std::vector<std::pair<int, std::string>>& fields = {}) {
    std::string row = GyouRecord::blankRow();
    GyouRecord::writeKey(row, bun, gyou);
    for (const auto& [f, text] : fields)
        EXPECT_TRUE(GyouRecord::layout(f).IsText ? GyouRecord::putText(row, f, text) : GyouRecord::putNumber(row, f, text));
    return row;
}

// Rows 1..n of item 1 named "R1".."Rn" in 品名.
inline std::vector<std::string> namedRows(int n) {
    std::vector<std::string> rows;
    for (int k = 1; k <= n; ++k)
        rows.push_back(makeRow(k, {{GyouRecord::Hinmei, "R" + std::to_string(k)}}));
    return rows;
}

class KivViewFixture : public testing::Test {
protected:
    static constexpr int kClientWidth = 1400;
    static constexpr int kLineHeight = 18;   // the headless 14-pixel font: 14 high, 4 between lines
    static constexpr int kCharWidth = 7;

    void SetUp() override {
        kiv::ui::setBackend(&backend);
        backend.onUnexpectedPrompt = [](const std::string& what) { ADD_FAILURE() << what; };
        ClearKivPrompts();
        kiv::grid::ClearStatusPaneTexts();
        g_LastThumbPos = 0;
        for (const char* name : {"労務単価.rab", "電気設定.ett", "ヘッダー.hdr", "表紙.frm"})
            ASSERT_TRUE(kiv::files::writeFileAtomically(exeDir / name, ""));
        CKivDoc::SetRunMode("1");
        CKivDoc::SetProgramDirectory(exeDir.path());
        CKivDoc::s_BackupWriter = [this](CKivDoc&) { ++backups; };
        doc = std::make_unique<CKivDoc>();
    }

    void TearDown() override {
        view.reset();
        doc.reset();
        backend.processPending();
        EXPECT_EQ(backend.pendingAnswers(), 0u) << "prompt answers left unused";
        kiv::grid::SetTreeRebuildHook({});
        CKivDoc::s_BackupWriter = nullptr;
        CKivDoc::SetProgramDirectory({});
        CKivDoc::SetRunMode("");
        kiv::ui::setBackend(nullptr);
    }

    // Item 1 of the estimate holds `rows`; the view opens on it with a client area `lines`
    // screen lines high, gets the focus and is painted.
    void open(const std::vector<std::string>& rows, int lines = 14) {
        doc->ClearGyou();
        for (std::size_t i = 0; i < rows.size(); ++i)
            doc->SetPoolGyou(i, rows[i]);
        doc->SetPoolGyouCount(static_cast<int>(rows.size()));
        doc->RebuildGyouIndex();
        doc->m_CurKoumoku[0] = 1;
        doc->LoadKoumokuGyou();
        doc->SetModifiedFlag(false);
        view = std::make_unique<CKivView>();
        view->SetDocument(doc.get());
        ASSERT_TRUE(view->create(nullptr, kiv::ui::Rect::fromSize(0, 0, kClientWidth, lines * kLineHeight)));
        backend.focus(*view);
    }

    kiv::ui::headless::Recorder& screen() { return backend.screen(*view); }

    // What is drawn in field `field` of grid row `screenRow`, separator cells included.
    std::string shown(int field, int screenRow) {
        const FieldGeometry g = CalcFieldPos(g_KivFieldTable, field, screenRow, view->m_HScrollPairs);
        const int n = g_KivFieldTable.CommaCells[static_cast<std::size_t>(field - 1)];
        return screen().textAt((g.Pos.X0 - n) * kCharWidth, g.Pos.Line * kLineHeight, g.Pos.Width + n, kCharWidth);
    }
    // The text of a field left-aligned and blank-padded to its width (CP932).
    static std::string padded(int field, const std::string& text) {
        std::string s = text;
        s.resize(static_cast<std::size_t>(GyouRecord::layout(field).Width), ' ');
        return s;
    }

    // A point inside `field` of grid row `screenRow`, `dx` cells from its first cell.
    kiv::ui::Point pointIn(int field, int screenRow, int dx = 0) const {
        const FieldGeometry g = CalcFieldPos(g_KivFieldTable, field, screenRow, view->m_HScrollPairs);
        return {(g.Pos.X0 + dx) * kCharWidth + 2, g.Pos.Line * kLineHeight + kLineHeight / 2};
    }
    void clickOn(int field, int screenRow) { backend.sendClick(*view, pointIn(field, screenRow)); }

    // Puts the cursor on `field` of row `gyou` shown on grid row `screenRow`, as a click would.
    void placeCursor(int gyou, int screenRow, int field) {
        doc->m_CurGyou[0] = gyou;
        doc->m_ScreenGyou[0] = screenRow;
        doc->m_TopGyou[0] = gyou - screenRow;
        view->m_CurField[0] = field;
        view->LoadGyou();
        view->CalcFieldPos();
    }
    int cursorRow() const { return doc->m_CurGyou[0]; }
    int topRows() const { return doc->m_TopGyou[0]; }
    int screenRow() const { return doc->m_ScreenGyou[0]; }
    int field() const { return view->m_CurField[0]; }
    void enter() { backend.sendChar(*view, '\r'); }

    kiv::test::ScopedProfileHome home;
    DialogStepBackend backend;
    kiv::test::TempDir exeDir;
    kiv::ui::App app;   // timers wait while a command or a dialog of the application runs
    std::unique_ptr<CKivDoc> doc;
    std::unique_ptr<CKivView> view;
    int backups = 0;
};

} // namespace kivtest
