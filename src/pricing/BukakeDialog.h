#pragma once
// 歩掛計算: the rate calculator on one productivity-rate table. It shows the table of its kind,
// lets the user keep it (add, insert, correct and delete lines; 保存 writes the file) and adds up
// chosen rates, each times a quantity, into a total that the kind's correction turns into the
// corrected rate (歩掛修正). 内訳に送る ends the dialog with kSend; the opener passes the corrected
// rate on. The dialog knows nothing of estimates: it reads and writes its table and hands back a
// number.
//
// The table is read when the dialog is shown and written only by 保存; the line commands change
// only the list until then. A table that exists but cannot be read is reported and never
// overwritten in that run; a missing one is created (empty) only after the user agrees.
#include <filesystem>
#include <string>

#include "platform/ui/Dialog.h"

class CBukakeDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 154;
    static constexpr int kSend = 1243;   // the end code of 内訳に送る
    static constexpr int kNo = 1109, kName = 1132, kKikaku = 1229, kBukake = 1231, kSuuryou = 1241;
    static constexpr int kBukakeSuu = 1240, kGoukei = 1232, kSyuusei = 1239, kList = 1003;
    static constexpr int kGyouAdd = 1233, kGyouModify = 1234, kGyouInsert = 1238, kGyouDelete = 1235;
    static constexpr int kBukakeAdd = 1237, kBukakeClear = 1242, kUtiwakeSend = 1243;
    static constexpr int kListExtent = 990;

    explicit CBukakeDialog(kiv::ui::Window* parent = nullptr);

    // Members in the order of their data exchange (CP932 texts).
    std::string m_BukakeNo;          // NO, at most 4 characters
    std::string m_BukakeName;        // 名称, at most 30
    std::string m_BukakeKikaku;      // 規格, at most 30
    double m_BukakeGoukei = 0;       // 歩掛合計 S, 0-1000
    std::string m_ListText;          // the selected list line
    std::string m_BukakeText;        // 歩掛 as typed, at most 6
    double m_Suuryou = 1.0;          // 数量 of the next addition, 0-100
    double m_BukakeSuu = 0;          // 歩掛x数量, 0-1000
    double m_BukakeSyuusei = 0;      // 歩掛修正, 0-999: the dialog's result (0 when none was computed)
    double m_Bukake = 0;             // the 歩掛 text as a number
    double m_BukakeMax = 0;          // the largest single rate added since the last reset
    int m_Kind = 0;                  // table kind 1-5, set before the dialog is shown
    // The table path of the dialog's kind (UTF-8 file-system names); only the kind's own is set.
    std::string m_BanPath, m_SeigyoPath, m_HaisenPath, m_SyoumeiPath;
    std::string m_Line;              // the line last formatted (73 characters)
    std::string m_BukakePath;

    // The NO text seen at the NO edit's last change, kept for the whole run of the program.
    static std::string s_LastBukakeNo;

    static const kiv::ui::DialogTemplate& dialogLayout();
    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void onShowDialog() override;
    // 保存: writes the table whole and closes with IDOK; a failure keeps the dialog and the list.
    void onOK() override;

    // The path of the dialog's kind, as loading found it.
    std::filesystem::path TablePath() const;

    void OnBukakeGyouAdd();
    void OnBukakeGyouInsert();
    void OnBukakeGyouModify();
    void OnBukakeGyouDelete();
    void OnDblclkBukakeList();
    void OnBukakeAdd();
    void OnBukakeClear();
    void OnUtiwakeSend();

private:
    void LoadTable();
    // Reads the controls and formats the line of the four edits into m_Line.
    void FormatLine();
    // The end of 追加, 行挿入 and 訂正: the four edits emptied and shown, the focus in NO.
    void ClearEdits();
    void OnChangeBukake();
    void OnChangeNo();
    std::string& PathMember();

    // An existing table that could not be read is never written over in this run.
    bool m_SaveRefused = false;
    bool m_KeepTypedSuuryou = false;
};
