#pragma once
// A totals document converted from the conversion fixture, shown in a totals grid view on the
// headless backend (no frame); the exports of the view run with their dialogs answered.
#include <memory>
#include <string>

#include "platform/headless/DialogDriver.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/ui/Window.h"
#include "totals/TotalConvertFixture.h"
#include "totals/TotalDoc.h"
#include "totals/TotalView.h"

namespace kivtest {

class TotalViewFixture : public TotalDocFixture {
protected:
    void SetUp() override {
        TotalDocFixture::SetUp();
        kiv::ui::setBackend(&backend);
        backend.onUnexpectedPrompt = [](const std::string& what) { ADD_FAILURE() << what; };
        doc = std::make_unique<CTotalDoc>();
        std::filesystem::path mst, kiv;
        writeFixtureFiles(mst, kiv);
        ASSERT_TRUE(doc->ConvertEstimateFile(kiv.string(), mst.string()));
        view = std::make_unique<CTotalView>();
        doc->addView(view.get());
        ASSERT_TRUE(view->create(nullptr, kiv::ui::Rect::fromSize(0, 0, 1400, 600)));
        view->createSolidCaret(2, 14);
        view->showCaret();
    }
    void TearDown() override {
        view.reset();
        doc.reset();
        backend.processPending();
        EXPECT_EQ(backend.pendingAnswers(), 0u) << "prompt answers left unused";
        kiv::ui::setBackend(nullptr);
        TotalDocFixture::TearDown();
    }

    // The document's rows replaced by `rows` (keys in their first eight bytes), category 1
    // current, no recalculation due.
    void replaceRows(const std::vector<std::string>& rows) {
        doc->ClearGyou();
        for (std::size_t i = 0; i < rows.size(); ++i)
            doc->SetPoolGyou(static_cast<int>(i), rows[i]);
        doc->SetPoolGyouCount(static_cast<int>(rows.size()));
        doc->RebuildTotalIndex();
        doc->m_CurKoumoku[0] = 1;
        doc->LoadKoumokuGyou();
        doc->m_NeedRecalc = 0;
    }

    // Runs command `id` with its dialog `idd` answered: the proposal kept in `proposed`, the
    // path typed (unless empty), then OK or Cancel.
    void runExport(int id, int idd, int pathId, const std::filesystem::path& path, bool ok = true) {
        backend.expectDialog(
            [this, path, ok, pathId](kiv::ui::headless::DialogDriver& d) {
                proposed = d.textUtf8(pathId);
                if (!path.empty())
                    d.type(pathId, path.string());
                d.click(ok ? kiv::ui::IDOK : kiv::ui::IDCANCEL);
            },
            idd);
        view->onCommand(id);
        backend.processPending();
    }

    // The editing position a user had before an export.
    void placeCursor(int koumoku, int gyou, int top, int screen) {
        doc->m_CurKoumoku[0] = koumoku;
        doc->LoadKoumokuGyou();
        doc->m_CurGyou[0] = gyou;
        doc->m_TopGyou[0] = top;
        doc->m_ScreenGyou[0] = screen;
    }
    void expectCursor(int koumoku, int gyou, int top, int screen) {
        EXPECT_EQ(doc->m_CurKoumoku[0], koumoku);
        EXPECT_EQ(doc->m_CurGyou[0], gyou);
        EXPECT_EQ(doc->m_TopGyou[0], top);
        EXPECT_EQ(doc->m_ScreenGyou[0], screen);
        EXPECT_TRUE(view->caret().visible);
    }

    kiv::ui::headless::HeadlessBackend backend;
    std::unique_ptr<CTotalDoc> doc;
    std::unique_ptr<CTotalView> view;
    std::string proposed;   // UTF-8
};

} // namespace kivtest
