#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sys/stat.h>
#include <functional>
#include <optional>
#include <thread>
#include <unistd.h>

#include "platform/files/Files.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "support/FileSizeLimit.h"
#include "support/OtherUser.h"
#include "support/TempDir.h"

using namespace kiv;
using kiv::test::ScopedFileSizeLimit;
using kiv::test::TempDir;

TEST(Files, AtomicWriteReplacesWhole) {
    TempDir dir;
    auto target = dir / "job.KIV";
    std::string err;
    ASSERT_TRUE(files::writeFileAtomically(target, "first", &err)) << err;
    ASSERT_TRUE(files::writeFileAtomically(target, std::string("se\0cond", 7), &err)) << err;
    EXPECT_EQ(files::readFile(target), std::string("se\0cond", 7));
    // Only the target is left in the folder: no temporary files.
    int count = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++count;
    }
    EXPECT_EQ(count, 1);
}

TEST(Files, FailedWriteKeepsOldFile) {
    TempDir dir;
    auto target = dir / "job.KIV";
    ASSERT_TRUE(files::writeFileAtomically(target, "old"));
    std::string err;
    bool ok = true;
    {
        // The new bytes cannot all be written: the disk is as good as full.
        ScopedFileSizeLimit limit(1000);
        ok = files::writeFileAtomically(target, std::string(4000, 'n'), &err);
    }
    EXPECT_FALSE(ok);
    EXPECT_NE(err.find("job.KIV"), std::string::npos) << err;
    EXPECT_EQ(files::readFile(target), "old");
    int count = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path()))
        ++count;
    EXPECT_EQ(count, 1);   // no temporary file left behind
}

TEST(Files, AtomicWriteKeepsThePermissionsOfTheFileItReplaces) {
    namespace fs = std::filesystem;
    TempDir dir;
    auto target = dir / "job.KIV";
    ASSERT_TRUE(files::writeFileAtomically(target, "old"));
    for (fs::perms mode : {fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,   // 0640
                           fs::perms::owner_read | fs::perms::owner_write,                            // 0600
                           fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read}) {  // 0744
        fs::permissions(target, mode);
        ASSERT_TRUE(files::writeFileAtomically(target, "new"));
        EXPECT_EQ(fs::status(target).permissions(), mode) << static_cast<int>(mode);
    }
}

TEST(Files, FailedRenameLeavesTargetAndNoTemporary) {
    // A folder standing where the file should go makes the final rename fail, even for root.
    TempDir dir;
    auto target = dir / "job.KIV";
    std::filesystem::create_directory(target);
    std::ofstream(target / "inside") << "keep";
    std::string err;
    EXPECT_FALSE(files::writeFileAtomically(target, "new", &err));
    EXPECT_FALSE(err.empty());
    EXPECT_EQ(files::readFile(target / "inside"), "keep");
    int count = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++count;
    }
    EXPECT_EQ(count, 1);
}

TEST(Files, FailedWriteIntoMissingFolder) {
    TempDir dir;
    std::string err;
    EXPECT_FALSE(files::writeFileAtomically(dir / "no/such/folder/x.KIV", "data", &err));
    EXPECT_NE(err.find("x.KIV"), std::string::npos);
    EXPECT_FALSE(files::readFile(dir / "missing"));
}

TEST(Files, AFileTheUserMayNotWriteIsNeverReplaced) {
    namespace fs = std::filesystem;
    TempDir dir;
    const fs::path target = dir / "locked.hdr";
    ASSERT_TRUE(files::writeFileAtomically(target, "old"));
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    // The folder stays writable for everyone: only the file's own permission refuses the write.
    fs::permissions(dir.path(), fs::perms::all);
    const int refused = kiv::test::runAsOtherUser([&] { return files::writeFileAtomically(target, "new") ? 0 : 1; });
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(files::readFile(target), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(Files, WriteFailuresNameThePathAndTheReasonAndKeepTheOldFile) {
    namespace fs = std::filesystem;
    const struct {
        int err;
        const char* reason;
    } cases[] = {
        {ENOSPC, "ディスクの空き容量が不足しています。"},
        {EDQUOT, "ディスクの空き容量が不足しています。"},
        {EACCES, "書き込みが許可されていません。"},
        {EPERM, "書き込みが許可されていません。"},
        {EROFS, "読み取り専用のファイルシステムです。"},
        {EIO, "ディスクの読み書きでエラーが発生しました。"},
    };
    TempDir dir;
    const fs::path target = dir / "job.KIV";
    ASSERT_TRUE(files::writeFileAtomically(target, "old"));
    for (const auto& c : cases) {
        std::string err;
        {
            files::WriteFault fault(c.err);
            EXPECT_FALSE(files::writeFileAtomically(target, "new", &err));
            EXPECT_FALSE(files::writeFileAtomically(target, "", &err));   // fails at its flush
        }
        EXPECT_EQ(err, target.string() + "\n" + c.reason);
        EXPECT_EQ(files::cannotCreateMessage(err), "ファイルが作成できません。\n" + target.string() + "\n" + c.reason);
        EXPECT_EQ(files::readFile(target), "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    }
    // A fault for one path leaves the others alone; its end lets the write through.
    {
        files::WriteFault fault(ENOSPC, "other.KIV");
        EXPECT_TRUE(files::writeFileAtomically(target, "new"));
        EXPECT_FALSE(files::writeFileAtomically(dir / "other.KIV", "x"));
    }
    EXPECT_TRUE(files::writeFileAtomically(dir / "other.KIV", "x"));
    EXPECT_EQ(files::writeFailureReason(ENOENT), "保存先のフォルダーがありません。");
}

TEST(Files, SavingThroughALinkWritesTheFileItPointsTo) {
    namespace fs = std::filesystem;
    TempDir dir;
    fs::create_directory(dir / "real");
    const fs::path real = dir / "real" / "job.KIV";
    ASSERT_TRUE(files::writeFileAtomically(real, "old"));
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    if (::geteuid() == 0)
        ASSERT_EQ(::chown(real.c_str(), 1234, 1235), 0);
    struct stat before {};
    ASSERT_EQ(::stat(real.c_str(), &before), 0);
    // A relative link to a relative link: both stay links, the file at the end gets the bytes.
    fs::create_symlink("real/job.KIV", dir / "first.KIV");
    fs::create_symlink("first.KIV", dir / "link.KIV");
    ASSERT_TRUE(files::writeFileAtomically(dir / "link.KIV", "new"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.KIV"));
    EXPECT_TRUE(fs::is_symlink(dir / "first.KIV"));
    EXPECT_EQ(files::readFile(real), "new");
    struct stat after {};
    ASSERT_EQ(::stat(real.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), fs::directory_iterator()), 1);
    // A dangling link creates the file it names; a loop of links is refused with its reason.
    fs::create_symlink("real/new.KIV", dir / "dangling.KIV");
    ASSERT_TRUE(files::writeFileAtomically(dir / "dangling.KIV", "made"));
    EXPECT_EQ(files::readFile(dir / "real" / "new.KIV"), "made");
    fs::create_symlink("loop2", dir / "loop1");
    fs::create_symlink("loop1", dir / "loop2");
    std::string err;
    EXPECT_FALSE(files::writeFileAtomically(dir / "loop1", "x", &err));
    EXPECT_EQ(err, (dir / "loop1").string() + "\nシンボリックリンクが循環しています。");
}

TEST(Files, TemporariesAreNamedForTheirFileAndTheNextSaveRemovesStaleOnes) {
    namespace fs = std::filesystem;
    TempDir dir;
    // What a save killed half-way leaves: its temporary of this file's name.
    std::ofstream(dir / ".job.KIV.kivtmp-123456") << std::string(100, 'x');
    std::ofstream(dir / ".job.KIV.kivtmp-9") << "x";
    // Not this file's, or not a temporary of ours: left alone.
    std::ofstream(dir / ".other.KIV.kivtmp-123456") << "x";
    std::ofstream(dir / ".job.KIV.kivtmp-mine") << "x";
    std::ofstream(dir / "job.KIV.kivtmp-1") << "x";
    {
        files::WriteFault fault(ENOSPC);   // the temporary exists while the fault strikes
        EXPECT_FALSE(files::writeFileAtomically(dir / "job.KIV", "new"));
    }
    ASSERT_TRUE(files::writeFileAtomically(dir / "job.KIV", "new"));
    std::set<std::string> left;
    for (auto& e : fs::directory_iterator(dir.path()))
        left.insert(e.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{"job.KIV", ".other.KIV.kivtmp-123456", ".job.KIV.kivtmp-mine", "job.KIV.kivtmp-1"}));
}

TEST(Files, PrivateTemporariesOfRunsThatEndedAreRemoved) {
    namespace fs = std::filesystem;
    TempDir tmpdir;
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    ::setenv("TMPDIR", tmpdir.path().c_str(), 1);
    // A pid that no process has (beyond the kernel's limit), one that runs (ours), another kind.
    std::ofstream(tmpdir / "kiv-print-999999999-1.tmp") << "left by a killed run";
    const std::string mine = "kiv-print-" + std::to_string(::getpid()) + "-9999.tmp";
    std::ofstream(tmpdir / mine) << "in use";
    std::ofstream(tmpdir / "kiv-workbook-999999999-1.xlsx") << "another kind";
    const auto made = files::makePrivateTemporary("print", ".tmp");
    old ? ::setenv("TMPDIR", saved.c_str(), 1) : ::unsetenv("TMPDIR");
    ASSERT_TRUE(made);
    EXPECT_EQ(made->parent_path(), tmpdir.path());
    EXPECT_FALSE(fs::exists(tmpdir / "kiv-print-999999999-1.tmp"));
    EXPECT_TRUE(fs::exists(tmpdir / mine));
    EXPECT_TRUE(fs::exists(tmpdir / "kiv-workbook-999999999-1.xlsx"));
    EXPECT_EQ(fs::file_size(*made), 0u);
    EXPECT_EQ(fs::status(*made).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST(Files, FindWithoutRegardToCase) {
    TempDir dir;
    std::ofstream(dir / "Eﾏｽﾀｰ.mst") << "m";
    auto found = files::findNoCase(dir.path(), "Eﾏｽﾀｰ.MST");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->filename().string(), "Eﾏｽﾀｰ.mst");
    EXPECT_FALSE(files::findNoCase(dir.path(), "Mﾏｽﾀｰ.MMS"));
    EXPECT_EQ(files::resolveNoCase(dir.path(), "労務単価.rab"), dir / "労務単価.rab");
    EXPECT_TRUE(files::isRegularFile(files::resolveNoCase(dir.path(), "Eﾏｽﾀｰ.mSt")));
}

TEST(Files, Cp932PathsAndProgramDirectory) {
    std::string cp = text::sj("/tmp/見積.KIV");
    EXPECT_EQ(files::fromCp932(cp).string(), "/tmp/見積.KIV");
    EXPECT_EQ(files::toCp932(files::fromCp932(cp)), cp);
    EXPECT_TRUE(std::filesystem::is_directory(files::programDirectory()));
}

// A file read in pieces: every piece as the file holds it, whether it fits what the buffer has
// left, spans a refill or is longer than the buffer itself; the file's end is no failure (the
// parser calls a missing piece a cut-off file) and what is left after the last piece is counted.
TEST(Files, FileReaderHandsThePiecesInOrderAcrossItsBuffer) {
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 200; ++i)
        bytes += static_cast<char>(i * 7);
    const auto path = dir / "pieces.bin";
    ASSERT_TRUE(files::writeFileAtomically(path, bytes));
    for (std::size_t buffer : {1u, 5u, 16u, 64u, 4096u}) {
        SCOPED_TRACE(buffer);
        files::FileReader r(path, files::kMaxReadBytes, buffer);
        ASSERT_FALSE(r.failed()) << r.error();
        EXPECT_EQ(r.size(), bytes.size());
        std::size_t at = 0;
        for (std::size_t n : {0u, 1u, 3u, 17u, 40u, 2u, 90u}) {
            const auto piece = r.take(n);
            ASSERT_TRUE(piece);
            EXPECT_EQ(*piece, std::string_view(bytes).substr(at, n));
            at += n;
        }
        EXPECT_FALSE(r.take(bytes.size() - at + 1));   // takes nothing
        EXPECT_EQ(r.skipRest(), std::optional<std::size_t>(bytes.size() - at));
        EXPECT_FALSE(r.failed());
        files::FileReader rest(path, files::kMaxReadBytes, buffer);
        ASSERT_TRUE(rest.take(150));
        EXPECT_EQ(rest.skipRest(), std::optional<std::size_t>(50));
    }
}

// What cannot be read says why, naming the file: missing, longer than allowed, a folder. A pipe,
// whose size is not known beforehand, is read whole and then handed on in pieces.
TEST(Files, FileReaderFailuresAndPipes) {
    TempDir dir;
    const auto small = dir / "small.bin";
    ASSERT_TRUE(files::writeFileAtomically(small, "0123456789"));
    for (const auto& [path, max] : {std::pair{dir / "missing", files::kMaxReadBytes}, std::pair{small, std::size_t{9}},
                                    std::pair{dir.path(), files::kMaxReadBytes}}) {
        SCOPED_TRACE(path.string());
        files::FileReader r(path, max);
        EXPECT_TRUE(r.failed());
        EXPECT_NE(r.error().find(path.string()), std::string::npos);
        EXPECT_FALSE(r.take(1));
        EXPECT_FALSE(r.skipRest());
    }
    const auto fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] {
        std::ofstream out(fifo, std::ios::binary);
        out << "through a pipe";
    });
    files::FileReader r(fifo, files::kMaxReadBytes, 4);
    writer.join();
    ASSERT_FALSE(r.failed()) << r.error();
    EXPECT_EQ(r.size(), 14u);
    EXPECT_EQ(r.take(7), std::optional<std::string_view>("through"));
    EXPECT_EQ(r.take(2), std::optional<std::string_view>(" a"));
    EXPECT_FALSE(r.take(6));
    EXPECT_EQ(r.skipRest(), std::optional<std::size_t>(5));
}

TEST(Profile, EntriesMatchWithoutCaseAndPersist) {
    kiv::test::ScopedProfileHome home;
    auto& p = profile::Profile::user();
    EXPECT_EQ(p.file(), home.path() / "Kiv" / "kiv.ini");
    EXPECT_EQ(p.getString("Select_Section", "Select", "none"), "none");
    EXPECT_EQ(p.getInt("General", "WindowX", 100), 100);
    ASSERT_TRUE(p.writeString("Select_Section", "Select", "2"));
    ASSERT_TRUE(p.writeInt("General", "WindowX", -5));
    ASSERT_TRUE(p.writeString("roumu_section", "Roumu_File", "/data/労務単価.rab"));
    EXPECT_EQ(p.getString("SELECT_SECTION", "select"), "2");
    ASSERT_TRUE(p.writeString("Select_section", "SELECT", "1"));   // same entry, other case

    profile::Profile again(home.path() / "Kiv" / "kiv.ini");
    EXPECT_EQ(again.getString("Select_Section", "Select"), "1");
    EXPECT_EQ(again.getInt("general", "windowx", 100), -5);
    EXPECT_EQ(again.getString("Roumu_Section", "Roumu_File"), "/data/労務単価.rab");
    auto text = files::readFile(again.file());
    ASSERT_TRUE(text);
    EXPECT_EQ(text->find("SELECT="), std::string::npos);   // no second entry was made
}

TEST(Profile, AFileThatCannotBeReadIsNeverRewritten) {
    // Too large (its first line a valid entry, so a reader that took only the start would see
    // it), and a folder where the file should be.
    struct Case {
        const char* what;
        std::function<void(const std::filesystem::path&)> make;
    };
    const Case cases[] = {
        {"over the size cap",
         [](const std::filesystem::path& f) {
             std::string big = "[Select_Section]\nSelect=1\n";
             big.resize(profile::Profile::kMaxBytes + 1, ';');
             ASSERT_TRUE(files::writeFileAtomically(f, big));
         }},
        {"a folder", [](const std::filesystem::path& f) { std::filesystem::create_directories(f / "inside"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const auto file = dir / "kiv.ini";
        c.make(file);
        const auto before = files::readFile(file, 64u * 1024 * 1024);

        profile::Profile p(file);
        EXPECT_TRUE(p.unreadable());
        EXPECT_NE(p.unreadableMessage().find(file.string()), std::string::npos);
        EXPECT_EQ(p.getString("Select_Section", "Select", "unset"), "unset");   // defaults
        // Changes live for the run, and are reported as not written.
        EXPECT_FALSE(p.writeString("General", "WindowX", "7"));
        EXPECT_FALSE(p.writeInt("Font_Size_Section", "Font_Size", 20));
        EXPECT_EQ(p.getInt("General", "WindowX", 0), 7);
        EXPECT_FALSE(p.removeEntry("General", "WindowX"));

        EXPECT_EQ(files::readFile(file, 64u * 1024 * 1024), before);
        EXPECT_EQ(std::filesystem::is_directory(file), std::string(c.what) == "a folder");
        EXPECT_FALSE(std::filesystem::exists(file / "kiv.ini"));
    }

    // A missing file is a first start: nothing to report, and the first write creates it.
    TempDir dir;
    profile::Profile fresh(dir / "Kiv" / "kiv.ini");
    EXPECT_FALSE(fresh.unreadable());
    EXPECT_TRUE(fresh.writeString("Select_Section", "Select", "2"));
    EXPECT_EQ(profile::Profile(dir / "Kiv" / "kiv.ini").getString("Select_Section", "Select"), "2");
}
