#pragma once
// 宛先印刷フォーム設定: the envelope layout editor. It works on the caller's record buffer: shown, it
// splits the buffer into its fields; OK formats them back into it (385 characters and the NUL),
// and the caller writes m_SetteiLength bytes of it to the layout file.
#include <array>
#include <string>

#include "platform/ui/Dialog.h"
#include "print/AdressPrintRecord.h"

class CFprintDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 186;
    static constexpr int kFirstFocus = 1264; // X of the recipient postcode

    explicit CFprintDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    std::string m_PrintSettei; // the caller's buffer: 386 bytes
    std::string m_SetteiText;  // the buffer's text up to its NUL, when shown
    int m_SetteiLength = 0;    // what the caller writes: 386, set when shown

    // The seven texts and each group's X, Y and size as text, in record order (flag fields unused).
    adressprint::Fields m_Field;
    // The eleven 縦書 checks, in group order.
    std::array<int, adressprint::kGroupCount> m_Vertical{};

    // The control of field i (0-based, record order).
    static int controlOf(std::size_t field);

    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void onShowDialog() override;
    void onOK() override;

    void LoadForm();
    // False when a control failed validation (the dialog stays open).
    bool SaveForm();
};
