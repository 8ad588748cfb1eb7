#pragma once
// 歩掛けを撤去に変換: the parameters of 撤去歩掛等に変換 — the kind of work (its last three characters
// are the work-kind factor, 再使用 at byte 16 marks reuse), the rows of the current item, where
// the conversion note goes, which conversion, and the removal factor of the その他 percentages.
// The removal factor is a setting of the estimate: OK checks it, stores it at its positions of
// the settings record and rewrites the settings file.
#include <array>
#include <string>

#include "estimate/SetteiEditDialog.h"

class CTekkyoBukakeDialog : public SetteiEditDialog {
public:
    static constexpr int kDialogId = 198;
    static constexpr int kKousyu = 1315;
    static constexpr int kStartGyou = 1204;
    static constexpr int kEndGyou = 1205;
    static constexpr int kToBikou1 = 1020;
    static constexpr int kToBikou2 = 1008;
    static constexpr int kSaisiyou = 1101;
    static constexpr int kToritukeOnly = 1128;
    static constexpr int kSonotaKakeritu = 1206;
    static constexpr int kMinGyou = 1;
    static constexpr int kMaxGyou = 9999;
    static constexpr int kKousyuBytes = 27;
    static constexpr int kKakerituBytes = 4;
    static constexpr std::size_t kSaisiyouPos = 16;   // byte of 再使用 in a kind of work
    static constexpr int kKousyuCount = 28;

    explicit CTekkyoBukakeDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();
    // The kinds of work of the list (UTF-8; 27 bytes each in CP932), and the text the box starts with.
    static const std::array<const char*, kKousyuCount>& kousyuList();
    static const char* const kStartKousyu;
    // The factor of a kind of work (CP932): its last three characters as a number (0 when none).
    static std::string kousyuFactorText(const std::string& kousyu);
    // Whether a kind of work (CP932) is one of reuse.
    static bool isSaisiyou(const std::string& kousyu);
    // Whether a removal factor text is four characters forming a number of 0 or more.
    static bool isValidKakeritu(const std::string& text);

    std::string m_Kousyu;        // CP932
    int m_StartGyou = 0;
    int m_EndGyou = 0;
    int m_ToBikou1 = 0;
    int m_ToBikou2 = 1;
    int m_Saisiyou = 0;
    int m_ToritukeOnly = 0;
    std::string m_SonotaKakeritu;

    void doDataExchange(kiv::ui::DataExchange& dx) override;
    // A removal factor that is not four characters forming a number keeps the dialog open with
    // the message, and nothing is written.
    void onOK() override;

protected:
    void showSettei(const SetteiRecord& record) override;
    void storeSettei(SetteiRecord& record) override;

private:
    // One box of a pair ticked, the other cleared; the other controls keep what was typed.
    void choose(int on, int off);
};
