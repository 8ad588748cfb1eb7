// The application: start-up by stored mode, the document templates, the open dispatch by file
// kind in both modes, files already open, the recent files, the command line, dropped files,
// new estimates with Save As, and the commands that say their subsystem is not there yet.
#include "ShellFixture.h"

#include "estimate/MstFile.h"
#include "estimate/SetteiFile.h"
#include "master/MstFixture.h"
#include "master/MstDoc.h"
#include "platform/print/PrintView.h"
#include "resources/DocTemplateResources.h"
#include "shell/SplitFrame.h"
#include "totals/TotalDoc.h"

using namespace kiv;
using namespace kiv::ui;
using kiv::test::ShellTest;
namespace fs = std::filesystem;

namespace {

// A file that is no master (these fixtures hold one byte) opens nothing, with a message naming it.
const char* const kMstCannotOpen = "を開けません";
const char* const kTotalCannotOpen = "集計ファイル";

class KivAppTest : public ShellTest {};

TEST_F(KivAppTest, StartsWithTheStoredModeAndNineTemplatesButNoDocument) {
    for (const char* mode : {"1", "2"}) {
        SCOPED_TRACE(mode);
        ASSERT_EQ(start(mode), 0);
        EXPECT_EQ(app->m_Mode, mode);
        EXPECT_EQ(CKivDoc::RunMode(), mode);
        EXPECT_EQ(modePane(), mode == std::string("1") ? "電気設備積算" : "機械設備積算");
        EXPECT_TRUE(main().isVisible());
        EXPECT_EQ(main().title(), "Kiv");
        EXPECT_EQ(main().currentMenu()->id, 128);
        EXPECT_TRUE(documents().empty());
        EXPECT_TRUE(main().mdiChildren().empty());

        const int order[] = {129, 130, 141, 138, 137, 140, 139, 142, 143};
        ASSERT_EQ(app->docTemplates().size(), 9u);
        for (std::size_t i = 0; i < 9; ++i) {
            const DocTemplate& t = *app->docTemplates()[i];
            EXPECT_EQ(t.resourceId(), order[i]);
            EXPECT_EQ(t.part(DocTemplate::FilterExt), i < 3 ? ".MES" : i < 6 ? ".MMS" : ".MTL");
            EXPECT_NE(t.menu(), nullptr);
        }
        EXPECT_EQ(app->docTemplates()[2]->part(DocTemplate::FilterName), "Mes Files (*.mes)");
        EXPECT_EQ(app->m_pKivTemplate->resourceId(), 130);
        EXPECT_EQ(app->m_pKivSplitTemplate->resourceId(), 141);
        EXPECT_EQ(app->m_pMstTemplate->resourceId(), 137);
        EXPECT_EQ(app->m_pMstSplitTemplate->resourceId(), 140);
        EXPECT_EQ(app->m_pTotalTemplate->resourceId(), 142);
        EXPECT_EQ(app->m_pTotalSplitTemplate->resourceId(), 143);
        EXPECT_EQ(app->recentFiles().size(), 5);
        app.reset();
    }
}

TEST(KivFileKind, LastThreeLettersInTheMode) {
    struct Case {
        const char* mode;
        const char* name;
        KivFileKind kind;
    } cases[] = {
        {"1", "a.KIV", KivFileKind::Estimate}, {"1", "a.kiv", KivFileKind::Estimate}, {"1", "a.MES", KivFileKind::Other},
        {"1", "a.mst", KivFileKind::Master},   {"1", "a.TTL", KivFileKind::Totals},   {"1", "a.txt", KivFileKind::Other},
        {"2", "a.MES", KivFileKind::Estimate}, {"2", "a.Mes", KivFileKind::Estimate}, {"2", "a.KIV", KivFileKind::Other},
        {"2", "a.MMS", KivFileKind::Master},   {"2", "a.mtl", KivFileKind::Totals},   {"2", "a.doc", KivFileKind::Other},
        {"3", "a.KIV", KivFileKind::Other},    {"1", "iv", KivFileKind::Other},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KivFileKindOf(c.name, c.mode), c.kind) << c.mode << " " << c.name;
}

// 57601 in both modes: the mode's estimate opens in the split frame; master and totals reach
// their templates (a file that is no master is refused by the master); anything else is refused with a message.
TEST_F(KivAppTest, OpenDispatchesByExtensionInBothModes) {
    struct Case {
        const char* mode;
        const char* name;
        const char* message;   // nullptr: opens as an estimate
    } cases[] = {
        {"1", "job.kiv", nullptr},
        {"1", "job.MES", "は開けません"},
        {"1", "m.mst", kMstCannotOpen},
        {"1", "t.TTL", kTotalCannotOpen},
        {"1", "x.txt", "は開けません"},
        {"2", "job.MES", nullptr},
        {"2", "job.kiv", "は開けません"},
        {"2", "m.MMS", kMstCannotOpen},
        {"2", "t.mtl", kTotalCannotOpen},
        {"2", "x.doc", "は開けません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.name);
        ASSERT_EQ(start(c.mode), 0);
        fs::path path = c.message ? writeFile(c.name) : writeEstimate(c.name);
        hb().expectFile(path);
        if (c.message)
            hb().expectMessageBox(IDOK, c.message);
        hb().sendCommand(cmd::FileOpen);
        const auto& prompt = hb().prompts()[hb().prompts().size() - (c.message ? 2 : 1)];
        EXPECT_EQ(prompt.text, c.mode == std::string("1") ? "*.KIV" : "*.MES");
        EXPECT_EQ(prompt.caption, c.mode == std::string("1")
                                      ? "内訳書(*.KIV)|*.KIV|マスター(*.MST)|*.MST|集計(*.TTL)|*.TTL|"
                                      : "内訳書(*.MES)|*.MES|マスター(*.MMS)|*.MMS|集計(*.MTL)|*.MTL|");
        if (c.message) {
            EXPECT_TRUE(documents().empty());
            EXPECT_TRUE(main().mdiChildren().empty());
        } else {
            ASSERT_EQ(documents().size(), 1u);
            auto* doc = dynamic_cast<CKivDoc*>(documents()[0]);
            ASSERT_NE(doc, nullptr);
            EXPECT_EQ(doc->docTemplate(), app->m_pKivSplitTemplate);
            EXPECT_EQ(doc->GetPathName(), path.string());
            EXPECT_EQ(doc->m_KoumokuCount, 1);
            ASSERT_EQ(main().mdiChildren().size(), 1u);
            ChildFrame* frame = main().mdiChildren()[0];
            EXPECT_NE(dynamic_cast<CSplitFrame*>(frame), nullptr);
            EXPECT_EQ(frame->views().size(), 2u);
            // Tiled: the one window fills the document area.
            EXPECT_EQ(frame->geometry(), main().clientRect());
            EXPECT_EQ(main().currentMenu()->id, 141);
        }
        app.reset();
    }
}

TEST_F(KivAppTest, CancelledOpenOpensNothing) {
    ASSERT_EQ(start("1"), 0);
    hb().expectFile(std::nullopt);
    hb().sendCommand(cmd::FileOpen);
    EXPECT_TRUE(documents().empty());
}

TEST_F(KivAppTest, OpeningAnOpenFileActivatesItsWindow) {
    ASSERT_EQ(start("1"), 0);
    fs::path a = writeEstimate("a.KIV"), b = writeEstimate("b.KIV");
    hb().expectFile(a);
    hb().sendCommand(cmd::FileOpen);
    hb().expectFile(b);
    hb().sendCommand(cmd::FileOpen);
    ASSERT_EQ(documents().size(), 2u);
    ChildFrame* frameA = documents()[0]->frames().front();
    EXPECT_NE(main().activeChild(), frameA);

    // The same file again, by the dialog, by a drop and by a differently written path.
    hb().expectFile(a);
    hb().sendCommand(cmd::FileOpen);
    EXPECT_EQ(documents().size(), 2u);
    EXPECT_EQ(main().activeChild(), frameA);
    main().activateChild(documents()[1]->frames().front());
    main().dispatchDropFiles({data.path() / "." / "a.KIV"});
    hb().processPending();
    EXPECT_EQ(documents().size(), 2u);
    EXPECT_EQ(main().activeChild(), frameA);
    EXPECT_EQ(main().mdiChildren().size(), 2u);
}

TEST_F(KivAppTest, RecentFilesKeepFiveAndReopenThroughTheDispatch) {
    ASSERT_EQ(start("1"), 0);
    // An empty list shows its placeholder greyed.
    EXPECT_FALSE(app->commandState(cmd::FileMruFirst).enabled);
    std::vector<fs::path> paths;
    for (int i = 1; i <= 6; ++i) {
        paths.push_back(writeEstimate("e" + std::to_string(i) + ".KIV"));
        hb().expectFile(paths.back());
        hb().sendCommand(cmd::FileOpen);
    }
    const auto& recent = app->recentFiles().entries();
    ASSERT_EQ(recent.size(), 5u);
    EXPECT_TRUE(app->commandState(cmd::FileMruFirst).enabled);
    EXPECT_EQ(recent[0], paths[5]);
    EXPECT_EQ(recent[4], paths[1]);
    EXPECT_EQ(profile().getString("Recent File List", "File1"), paths[5].string());

    // Closed, then reopened from the list (entry 2 is e5).
    for (ui::Document* d : documents())
        d->onCloseDocument();
    hb().processPending();
    ASSERT_TRUE(documents().empty());
    hb().sendCommand(cmd::FileMruFirst + 1);
    ASSERT_EQ(documents().size(), 1u);
    EXPECT_EQ(documents()[0]->pathName(), paths[4]);
    EXPECT_EQ(recent[0], paths[4]);
    EXPECT_EQ(main().mdiChildren()[0]->geometry(), main().clientRect());
    // An entry beyond the list does nothing.
    hb().sendCommand(cmd::FileMruFirst + 9);
    EXPECT_EQ(documents().size(), 1u);

    // The list survives a restart; in the other mode an estimate of this mode is refused.
    app.reset();
    ASSERT_EQ(start("2"), 0);
    ASSERT_EQ(app->recentFiles().entries().size(), 5u);
    hb().expectMessageBox(IDOK, "は開けません");
    hb().sendCommand(cmd::FileMruFirst);
    EXPECT_TRUE(documents().empty());
}

TEST_F(KivAppTest, OpeningAnEstimateLackingComputedRowsAsksOnceAndSaysTheRestInOneBox) {
    // Labour-posting settings with a code for 継手材計算 and 小計; an item whose rows carry a
    // 継手 rate, with two 小計 rows and no 中計.
    SetteiRecord settei;
    ASSERT_TRUE(settei.setCode(EnzanCode::Tugite, "0050"));
    ASSERT_TRUE(settei.setCode(EnzanCode::Syoukei, "0030"));
    settei.setSekisanYousiki(false);
    ASSERT_TRUE(writeSetteiFile(exeDir / "電気設定.ett", settei));
    std::vector<std::string> rows;
    auto add = [&](int g, std::vector<std::pair<int, std::string>> fields) {
        std::string row = GyouRecord::blankRow();
        GyouRecord::writeKey(row, 1, g);
        for (const auto& [f, v] : fields)
            EXPECT_TRUE(GyouRecord::putNumber(row, f, v));
        rows.push_back(row);
    };
    const std::vector<std::pair<int, std::string>> joint = {
        {GyouRecord::HiroidasiSuu1, "4"}, {GyouRecord::Tanka1, "2500"}, {GyouRecord::TugiteRitu, "0.02"}};
    add(1, joint);
    add(2, {{GyouRecord::BunNo, "0030"}});
    add(3, joint);
    add(4, {{GyouRecord::BunNo, "0030"}});
    const fs::path job = data / "lacking.KIV";
    ASSERT_TRUE(files::writeFileAtomically(job, WriteKivFile({}, rows)));

    // The question, declined; then one box, and no other, whatever the load and the window's
    // first item check found.
    hb().expectMessageBox(IDCANCEL, "労務費計上モードです");
    hb().expectMessageBox(IDOK, "小計分類が２ヵ所以上");
    ASSERT_EQ(start("1", {job.string()}), 0);
    ASSERT_EQ(documents().size(), 1u);
    EXPECT_EQ(hb().pendingAnswers(), 0u);
}

TEST_F(KivAppTest, CommandLineOpensOnlyAFileName) {
    fs::path job = writeEstimate("job.KIV", 3);
    ASSERT_EQ(start("1", {job.string()}), 0);
    ASSERT_EQ(documents().size(), 1u);
    auto* doc = dynamic_cast<CKivDoc*>(documents()[0]);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->m_KoumokuCount, 3);
    EXPECT_EQ(doc->title(), "job.KIV");
    EXPECT_NE(dynamic_cast<CSplitFrame*>(main().mdiChildren()[0]), nullptr);
    EXPECT_EQ(main().mdiChildren()[0]->geometry(), main().clientRect());
    app.reset();

    ASSERT_EQ(start("1", {"-reverse", "--x"}), 0);
    EXPECT_TRUE(documents().empty());
    app.reset();

    // A master named on the command line goes to the master, not into an estimate.
    fs::path mst = writeFile("m.MST");
    hb().expectMessageBox(IDOK, kMstCannotOpen);
    ASSERT_EQ(start("1", {mst.string()}), 0);
    EXPECT_TRUE(documents().empty());
    EXPECT_TRUE(main().mdiChildren().empty());
}

TEST_F(KivAppTest, DroppedFilesGoThroughTheSameDispatch) {
    ASSERT_EQ(start("2"), 0);
    fs::path job = writeEstimate("job.mes"), other = writeFile("notes.txt"), kiv = writeEstimate("old.KIV");
    hb().expectMessageBox(IDOK, "notes.txt");
    hb().expectMessageBox(IDOK, "old.KIV");
    main().dispatchDropFiles({job, other, kiv});
    hb().processPending();
    ASSERT_EQ(documents().size(), 1u);
    EXPECT_EQ(documents()[0]->docTemplate(), app->m_pKivSplitTemplate);
    EXPECT_EQ(main().mdiChildren()[0]->geometry(), main().clientRect());
}

TEST_F(KivAppTest, NewEstimatesAreUntitledAndSaveAsWritesTheModesFile) {
    ASSERT_EQ(start("1"), 0);
    hb().sendCommand(cmd::FileNew);
    hb().sendCommand(32807);   // 新規作成 of the no-document menu sends 57600
    ASSERT_EQ(documents().size(), 2u);
    EXPECT_EQ(documents()[0]->title(), "内訳書1");
    EXPECT_EQ(documents()[1]->title(), "内訳書2");
    // Tiled one above the other.
    Rect c = main().clientRect();
    EXPECT_EQ(main().mdiChildren()[0]->geometry().height() + main().mdiChildren()[1]->geometry().height(), c.height());
    EXPECT_EQ(main().mdiChildren()[0]->geometry().width(), c.width());

    fs::path target = data / "new.KIV";
    hb().expectFile(target);
    hb().sendCommand(cmd::FileSaveAs);
    auto* doc = dynamic_cast<CKivDoc*>(app->activeView()->document());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(hb().prompts().back().text, "*.KIV");
    EXPECT_EQ(hb().prompts().back().caption, "KIV(*.KIV)|*.KIV|全て(*.*)|*.*|");
    EXPECT_TRUE(fs::exists(target));
    EXPECT_EQ(doc->GetPathName(), target.string());
    EXPECT_EQ(doc->pathName(), target);
    EXPECT_EQ(doc->title(), "new.KIV");
    EXPECT_EQ(app->recentFiles().entries().front(), target);
    EXPECT_EQ(app->findOpenDocument(target), doc);
}

TEST_F(KivAppTest, ClosingAModifiedEstimateAsksAndSavesThroughTheModesDialog) {
    ASSERT_EQ(start("2"), 0);
    hb().sendCommand(cmd::FileNew);
    auto* doc = dynamic_cast<CKivDoc*>(documents()[0]);
    ASSERT_NE(doc, nullptr);
    doc->SetModifiedFlag();

    // Cancel keeps it open; Yes asks for a name in the mode's save dialog and writes it.
    hb().expectMessageBox(IDCANCEL, "変更を保存しますか");
    hb().sendCommand(cmd::FileClose);
    ASSERT_EQ(documents().size(), 1u);
    fs::path target = data / "saved.MES";
    hb().expectMessageBox(IDYES, "内訳書1");
    hb().expectFile(target);
    hb().sendCommand(cmd::FileClose);
    EXPECT_EQ(hb().prompts().back().caption, "MES(*.MES)|*.MES|全て(*.*)|*.*|");
    EXPECT_TRUE(fs::exists(target));
    EXPECT_TRUE(documents().empty());
    EXPECT_TRUE(main().mdiChildren().empty());
    EXPECT_EQ(backups, std::vector<std::string>{target.string()});
}

TEST_F(KivAppTest, EstimatePromptsReachTheMessageBox) {
    ASSERT_EQ(start("1"), 0);
    // A missing labour-price file is reported when an estimate is created.
    fs::remove(exeDir / "労務単価.rab");
    hb().expectMessageBox(IDOK);
    hb().sendCommand(cmd::FileNew);
    EXPECT_EQ(documents().size(), 1u);
    EXPECT_TRUE(KivRecordedMessages().empty());
    // OK/Cancel questions come back as the user's answer.
    hb().expectMessageBox(IDOK, "質問");
    EXPECT_TRUE(KivAsk("質問"));
    hb().expectMessageBox(IDCANCEL, "質問");
    EXPECT_FALSE(KivAsk("質問"));
    EXPECT_EQ(hb().prompts().back().style & 0xF, static_cast<unsigned>(MB_OKCANCEL));
    // Once the application is gone the estimate's prompts are recorded again.
    app.reset();
    KivMessage("記録");
    EXPECT_EQ(KivRecordedMessages().back(), "記録");
}

// The question before 上書き保存 replaces a file that was read only in part has ｷｬﾝｾﾙ as its
// default button, for the estimate and the master: Return keeps the file.
TEST_F(KivAppTest, OverwritingAPartlyReadFileDefaultsToCancel) {
    ASSERT_EQ(start("1"), 0);
    const auto lowered = [](std::string bytes) {
        bytes[0] = static_cast<char>(bytes[0] - 1);   // the last line becomes unread data
        return bytes;
    };
    const fs::path estimate = writeEstimate("job.KIV", 2);
    const fs::path master = writeFile("m.MST", WriteMstFile(kivtest::threeCategories()));
    for (const fs::path& path : {estimate, master}) {
        SCOPED_TRACE(path.filename().string());
        const std::string bytes = lowered(*files::readFile(path));
        ASSERT_TRUE(files::writeFileAtomically(path, bytes));
        hb().expectMessageBox(IDOK, "一部");
        ui::Document* doc = app->OpenFile(path);
        ASSERT_NE(doc, nullptr);
        hb().processPending();
        hb().expectMessageBox(IDCANCEL, "上書き保存しますか");
        hb().sendCommand(cmd::FileSave);
        EXPECT_EQ(hb().prompts().back().style, static_cast<unsigned>(MB_OKCANCEL | MB_DEFBUTTON2));
        EXPECT_EQ(files::readFile(path), bytes);
        hb().sendCommand(cmd::FileClose);
        EXPECT_TRUE(documents().empty());
    }
    EXPECT_EQ(hb().pendingAnswers(), 0u);
}

TEST_F(KivAppTest, MasterAndTotalsCommandsOpenTheirWindows) {
    ASSERT_EQ(start("1"), 0);
    // The master from the program folder by default, else from the profile (files that are
    // there but no master: the opening says so).
    ASSERT_TRUE(files::writeFileAtomically(exeDir / "Eﾏｽﾀｰ.MST", "x"));
    hb().expectMessageBox(IDOK, kMstCannotOpen);
    hb().sendCommand(32796);
    EXPECT_EQ(app->m_MasterPath, (exeDir / "Eﾏｽﾀｰ.MST").string());
    profile().writeString("Emaster_Section", "Emaster_Dat", writeFile("mine.MST").string());
    hb().expectMessageBox(IDOK, "mine.MST");
    hb().sendCommand(32796);
    EXPECT_EQ(app->m_MasterPath, (data / "mine.MST").string());

    // 集計呼出 opens an untitled totals window: the summary page with its one blank row.
    hb().sendCommand(32814);
    ASSERT_EQ(documents().size(), 1u);
    auto* total = dynamic_cast<CTotalDoc*>(documents()[0]);
    ASSERT_NE(total, nullptr);
    EXPECT_EQ(g_pTotalDoc, total);
    EXPECT_EQ(total->m_KoumokuCount, 1);
    EXPECT_EQ(total->m_GyouCount, 1);
    hb().sendCommand(cmd::FileClose);
    EXPECT_TRUE(documents().empty());
    EXPECT_EQ(g_pTotalDoc, nullptr);
    // ﾌﾟﾘﾝﾀの設定 chooses the printer and paper the run's print dialogs start from.
    kiv::print::resetRunSettings();
    hb().expectPrintSetup([](kiv::print::PrintSettings& s) {
        s.printerName = "office";
        s.paper = kiv::print::Paper::A3;
        return true;
    });
    hb().sendCommand(cmd::FilePrintSetup);
    EXPECT_EQ(kiv::print::runSettings().printerName, "office");
    EXPECT_EQ(kiv::print::runSettings().paper, kiv::print::Paper::A3);
    EXPECT_TRUE(kiv::print::runTargetChosen());
    kiv::print::resetRunSettings();
    EXPECT_TRUE(documents().empty());
    EXPECT_TRUE(main().mdiChildren().empty());
}

} // namespace
