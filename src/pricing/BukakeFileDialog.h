#pragma once
// 歩掛けﾌｧｲﾙ切り替え: chooses the file of each productivity-rate table kind. Ticking a kind shows
// its stored path (or its default file in the program directory); 参照 picks a file and stores it
// at once as that kind's table. The file is neither opened nor created here: the rate calculator
// offers creation when it first opens a missing one. OK and ｷｬﾝｾﾙ only close; a path typed into
// the box is not stored.
#include <array>
#include <string>

#include "platform/ui/Dialog.h"

class CBukakeFileDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 175;
    static constexpr int kPathBox = 1231, kBrowse = 1222;
    static constexpr int kMaxPath = 120;
    // The kind boxes in their order, and the table kind each stands for.
    static constexpr std::array<int, 5> kKindBoxes = {1259, 1260, 1262, 1263, 1264};
    static constexpr std::array<int, 5> kKindOfBox = {5, 1, 2, 4, 3};

    explicit CBukakeFileDialog(kiv::ui::Window* parent = nullptr);

    std::string m_Path;               // the path box (CP932)
    std::array<int, 5> m_Flags{};     // one per box of kKindBoxes: 1 = that kind is chosen

    static const kiv::ui::DialogTemplate& dialogLayout();
    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void onOK() override { endDialog(kiv::ui::IDOK); }

    void OnSelectBukakeFile(std::size_t box);
    void OnBrowse();

private:
    void showPath(const std::string& utf8Path);
};
