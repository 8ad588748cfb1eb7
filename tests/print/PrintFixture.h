#pragma once
// An estimate view on the headless backend, printed through its commands: the test builds the
// items, answers 印刷設定 (ticking the boxes it names), the print dialog and the preview, and
// reads back the recorded pages dot by dot (A4 landscape: body font 83, cell 42, pitch 184).
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "estimate/RecalcSeams.h"
#include "grid/KivViewFixture.h"
#include "platform/print/PrintView.h"
#include "print/InsatuDialog.h"
#include "print/KivPrint.h"

namespace kivtest {

using kiv::ui::headless::PrintedJob;
using kiv::ui::headless::PrintedPage;
using kiv::ui::headless::PrintedText;

// A row of `item` keyed `gyou`, with the given fields.
inline std::string itemRow(int item, int gyou, const std::vector<std::pair<int, std::string>>& fields = {}) {
    std::string r = makeRow(gyou, fields);
    GyouRecord::writeKey(r, item, gyou);
    return r;
}

// Items of the given row counts, 品名 "I<item>R<row>".
inline std::vector<std::string> itemsOf(std::initializer_list<int> counts) {
    std::vector<std::string> rows;
    int item = 0;
    for (int n : counts) {
        ++item;
        for (int g = 1; g <= n; ++g)
            rows.push_back(itemRow(item, g, {{GyouRecord::Hinmei, "I" + std::to_string(item) + "R" + std::to_string(g)}}));
    }
    return rows;
}

class PrintFixture : public KivViewFixture {
protected:
    // The recalculation is left out (its hooks emptied for the test): the fixture rows carry
    // their amounts, and the tests that need the hooks set their own.
    void SetUp() override {
        KivViewFixture::SetUp();
        kiv::print::resetRunSettings();
        m_Seams = recalcSeams();
        recalcSeams() = RecalcSeams{};
    }
    void TearDown() override {
        recalcSeams() = m_Seams;
        kiv::print::resetRunSettings();
        KivViewFixture::TearDown();
    }

    // 印刷設定 answered by clicking the boxes (kinds and options) in order, then OK.
    void answerInsatu(std::vector<int> clicks, bool ok = true) {
        backend.expectDialog(
            [clicks, ok](kiv::ui::headless::DialogDriver& d) {
                for (int id : clicks)
                    d.click(id);
                d.click(ok ? kiv::ui::IDOK : kiv::ui::IDCANCEL);
            },
            CInsatuDialog::IDD);
    }
    // The print dialog answered OK, to the system printer, or to a PDF file when one is named.
    void answerPrintDialog(std::filesystem::path pdf = {}) {
        backend.expectPrintDialog([pdf](kiv::print::PrintSettings& s) {
            if (!pdf.empty()) {
                s.target = kiv::print::PrintSettings::Target::File;
                s.file = pdf;
            }
            return true;
        });
    }
    // 印刷 with the boxes clicked; the job recorded.
    const PrintedJob& print(std::vector<int> clicks = {}) {
        answerInsatu(std::move(clicks));
        answerPrintDialog();
        const std::size_t before = backend.printJobs().size();
        view->onCommand(kiv::ui::cmd::FilePrint);
        backend.processPending();
        static const PrintedJob none;
        EXPECT_EQ(backend.printJobs().size(), before + 1) << "no job was printed";
        return backend.printJobs().size() > before ? backend.printJobs().back() : none;
    }
    CKivPrint& state() { return view->Print(); }

private:
    RecalcSeams m_Seams;
};

} // namespace kivtest
