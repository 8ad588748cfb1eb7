// A totals document printed by the real application on Qt's offscreen platform into a PDF file:
// poppler reads its pages back, and its first page is rendered and looked at.
#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "platform/files/Files.h"
#include "platform/print/PrintView.h"
#include "platform/profile/Profile.h"
#include "platform/qt/QtBackend.h"
#include "platform/text/Cp932.h"
#include "platform/ui/Frame.h"
#include "qt/QtTestApp.h"
#include "shell/KivApp.h"
#include "shell/TSplitFrame.h"
#include "support/TempDir.h"
#include "totals/TotalFile.h"
#include "totals/TotalPrint.h"
#include "totals/TotalView.h"

#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

using namespace kiv;
namespace fs = std::filesystem;

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

std::string totalRow(int k, int g, const char* name) {
    std::string r = GyouRecord::blankRow();
    GyouRecord::writeKey(r, k, g);
    GyouRecord::putText(r, GyouRecord::Hinmei, text::sj(name));
    GyouRecord::putNumber(r, GyouRecord::SekisanSuu1, "1");
    GyouRecord::putNumber(r, GyouRecord::Tanka1, "1234567");
    return r;
}

TEST(QtTotalPrint, TotalsToPdfFirstPageRendered) {
    test::qtApp();
    test::ScopedProfileHome home;
    test::TempDir exeDir, data;
    qt::QtBackend backend;
    for (const char* name : {"労務単価.rab", "電気設定.ett", "ヘッダー.hdr", "表紙.frm"})
        ASSERT_TRUE(files::writeFileAtomically(exeDir / name, ""));
    CKivDoc::SetProgramDirectory(exeDir.path());
    CKivDoc::s_BackupWriter = [](CKivDoc&) {};
    profile::Profile::user().writeString("Select_Section", "Select", "1");
    std::vector<std::string> rows;
    for (int g = 1; g <= 30; ++g)
        rows.push_back(totalRow(1, g, g == 1 ? "配管工事" : "ケーブル"));
    const fs::path ttl = data / "t.TTL";
    ASSERT_TRUE(files::writeFileAtomically(ttl, WriteTotalFile(rows, static_cast<int>(rows.size()))));
    const fs::path pdf = data / "集計.pdf";
    print::resetRunSettings();
    print::PrintSettings s;
    s.target = print::PrintSettings::Target::File;
    s.file = pdf;
    print::setRunSettings(s);

    ui::setBackend(&backend);
    {
        CKivApp app;
        app.setArguments({"kiv", ttl.string()});
        ASSERT_TRUE(app.initInstance());
        test::settle();
        ASSERT_EQ(app.mainFrame()->mdiChildren().size(), 1u);
        auto* frame = dynamic_cast<CTSplitFrame*>(app.mainFrame()->mdiChildren()[0]);
        ASSERT_NE(frame, nullptr);
        auto* view = dynamic_cast<CTotalView*>(frame->m_wndSplitter->pane(0, 1));
        ASSERT_NE(view, nullptr);
        // Straight to the file chosen earlier in the run.
        print::runPrintCommand(view->Print(), print::PrintCommand::Direct);
        test::settle();
        ASSERT_TRUE(fs::exists(pdf));

        const std::string info = run("pdfinfo '" + pdf.string() + "' 2>&1");
        EXPECT_TRUE(std::regex_search(info, std::regex("Pages: +2\n"))) << info;
        EXPECT_TRUE(std::regex_search(info, std::regex("Page size: +595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))) << info;
        const std::string page1 = run("pdftotext -f 1 -l 1 -layout '" + pdf.string() + "' - 2>&1");
        for (const char* caption : {"項目", "品", "規", "積算数量", "単", "位", "金", "備", "分類"})
            EXPECT_NE(page1.find(caption), std::string::npos) << caption;
        EXPECT_NE(page1.find("配管工事"), std::string::npos);
        EXPECT_NE(page1.find("1,234,567"), std::string::npos);
        EXPECT_NE(page1.find("-1-"), std::string::npos) << page1;
        EXPECT_NE(run("pdftotext -f 2 -l 2 '" + pdf.string() + "' - 2>&1").find("-2-"), std::string::npos);

        // Rendered at 72 dpi (one point a pixel): the heading's ink near the top, "-1-" at
        // x 2368 + margin dots, y 6670 + margin dots.
        const fs::path png = test::outputFolder() / "kiv-totals-print-page1";
        run("pdftoppm -f 1 -l 1 -r 72 -singlefile -png '" + pdf.string() + "' '" + png.string() + "' 2>&1");
        QImage img(QString::fromStdString(png.string() + ".png"));
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.width(), 595);
        const auto pt = [](int dots) { return static_cast<int>((dots + 118.1) * 72 / 600); };
        EXPECT_TRUE(test::inkIn(img, pt(444), pt(1558), pt(250), pt(470)));   // heading: 品名
        EXPECT_TRUE(test::inkIn(img, pt(2368), pt(2368 + 3 * 37), pt(6670), pt(6670 + 73)));
        EXPECT_FALSE(test::inkIn(img, pt(2368), pt(2368 + 3 * 37), pt(6670 - 200), pt(6670 - 120)));
    }
    test::settle();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ui::setBackend(nullptr);
    print::resetRunSettings();
    CKivDoc::s_BackupWriter = nullptr;
    CKivDoc::SetProgramDirectory({});
    CKivDoc::SetRunMode("");
}

} // namespace
