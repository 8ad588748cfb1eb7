// CMstView: CSVﾌｧｲﾙ読込 — the file's lines converted into master rows that wait for 貼り付け.
#include "master/MstCsvImport.h"

#include "estimate/KivMessage.h"
#include "grid/CsvReader.h"
#include "grid/KivView.h"
#include "grid/RowClipboard.h"
#include "master/MstDialogs.h"
#include "master/MstDoc.h"
#include "master/MstView.h"
#include "platform/files/Files.h"

namespace {

const char* const kAskImport =
    "表計算ソフト等で作成したCSVファイルを読み込みします。実行すると元には戻りません。よろしいですか？不正終了する場合がありますのでファイルを保存後に行ってください。数値のセルはコンマ表示の場合変換ができない場合がありますので、しないよう設定してください。";
const char* const kAskPaste = "コピーしたい場所にカーソルを移動して張り付けかＣＴＲＬ＋Ｖキーを押してください。";

// The estimate's settings for the master's columns: no 数量, no 備考, no category number.
CKivView::CsvSettings EstimateSettings(const MstCsvSettings& s) {
    CKivView::CsvSettings e;
    e.Path = s.Path;
    e.Columns = {s.Columns[0], s.Columns[1], "00", s.Columns[3], s.Columns[4], "00"};
    e.ToSyousai = s.WriteSyousai;
    return e;
}

} // namespace

bool MstCsvToGyou(std::string_view text, const MstCsvSettings& s, std::vector<std::string>& rows,
                  std::string& message) {
    return CKivView::CsvResultToGyou(csv::parse(text, kMstCsvMaxLines), EstimateSettings(s), rows, message);
}

bool ReadMstCsvFile(const MstCsvSettings& s, std::vector<std::string>& rows, std::string& message) {
    return CKivView::CsvResultToGyou(csv::readFile(kiv::files::fromCp932(s.Path), kMstCsvMaxBytes, kMstCsvMaxLines),
                                     EstimateSettings(s), rows, message);
}

void CMstView::OnCsvRead() {
    if (!GetDocument())
        return;
    CMtextreadDialog dlg(this);
    if (dlg.doModal() != kiv::ui::IDOK || !KivAsk(kAskImport))
        return;
    MstCsvSettings s;
    s.Path = dlg.m_Path;
    for (std::size_t i = 0; i < s.Columns.size(); ++i)
        s.Columns[i] = dlg.m_Columns[i];
    s.WriteSyousai = dlg.m_ToSyousai;
    // The rows are built aside: the line buffer and the editing position stay as they are.
    std::vector<std::string> rows;
    std::string message;
    if (!ReadMstCsvFile(s, rows, message)) {
        // A stopped import arms nothing: rows an earlier command collected are not pasted either.
        g_MstRowClipboard.Armed = false;
        KivMessage(message);
        return;
    }
    SetCsvRows(rows);
    // Cancel keeps the rows converted, but nothing waits for them.
    if (!KivAsk(kAskPaste))
        g_MstRowClipboard.Armed = false;
}
