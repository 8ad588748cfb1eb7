// 送信 in the estimate, master and totals windows: a copy of the document, written as a save
// writes it, is handed to the desktop's mail composer (`xdg-email --attach COPY`). A stand-in
// xdg-email on PATH records its arguments and the file it was given.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>

#include "estimate/MstFile.h"
#include "master/MstFixture.h"
#include "platform/ui/Keys.h"
#include "shell/ShellFixture.h"
#include "totals/TotalDoc.h"
#include "totals/TotalFile.h"

namespace kiv::test {
namespace {

namespace fs = std::filesystem;
using G = GyouRecord;

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_Name(name) {
        if (const char* old = std::getenv(name))
            m_Old = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (m_Old)
            ::setenv(m_Name, m_Old->c_str(), 1);
        else
            ::unsetenv(m_Name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_Name;
    std::optional<std::string> m_Old;
};

class SendMailTest : public ShellTest {
protected:
    TempDir bin;      // where the stand-in xdg-email lives
    TempDir nothing;  // a PATH with no mail program
    TempDir tmp;      // the system's temporary folder for the test
    fs::path log() const { return bin / "args"; }
    fs::path attached() const { return bin / "attached"; }

    void standIn(int exitCode) {
        const fs::path script = bin / "xdg-email";
        std::ofstream(script) << "#!/bin/sh\n"
                              << "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" << log().string() << "'\n"
                              << "cp \"$2\" '" << attached().string() << "'\n"
                              << "exit " << exitCode << "\n";
        fs::permissions(script, fs::perms::owner_all);
    }
    std::vector<std::string> recordedArgs() const {
        std::vector<std::string> out;
        std::ifstream in(log());
        for (std::string line; std::getline(in, line);)
            out.push_back(line);
        return out;
    }
    static std::size_t entries(const fs::path& dir) {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }
};

// Each window sends its document: the composer gets the copy under the document's file name
// (an untitled totals document: its title with the mode's extension); the copy holds what a
// save then writes, typed changes included, and the document stays changed and where it was.
TEST_F(SendMailTest, EachWindowAttachesACopyOfItsDocument) {
    ASSERT_EQ(start("1"), 0);
    ScopedEnv tmpdir("TMPDIR", tmp.path().string());
    ScopedEnv path("PATH", bin.path().string() + ":" + std::getenv("PATH"));
    standIn(0);
    profile().writeString("Emaster_Section", "Emaster_Dat", (data / "m.MST").string());

    enum class Kind { Estimate, Master, Totals, UntitledTotals };
    struct Case {
        Kind kind;
        const char* name;   // the attachment's file name; empty: the title and ".TTL"
    };
    const Case cases[] = {{Kind::Estimate, "job.KIV"}, {Kind::Master, "m.MST"}, {Kind::Totals, "t.TTL"},
                          {Kind::UntitledTotals, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        ui::Document* doc = nullptr;
        switch (c.kind) {
        case Kind::Estimate: doc = app->OpenFile(writeEstimate("job.KIV")); break;
        case Kind::Master: doc = app->OpenFile(writeFile("m.MST", WriteMstFile(kivtest::threeCategories()))); break;
        case Kind::Totals:
            doc = app->OpenFile(writeFile("t.TTL", WriteTotalFile({kivtest::mstLine(1, 1, {{G::Hinmei, "配管"}})}, 1)));
            break;
        case Kind::UntitledTotals:
            hb().sendCommand(32814);
            doc = documents().back();
            break;
        }
        ASSERT_NE(doc, nullptr);
        hb().processPending();
        ui::View* grid = doc->frames().front()->activeView();
        ASSERT_NE(grid, nullptr);
        hb().focus(*grid);
        hb().sendText(*grid, "Z");
        ASSERT_TRUE(doc->isModified());
        const fs::path before = doc->pathName();
        fs::remove(log());

        EXPECT_TRUE(app->commandState(ui::cmd::FileSendMail).enabled);
        hb().sendCommand(ui::cmd::FileSendMail);
        const std::vector<std::string> args = recordedArgs();
        ASSERT_EQ(args.size(), 2u);
        EXPECT_EQ(args[0], "--attach");
        const fs::path copy = args[1];
        EXPECT_EQ(copy.parent_path().parent_path(), tmp.path());
        EXPECT_EQ(copy.filename().string(), *c.name ? std::string(c.name) : doc->title() + ".TTL");
        EXPECT_TRUE(fs::exists(copy));   // the composer reads it when the message is sent
        EXPECT_TRUE(doc->isModified());
        EXPECT_EQ(doc->pathName(), before);

        // The copy is what 上書き保存 writes now.
        fs::path saved = before;
        if (saved.empty()) {
            saved = data / "new.TTL";
            hb().expectFile(saved);
        }
        hb().sendCommand(ui::cmd::FileSave);
        EXPECT_FALSE(doc->isModified());
        EXPECT_EQ(files::readFile(attached()).value_or("none"), files::readFile(saved).value_or("saved none"));
        hb().sendCommand(ui::cmd::FileClose);
    }
}

// No mail program: xdg-email that fails (no composer set) or none on PATH. A message says so in
// Japanese, and the copy is removed again; the document is unchanged.
TEST_F(SendMailTest, NoMailProgramIsReportedAndLeavesNoCopy) {
    ASSERT_EQ(start("1"), 0);
    ScopedEnv tmpdir("TMPDIR", tmp.path().string());
    ui::Document* doc = app->OpenFile(writeEstimate("job.KIV"));
    ASSERT_NE(doc, nullptr);
    hb().processPending();
    const std::string bytes = files::readFile(data / "job.KIV").value_or("");

    struct Case {
        bool onPath;
        int exitCode;
    };
    for (const Case c : {Case{true, 3}, Case{true, 4}, Case{false, 0}}) {
        SCOPED_TRACE(c.exitCode);
        ScopedEnv path("PATH", c.onPath ? bin.path().string() + ":/usr/bin:/bin" : nothing.path().string());
        standIn(c.exitCode);
        fs::remove(log());
        hb().expectMessageBox(ui::IDOK, "メールソフトを起動できませんでした。");
        hb().sendCommand(ui::cmd::FileSendMail);
        EXPECT_EQ(fs::exists(log()), c.onPath);
        EXPECT_EQ(entries(tmp.path()), 0u);
        EXPECT_FALSE(doc->isModified());
        EXPECT_EQ(files::readFile(data / "job.KIV").value_or(""), bytes);
    }
    EXPECT_EQ(hb().pendingAnswers(), 0u);
}

} // namespace
} // namespace kiv::test
