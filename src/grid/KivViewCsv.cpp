// CKivView: CSVﾌｧｲﾙ読込 — lines of a spreadsheet's CSV file become rows in the row clipboard, which
// the next 貼り付け in this view inserts at the cursor.
#include <string>
#include <vector>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "grid/CsvReader.h"
#include "grid/KivView.h"
#include "grid/RowClipboard.h"
#include "grid/TextreadDialog.h"
#include "platform/files/Files.h"
#include "platform/text/Cp932.h"
#include "platform/text/FixedField.h"
#include "platform/text/Number.h"

namespace {

using F = GyouRecord::Field;

const char* const kAskImport =
    "表計算ソフト等で作成したCSVファイルを読み込みします。実行すると元には戻りません。よろしいですか？不正終了する場合がありますのでファイルを保存後に行ってください。数値のセルはコンマ表示の場合変換ができない場合がありますので、しないよう設定してください。";
const char* const kAskPaste = "コピーしたい場所にカーソルを移動して張り付けかＣＴＲＬ＋Ｖキーを押してください。";
const char* const kMsgNoFile = "ファイルが存在しません。読み込みを中止します。";
const char* const kMsgTooLarge = "ＣＳＶファイルの容量が読み込みの限度を超えました。読み込みを中止します。";
const char* const kMsgTooManyLines = "データ-の行数が1000を超えました。読み込みを中止します。";

constexpr std::size_t kMaxBytes = 300000;
constexpr int kMaxLines = 1000;
// The four-character unit spans 単位 and the byte pair after it.
constexpr std::size_t kTanniOffset = 108;
constexpr std::size_t kTanniWidth = 4;

enum Column { Hinmei, Kikaku, Suu, Tanni, Tanka, Bikou };

// Whether the whole text is one number: an optional sign, digits and at most one point.
bool isWholeNumber(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    bool digit = false, point = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9')
            digit = true;
        else if (s[i] == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

// A number column into its field: blanks trimmed and commas removed; a text that is no number at
// all, or 0, leaves the field blank. False, with the message to show, when the text only begins
// with a number or is wider than the field.
bool putCsvNumber(std::string& row, int field, const std::string& cell, int line, const char* what,
                  std::string& message) {
    std::string text;
    for (char c : kiv::text::trimBlanks(cell))
        if (c != ',')
            text += c;
    const std::string_view t = kiv::text::trimBlanks(text);
    if (kiv::text::parseDecimal(t).isZero())
        return true;
    const auto name = [&] { return std::to_string(line) + "行目の" + what + "「" + kiv::text::toUtf8(t) + "」"; };
    if (!isWholeNumber(t)) {
        message = name() + "は数値ではありません。読み込みを中止します。";
        return false;
    }
    if (!GyouRecord::putNumber(row, field, t)) {
        message = name() + "は" + std::to_string(GyouRecord::layout(field).Width) +
                  "桁を超えています。読み込みを中止します。";
        return false;
    }
    return true;
}

} // namespace

bool CKivView::CsvLineToGyou(const csv::Line& line, const CsvSettings& s, std::string& row, std::string& message) {
    std::array<int, 6> col{};
    for (std::size_t i = 0; i < col.size(); ++i)
        col[i] = kiv::text::parseInt(s.Columns[i]);
    row = GyouRecord::blankRow();
    const auto cell = [&](Column c) { return line.column(col[c]); };
    GyouRecord::putTextFitted(row, F::Hinmei, cell(Hinmei));
    GyouRecord::putTextFitted(row, F::Kikaku, cell(Kikaku));
    kiv::text::putLeftFitted(row, kTanniOffset, kTanniWidth, cell(Tanni));
    GyouRecord::putTextFitted(row, F::Bikou2, cell(Bikou));
    if (s.ToSyousai) {
        GyouRecord::putTextFitted(row, F::Zai1Hinmei, cell(Hinmei));
        GyouRecord::putTextFitted(row, F::Zai1Kikaku, cell(Kikaku));
        GyouRecord::putTextFitted(row, F::Zai1Tanni, cell(Tanni));
    }
    if (!putCsvNumber(row, F::HiroidasiSuu1, cell(Suu), line.number, "数量", message) ||
        !putCsvNumber(row, F::Tanka1, cell(Tanka), line.number, "単価", message))
        return false;
    if (!s.BunNo.empty())
        GyouRecord::putNumber(row, F::BunNo, s.BunNo);
    return true;
}

bool CKivView::CsvResultToGyou(const csv::Result& r, const CsvSettings& s, std::vector<std::string>& rows,
                               std::string& message) {
    rows.clear();
    switch (r.status) {
    case csv::Status::Ok:
        break;
    case csv::Status::CannotOpen:
        message = kiv::text::toUtf8(s.Path) + kMsgNoFile;
        return false;
    case csv::Status::TooLarge:
        message = kMsgTooLarge;
        return false;
    case csv::Status::TooManyLines:
        message = kMsgTooManyLines;
        return false;
    case csv::Status::OpenQuote:
        message = std::to_string(r.errorLine) + "行目の引用符(\")が閉じていません。読み込みを中止します。";
        return false;
    }
    rows.reserve(r.lines.size());
    for (const csv::Line& line : r.lines) {
        std::string row;
        if (!CsvLineToGyou(line, s, row, message)) {
            rows.clear();
            return false;
        }
        rows.push_back(std::move(row));
    }
    return true;
}

bool CKivView::ReadCsvFile() {
    const CsvSettings& s = m_CsvSettings;
    m_CsvGyouCount = 0;
    const csv::Result r = csv::readFile(kiv::files::fromCp932(s.Path), kMaxBytes, kMaxLines);
    std::vector<std::string> rows;
    std::string message;
    if (!CsvResultToGyou(r, s, rows, message)) {
        KivMessage(message);
        return false;
    }
    g_RowClipboard.Fill(RowClipKind::Csv, rows, this);
    m_CsvGyouCount = static_cast<int>(rows.size());
    return true;
}

void CKivView::OnCsvRead() {
    if (!GetDocument())
        return;
    CTextreadDialog dlg(this);
    if (dlg.doModal() != kiv::ui::IDOK)
        return;
    if (!KivAsk(kAskImport))
        return;
    m_CsvSettings.Path = dlg.m_Path;
    m_CsvSettings.Columns = dlg.m_Columns;
    m_CsvSettings.BunNo = dlg.m_BunNo;
    m_CsvSettings.ToSyousai = dlg.m_ToSyousai;
    if (!ReadCsvFile()) {
        // A stopped import arms nothing: rows an earlier command collected are not pasted either.
        g_RowClipboard.Armed = false;
        return;
    }
    g_RowClipboard.Armed = KivAsk(kAskPaste);
}
