// Printing on the Qt backend, end to end: an estimate of three items printed to a PDF file that
// poppler's tools read back (pages, paper, texts and where they stand), and offscreen pictures
// of 印刷設定 and of the preview window.
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/LayoutFile.h"
#include "estimate/RecalcSeams.h"
#include "grid/KivView.h"
#include "platform/files/Files.h"
#include "platform/print/PrintView.h"
#include "platform/qt/QtBackend.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "platform/ui/Frame.h"
#include "print/InsatuDialog.h"
#include "print/KivPrint.h"
#include "recalc/KivRecalc.h"
#include "qt/QtEstimateApp.h"
#include "qt/QtTestApp.h"
#include "support/TempDir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QDialog>
#include <QImage>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <regex>
#include <string>

using namespace kiv;
using kiv::text::sj;

namespace {

std::string run(const std::string& command) {
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

// A row named `name`; with a price, one unit of it.
std::string itemRow(int item, int gyou, const std::string& name, const std::string& tanka = {}) {
    std::string r = GyouRecord::blankRow();
    GyouRecord::writeKey(r, item, gyou);
    GyouRecord::putText(r, GyouRecord::Hinmei, name);
    GyouRecord::putNumber(r, GyouRecord::Hokyuu, "1.0");
    if (!tanka.empty()) {
        GyouRecord::putNumber(r, GyouRecord::HiroidasiSuu1, "1");
        GyouRecord::putNumber(r, GyouRecord::Tanka1, tanka);
    }
    return r;
}

// Once a modal window is up: `shot` looks at it, then the push button of the caption is clicked
// (without a caption, the dialog is cancelled).
void answerModal(const QString& caption, std::function<void(QWidget*)> shot = {}, int tries = 40) {
    QTimer::singleShot(50, [caption, shot, tries] {
        // The modal window up now (offscreen windows are not always made active).
        QWidget* w = QApplication::activeModalWidget();
        for (QWidget* t : QApplication::topLevelWidgets())
            if (!w && t->isVisible() && t->isModal())
                w = t;
        if (!w || !w->isVisible()) {
            if (tries > 0)
                answerModal(caption, shot, tries - 1);
            else {
                std::string tops;
                for (QWidget* t : QApplication::topLevelWidgets())
                    tops += t->metaObject()->className() + std::string(t->isVisible() ? "+" : "-") + t->windowTitle().toStdString() + " ";
                ADD_FAILURE() << "no modal window; windows: " << tops;
            }
            return;
        }
        if (shot)
            shot(w);
        if (caption.isEmpty()) {
            if (auto* d = qobject_cast<QDialog*>(w))
                d->reject();
            return;
        }
        for (QPushButton* b : w->findChildren<QPushButton*>())
            if (b->text() == caption && b->isEnabled()) {
                b->click();
                return;
            }
        ADD_FAILURE() << "no button " << caption.toStdString();
    });
}

class QtPrint : public testing::Test {
protected:
    void SetUp() override {
        kiv::test::qtApp();
        for (const char* name : {"労務単価.rab", "電気設定.ett", "ヘッダー.hdr", "表紙.frm"})
            ASSERT_TRUE(files::writeFileAtomically(exeDir / name, ""));
        CKivDoc::SetRunMode("1");
        CKivDoc::SetProgramDirectory(exeDir.path());
        CKivDoc::s_BackupWriter = [](CKivDoc&) {};
        print::resetRunSettings();
        // Printing recalculates every item first, as the program connects it.
        seams = recalcSeams();
        KivRecalc::Connect();
        doc = std::make_unique<CKivDoc>();
        std::vector<std::string> rows;
        const int counts[] = {10, 25, 5};
        for (int item = 1; item <= 3; ++item)
            for (int g = 1; g <= counts[item - 1]; ++g)
                rows.push_back(itemRow(item, g, sj(g == 1 && item == 1 ? "配管工事" : "ケーブル"),
                                       g == 1 && item == 1 ? "1234567" : ""));
        doc->ClearGyou();
        for (std::size_t i = 0; i < rows.size(); ++i)
            doc->SetPoolGyou(i, rows[i]);
        doc->SetPoolGyouCount(static_cast<int>(rows.size()));
        doc->RebuildGyouIndex();
        doc->LoadKoumokuGyou();
        ui::setBackend(&backend);
        app = std::make_unique<kiv::test::EstimateApp>(*doc);
        ASSERT_TRUE(app->initInstance());
        app->mainFrame()->setGeometry(ui::Rect::fromSize(0, 0, 1200, 700));
        ASSERT_NE(app->estimate->openDocumentFile({}), nullptr);
        kiv::test::settle();
        view = dynamic_cast<CKivView*>(app->activeView());
        ASSERT_NE(view, nullptr);
    }
    void TearDown() override {
        if (app && app->mainFrame())
            app->mainFrame()->destroyWindow();
        ui::collectGarbage();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app.reset();
        ui::setBackend(nullptr);
        doc.reset();
        print::resetRunSettings();
        recalcSeams() = seams;
        CKivDoc::s_BackupWriter = nullptr;
        CKivDoc::SetProgramDirectory({});
        CKivDoc::SetRunMode("");
    }

    kiv::test::ScopedProfileHome profile;
    kiv::test::TempDir exeDir;
    RecalcSeams seams;
    qt::QtBackend backend;
    std::unique_ptr<CKivDoc> doc;
    std::unique_ptr<kiv::test::EstimateApp> app;
    CKivView* view = nullptr;
};

TEST_F(QtPrint, EstimateToPdfReadBackByPoppler) {
    const std::filesystem::path pdf = exeDir / "内訳書.pdf";
    print::PrintSettings s;
    s.target = print::PrintSettings::Target::File;
    s.file = pdf;
    print::setRunSettings(s);
    // Direct printing: 印刷設定, then straight to the file chosen earlier in the run.
    answerModal("OK", [](QWidget* w) { EXPECT_TRUE(kiv::test::savePicture(w, "qt-print-insatu-dialog.png")); });
    view->onCommand(ui::cmd::FilePrintDirect);
    kiv::test::settle();
    ASSERT_TRUE(std::filesystem::exists(pdf));

    const std::string info = run("pdfinfo '" + pdf.string() + "' 2>&1");
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages: +4\n"))) << info;
    EXPECT_TRUE(std::regex_search(info, std::regex("Page size: +84[12](\\.\\d+)? x 595(\\.\\d+)? pts \\(A4\\)"))) << info;

    const std::string all = run("pdftotext -layout '" + pdf.string() + "' - 2>&1");
    for (const char* caption : {"項目", "品", "規", "数", "単位", "単", "金", "備"})
        EXPECT_NE(all.find(caption), std::string::npos) << caption;
    EXPECT_NE(all.find("配管工事"), std::string::npos);
    EXPECT_NE(all.find("1,234,567"), std::string::npos);
    const std::string page3 = run("pdftotext -f 3 -l 3 -layout '" + pdf.string() + "' - 2>&1");
    EXPECT_NE(page3.find("-3-"), std::string::npos) << page3;

    // 項目 stands at x = 420 dots + the 5 mm margin: 64.6 pt.
    const std::string bbox = run("pdftotext -f 1 -l 1 -bbox '" + pdf.string() + "' - 2>&1");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(bbox, m, std::regex("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>項目</word>")))
        << bbox.substr(0, 2000);
    EXPECT_NEAR(std::stod(m[1].str()), 64.6, 0.3);
    // Nothing left beside the file.
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(exeDir.path()))
        entries += e.path().extension() == ".pdf" || e.path().filename().string().find(".tmp") != std::string::npos;
    EXPECT_EQ(entries, 1);
    // The job ended on item 1, row 1.
    EXPECT_EQ(doc->m_CurKoumoku[0], 1);
    EXPECT_EQ(doc->m_CurGyou[0], 1);
}

// The print dialog offers the document's own PDF, here an untitled estimate's print title in the
// current folder, not the PDF the run wrote last; whether a printer or a file is chosen.
TEST_F(QtPrint, PrintDialogOffersTheDocumentsOwnPdf) {
    const std::string own = (std::filesystem::current_path() / (view->Print().printTitle() + ".pdf")).string();
    for (bool toFile : {false, true}) {
        SCOPED_TRACE(toFile ? "file chosen" : "printer chosen");
        print::PrintSettings s;
        s.target = toFile ? print::PrintSettings::Target::File : print::PrintSettings::Target::Printer;
        s.file = exeDir / "sent.pdf";
        print::setRunSettings(s);
        std::string offered = "(no dialog)";
        answerModal("OK", [&](QWidget*) {
            answerModal("", [&](QWidget* dlg) {
                auto* name = dlg->findChild<QLineEdit*>("filename");
                offered = name ? name->text().toStdString() : "(no file name field)";
            });
        });
        view->onCommand(ui::cmd::FilePrint);
        kiv::test::settle();
        EXPECT_EQ(offered, own);
    }
    EXPECT_FALSE(std::filesystem::exists(own));
}

TEST_F(QtPrint, APdfThatCannotBeWrittenKeepsTheOldFileAndSaysWhy) {
    const std::filesystem::path pdf = exeDir / "old.pdf";
    ASSERT_TRUE(kiv::files::writeFileAtomically(pdf, "old"));
    print::PrintSettings s;
    s.target = print::PrintSettings::Target::File;
    s.file = pdf;
    print::setRunSettings(s);
    kiv::files::WriteFault full(ENOSPC);
    std::string said;
    answerModal("OK", [&](QWidget*) {
        answerModal("OK", [&](QWidget* box) {
            if (auto* b = qobject_cast<QMessageBox*>(box))
                said = b->text().toStdString();
        });
    });
    view->onCommand(ui::cmd::FilePrintDirect);
    kiv::test::settle();
    EXPECT_EQ(said, "ファイルが作成できません。\n" + pdf.string() + "\nディスクの空き容量が不足しています。");
    EXPECT_EQ(kiv::files::readFile(pdf), std::optional<std::string>("old"));
    for (const auto& e : std::filesystem::directory_iterator(exeDir.path()))
        EXPECT_EQ(e.path().filename().string().find("kivtmp"), std::string::npos) << e.path();
}

// The starter header and cover layouts on paper, in both orientations: the cover block names the
// estimate and its date, every page carries its number below the table and inside the sheet, at
// a size that reads.
TEST_F(QtPrint, StarterLayoutsPutNameDateAndPageNumbersOnThePaper) {
    const std::filesystem::path starter = KIV_STARTER_SET;
    doc->m_Hedder = readHedderFile(starter / "ヘッダー.hdr").record;
    doc->m_HyousiForm = readHyousiFormFile(starter / "表紙.frm").record;
    doc->ParseHedder();
    doc->ParseHyousi();
    doc->m_HyousiData[0] = sj("第一工場電気設備工事");
    doc->m_HyousiData[9] = "8";
    doc->m_HyousiData[10] = " 4";
    doc->m_HyousiData[11] = "10";
    struct Case {
        const char* kind;
        const char* file;
        double pageHeight;   // pt
        double tableBottom;  // pt: the frame under the last row line, the 5 mm margin added
    } cases[] = {{"表紙付内訳書印刷", "landscape.pdf", 595.3, 544.0}, {"A4縦表紙付内訳書印刷", "portrait.pdf", 841.9, 787.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const std::filesystem::path pdf = exeDir / c.file;
        print::PrintSettings s;
        s.target = print::PrintSettings::Target::File;
        s.file = pdf;
        print::setRunSettings(s);
        const QString kind = QString::fromUtf8(c.kind);
        answerModal("OK", [kind](QWidget* w) {
            for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
                if (b->text() == kind)
                    b->click();
        });
        view->onCommand(ui::cmd::FilePrintDirect);
        kiv::test::settle();
        ASSERT_TRUE(std::filesystem::exists(pdf));
        const std::string page1 = run("pdftotext -f 1 -l 1 -layout '" + pdf.string() + "' - 2>&1");
        EXPECT_NE(page1.find("第一工場電気設備工事"), std::string::npos) << page1;
        EXPECT_NE(page1.find("工事名称"), std::string::npos);
        EXPECT_NE(page1.find("令和"), std::string::npos);
        const std::string bbox = run("pdftotext -bbox '" + pdf.string() + "' - 2>&1");
        for (const char* number : {"-1-", "-2-"}) {
            SCOPED_TRACE(number);
            std::smatch m;
            ASSERT_TRUE(std::regex_search(bbox, m,
                                          std::regex(std::string("<word xMin=\"[0-9.]+\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" "
                                                                 "yMax=\"([0-9.]+)\">") + number + "</word>")));
            const double top = std::stod(m[1].str()), bottom = std::stod(m[2].str());
            EXPECT_GT(top, c.tableBottom);
            EXPECT_LT(bottom, c.pageHeight);
            EXPECT_GE(bottom - top, 6.0);   // 7 pt and more
        }
        std::filesystem::remove(pdf);
    }
}

// True when each of the `pages` white pages that the preview `w` shows side by side (12 pixels
// apart and from the top) holds ink inside its edges: a page was drawn, not just its paper.
bool previewPagesInked(QWidget* w, int pages) {
    auto* area = w->findChild<QScrollArea*>();
    if (!area || !area->widget())
        return false;
    const QImage img = area->widget()->grab().toImage();
    const int pageW = (img.width() - 12) / pages - 12, pageH = img.height() - 24;
    for (int k = 0; k < pages; ++k) {
        const int x0 = 12 + k * (pageW + 12);
        if (pageW < 10 || !kiv::test::inkIn(img, x0 + 2, x0 + pageW - 2, 14, 12 + pageH - 2))
            return false;
    }
    return true;
}

TEST_F(QtPrint, PreviewShowsThePagesAndCloses) {
    // 印刷設定, then the preview: a picture of page 1, of pages 1-2 side by side, then 閉じる.
    answerModal("OK", [](QWidget*) {
        answerModal("2ページ", [](QWidget* w) {
            EXPECT_NE(w->windowTitle().toStdString().find("ﾌﾟﾚﾋﾞｭｰ"), std::string::npos);
            EXPECT_TRUE(kiv::test::savePicture(w, "qt-print-preview.png"));
            EXPECT_TRUE(previewPagesInked(w, 1));
            answerModal("閉じる", [](QWidget* w2) {
                EXPECT_TRUE(kiv::test::savePicture(w2, "qt-print-preview-two-pages.png"));
                EXPECT_TRUE(previewPagesInked(w2, 2));
            });
        });
    });
    view->onCommand(ui::cmd::FilePrintPreview);
    kiv::test::settle();
    for (QWidget* t : QApplication::topLevelWidgets())
        EXPECT_FALSE(t->isVisible() && t->isModal()) << t->windowTitle().toStdString();
    EXPECT_EQ(doc->m_CurKoumoku[0], 1);
}

} // namespace
