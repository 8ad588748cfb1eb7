#pragma once
// The parameter dialogs of the price commands: 単価変換、削除 (a category range, an item or all
// items and a factor), 単価コピー (the rows whose prices are copied), 行を選択して単価変換 (the rows,
// the factor and the marker text of a row-range conversion) and 単価表NO自動書き込み (the options of
// the unit-price-table numbering). They only collect and validate values; the commands that open
// them change the document.
//
// Rows, items and categories are accepted from 1 to 9999: an item holds up to 9999 rows and an
// estimate up to 9999 items, so a range picked on a long item is never refused.
#include <string>

#include "platform/text/Decimal.h"
#include "platform/ui/Dialog.h"

// 単価変換、削除.
class CTankaHenkanDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 165;
    static constexpr int kStartBun = 1200;
    static constexpr int kKakeritu = 1201;
    static constexpr int kKoumoku = 1202;
    static constexpr int kAllKoumoku = 1203;
    static constexpr int kEndBun = 1204;

    explicit CTankaHenkanDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    int m_StartBun = 1;
    int m_Koumoku = 1;
    int m_AllKoumoku = 0;   // 全項目指定
    double m_Kakeritu = 1.0;   // 0 clears the prices
    int m_EndBun = 1;
    // Whether a showing offers the current estimate's item; a totals window offers its own page.
    bool m_OfferEstimateItem = true;

    void doDataExchange(kiv::ui::DataExchange& dx) override;
    // Each showing offers the current estimate's current item (without a current estimate the
    // item the opener set stays) and one item rather than all.
    void onShowDialog() override;
    // 全項目指定 clicked: the controls are read back (validated) and written again.
    void OnAllKoumoku();
};

// 単価コピー.
class CTankaCopyDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 164;
    static constexpr int kStartGyou = 1204;
    static constexpr int kEndGyou = 1205;
    static constexpr int kBikou2 = 1025;

    explicit CTankaCopyDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    int m_StartGyou = 1;
    int m_EndGyou = 1;
    int m_Bikou2 = 1;   // 備考2もコピー

    void doDataExchange(kiv::ui::DataExchange& dx) override;
};

// 行を選択して単価変換.
class CGyouTankaHenkanDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 205;
    static constexpr int kStartGyou = 1204;
    static constexpr int kEndGyou = 1205;
    static constexpr int kKakeritu = 1201;
    static constexpr int kText = 1025;
    static constexpr int kTextBytes = 30;

    explicit CGyouTankaHenkanDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    int m_StartGyou = 0;
    int m_EndGyou = 0;
    double m_Kakeritu = 1.0;
    std::string m_Text;   // CP932, 備考２に表示
    // The factor exactly as typed, read with m_Kakeritu: prices are multiplied in decimal, so
    // 0.85 must not become the binary fraction just below it.
    kiv::text::Decimal m_KakerituValue = 1;

    void doDataExchange(kiv::ui::DataExchange& dx) override;
};

// 単価表NO自動書き込み.
class CTankaNoDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 185;
    static constexpr int kMoveBikou2 = 1143;
    static constexpr int kPrefix = 1256;
    static constexpr int kRenumber = 1165;
    static constexpr int kPrefixBytes = 12;

    explicit CTankaNoDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    int m_MoveBikou2 = 1;   // 備考２を詳細の１に移動
    std::string m_Prefix;   // CP932
    int m_Renumber = 0;     // 単価ＮＯを１から整理します。

    void doDataExchange(kiv::ui::DataExchange& dx) override;
};
