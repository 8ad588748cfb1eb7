// The PDF file the print dialog proposes: the printed document's own name with ".pdf", in its
// folder (in the current folder for a document without a file), in the estimate, master and
// totals windows alike, whatever PDF the run wrote before.
#include "ShellFixture.h"

#include "master/MstFixture.h"
#include "print/InsatuDialog.h"

using namespace kiv;
using namespace kiv::ui;
namespace fs = std::filesystem;

namespace {

class PrintFileNameTest : public kiv::test::ShellPrintTest {
protected:
    // 印刷 in the active window, the print dialog answered to a PDF file: `writeTo`, or the file
    // it proposed when empty. Returns what it proposed, and whether its target was a file then.
    std::pair<fs::path, bool> printToPdf(fs::path writeTo = {}) {
        if (dynamic_cast<CKivDoc*>(main().activeChild()->document()))
            hb().expectDialog([](headless::DialogDriver& d) { d.click(IDOK); }, CInsatuDialog::IDD);
        std::pair<fs::path, bool> proposed;
        hb().expectPrintDialog([&](print::PrintSettings& s) {
            proposed = {s.file, s.toFile()};
            s.target = print::PrintSettings::Target::File;
            if (!writeTo.empty())
                s.file = writeTo;
            return true;
        });
        const std::size_t jobs = hb().printJobs().size();
        hb().sendCommand(cmd::FilePrint);
        EXPECT_EQ(hb().pendingAnswers(), 0u);
        EXPECT_EQ(hb().printJobs().size(), jobs + 1);
        return proposed;
    }
};

TEST_F(PrintFileNameTest, TheDialogProposesTheDocumentsOwnPdf) {
    app->OpenFile(writeEstimate("工事 A.KIV"));
    hb().processPending();
    // The first print, to the system printer as the run starts: the file offered all the same.
    EXPECT_EQ(printToPdf(), std::make_pair(data / "工事 A.pdf", false));
    EXPECT_TRUE(fs::exists(data / "工事 A.pdf"));
    // Printed again: the same name, now with the file chosen.
    EXPECT_EQ(printToPdf(), std::make_pair(data / "工事 A.pdf", true));

    // The master, in a folder of its own: its own name, not the estimate's PDF.
    fs::create_directories(data / "masters");
    const fs::path mst = data / "masters" / "単価.MST";
    ASSERT_TRUE(files::writeFileAtomically(mst, kivtest::mstBytes(kivtest::threeCategories())));
    app->OpenFile(mst);
    hb().processPending();
    EXPECT_EQ(printToPdf(data / "sent.pdf").first, data / "masters" / "単価.pdf");

    // An untitled totals window: its title in the current folder.
    hb().sendCommand(32814);
    const std::string title = main().activeChild()->document()->title();
    ASSERT_FALSE(title.empty());
    EXPECT_EQ(printToPdf(data / "other.pdf").first, fs::current_path() / (title + ".pdf"));

    // Back in the estimate, after other PDFs were written: its own again.
    app->OpenFile(data / "工事 A.KIV");
    hb().processPending();
    EXPECT_EQ(printToPdf(data / "x.pdf").first, data / "工事 A.pdf");
}

} // namespace
