#include "estimate/MstFileReader.h"

#include "estimate/GyouRecord.h"
#include "platform/files/Files.h"

namespace {

// Template slots in order and the kinds whose codes name their master categories.
constexpr std::array<EnzanCode, kKeisanTemplateCount> kTemplateKinds{
    EnzanCode::Tugite,   EnzanCode::Setugouzai, EnzanCode::Sijizai,  EnzanCode::Unpanhi, EnzanCode::Fuzokuhin1,
    EnzanCode::Fuzokuhin2, EnzanCode::Zatuzai, EnzanCode::Roumuhi1, EnzanCode::Roumuhi2, EnzanCode::Roumuhi3,
    EnzanCode::Roumuhi4, EnzanCode::Keihi1,    EnzanCode::Syouhizei};

constexpr std::size_t kKeyLength = 8;     // category and row number, characters 0-7
constexpr std::size_t kBunNoOffset = 302; // 分類 and ＮＯ, characters 302-309

const char* const kTooManyRows = "行数が30000行を越えています。";

} // namespace

const char* const kMstOldLayoutMessage =
    "マスターファイルが旧ファイルの可能性があるので労務費等が追加入力できません。"
    "マスターファイルを再読み込みして終了して再起動してください";

EnzanCode KeisanTemplateKind(int slot) { return kTemplateKinds.at(static_cast<std::size_t>(slot)); }

std::optional<std::vector<std::string>> ParseMstRows(std::string_view bytes, std::string* error, bool wholeOnly) {
    try {
        MstFileContent content = ReadMstFile(bytes);
        if (wholeOnly && content.truncated) {
            if (error)
                *error = kTooManyRows;
            return std::nullopt;
        }
        return std::move(content.rows);
    } catch (const MstFileError& e) {
        if (error)
            *error = e.what();
        return std::nullopt;
    }
}

namespace {

// Whether the file is there; when it is not, `message` names it.
bool masterFileExists(const std::filesystem::path& path, std::string& message) {
    if (kiv::files::isRegularFile(path))
        return true;
    message = "マスターファイル「" + path.string() + "」がありません。";
    return false;
}

std::string unreadableMessage(const std::filesystem::path& path) {
    return "マスターファイル「" + path.string() + "」を読み込めません。";
}

std::string damagedMessage(const std::filesystem::path& path, const std::string& reason) {
    return "マスターファイル「" + path.string() + "」を読み込めません。" + reason;
}

// A row of the file taken as the template of every slot whose kind's code is its category, when
// it is row 2 of its category.
void takeTemplate(KeisanTemplates& t, std::string_view stored, const SetteiValues& codes) {
    if (GyouRecord::toInt(stored, GyouRecord::GyouNo) != 2)
        return;
    // The category the estimate reads is 分類, which rows of the current length take from
    // their key; a row of another length keeps what it holds there.
    std::string row(stored);
    if (row.size() == kMstRowLength)
        row.replace(kBunNoOffset, kKeyLength, row, 0, kKeyLength);
    GyouRecord::padLength(row);
    const int bunNo = GyouRecord::toInt(row, GyouRecord::BunNo);
    for (int slot = 0; slot < kKeisanTemplateCount; ++slot)
        if (codes.matches(KeisanTemplateKind(slot), bunNo))
            t.rows[static_cast<std::size_t>(slot)] = row;
}

} // namespace

std::optional<std::vector<std::string>> ReadMstRows(const std::filesystem::path& path, std::string& message,
                                                    bool wholeOnly) {
    if (!masterFileExists(path, message))
        return std::nullopt;
    std::optional<MstFileContent> content;
    try {
        content = ReadMstFile(path, kiv::files::kMaxReadBytes);
    } catch (const MstFileError& e) {
        message = damagedMessage(path, e.what());
        return std::nullopt;
    }
    if (!content) {
        message = unreadableMessage(path);
        return std::nullopt;
    }
    if (wholeOnly && content->truncated) {
        message = damagedMessage(path, kTooManyRows);
        return std::nullopt;
    }
    return std::move(content->rows);
}

KeisanTemplates FindKeisanTemplates(const std::vector<std::string>& rows, const SetteiValues& codes) {
    KeisanTemplates t;
    if (rows.empty() || rows.front().size() != kMstRowLength) {
        t.oldLayout = true;
        return t;
    }
    for (const std::string& stored : rows)
        takeTemplate(t, stored, codes);
    return t;
}

std::optional<KeisanTemplates> ReadKeisanTemplates(const std::filesystem::path& path, const SetteiValues& codes,
                                                   std::string& message, bool wholeOnly) {
    if (!masterFileExists(path, message))
        return std::nullopt;
    KeisanTemplates t;
    bool first = true;
    try {
        const auto scan = ScanMstFile(path, kiv::files::kMaxReadBytes, [&](std::string_view line) {
            if (first) {
                first = false;
                t.oldLayout = line.size() != kMstRowLength;
            }
            if (!t.oldLayout)
                takeTemplate(t, line, codes);
        });
        if (!scan) {
            message = unreadableMessage(path);
            return std::nullopt;
        }
        if (wholeOnly && scan->truncated) {
            message = damagedMessage(path, kTooManyRows);
            return std::nullopt;
        }
    } catch (const MstFileError& e) {
        message = damagedMessage(path, e.what());
        return std::nullopt;
    }
    if (first)
        t.oldLayout = true;   // no row at all
    return t;
}
