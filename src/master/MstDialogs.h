#pragma once
// The master's dialogs for its bulk commands: 分類選択 (a range of categories picked in a tree of
// the master's categories), その他一括変換 and 単価変換、削除 (the parameters of the conversions
// over that range) and CSVﾌｧｲﾙ読込 (the import's file and columns, the estimate's template with
// the master's column lists). They only collect and validate values.
#include <string>

#include "grid/TextreadDialog.h"
#include "platform/text/Decimal.h"
#include "platform/ui/Dialog.h"

class MstDoc;

// 分類選択: the first double click on a category makes it the first of the range, every later
// one the last; the two edits may also be typed. OK validates both (1 to the master's category
// count, the first not after the last) and hands them to the document's m_BunFrom / m_BunTo.
class CMbunSerectDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 207;
    static constexpr int kTree = 1013;
    static constexpr int kBunFrom = 1204;
    static constexpr int kBunTo = 1205;

    CMbunSerectDialog(MstDoc& doc, kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    int m_BunFrom = 1;
    int m_BunTo = 1;
    int m_ClickCount = 0;
    std::string m_ItemText;

    bool onInitDialog() override;
    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void onOK() override;
    void OnDblclkTree();

private:
    MstDoc& m_Doc;
};

// その他一括変換: the range is shown only; the two rate texts are what the command takes.
class CMsonotahenkanDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 209;
    static constexpr int kBunFrom = 1200;
    static constexpr int kBunTo = 1204;
    static constexpr int kSonota1Ritu = 1206;
    static constexpr int kSonota2Ritu = 1202;
    static constexpr int kRituBytes = 4;

    explicit CMsonotahenkanDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    int m_BunFrom = 1;
    int m_BunTo = 1;
    std::string m_Sonota1Ritu;   // CP932, at most 4 bytes
    std::string m_Sonota2Ritu;

    void doDataExchange(kiv::ui::DataExchange& dx) override;
};

// 単価変換、削除 of the master: the range is shown only; the factor (0 clears) is taken.
class CMtankaHenkanDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 179;
    static constexpr int kBunFrom = 1200;
    static constexpr int kBunTo = 1204;
    static constexpr int kKakeritu = 1201;

    explicit CMtankaHenkanDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    int m_BunFrom = 1;
    int m_BunTo = 1;
    double m_Kakeritu = 1.0;
    // The factor exactly as typed: prices are multiplied in decimal.
    kiv::text::Decimal m_KakerituValue = 1;

    void doDataExchange(kiv::ui::DataExchange& dx) override;
};

// CSVﾌｧｲﾙ読込 of the master: five columns (品名, 規格, 数量, 単位, 単価 in m_Columns[0..4]) with
// the master's lists; the template's 備考 column and 分類番号 are not read.
class CMtextreadDialog : public CTextreadDialog {
public:
    static constexpr int kMstColumns = 5;

    explicit CMtextreadDialog(kiv::ui::Window* parent = nullptr) : CTextreadDialog(parent) {}

    void onShowDialog() override;
    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void onOK() override;
};
