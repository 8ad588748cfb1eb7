#pragma once
// 封筒に印刷: prints one envelope per command, the recipient side (宛先印刷) or the sender side
// (社名印刷), at the places, sizes and directions of the envelope layout. The recipient's texts
// come from the address book; the sender's, the comment and the honorific from the layout.
// Each command prints what the edits hold when it is pressed.
#include <array>
#include <string>

#include "platform/ui/Dialog.h"

namespace kiv::print {
class PrinterDc;
}

class CAdressPrintDialog : public kiv::ui::Dialog {
public:
    static constexpr int kDialogId = 194;
    static constexpr int kAtesakiPrint = 1133;
    static constexpr int kSyameiPrint = 1134;
    // A font of height 0 prints at this height (12 points at 600 dots per inch).
    static constexpr int kDefaultFontHeight = 100;

    explicit CAdressPrintDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();

    // Where and how one field prints.
    struct Placement {
        int x = 0, y = 0, size = 0, vertical = 0;
    };
    enum Field { Name, Name2, Address, Address2, Postcode, Company, Company2, SenderAddress, SenderAddress2,
                 SenderPostcode, Comment, FieldCount };

    std::string m_PrintSettei; // the layout record: 386 bytes
    std::string m_Comment;
    std::string m_Honorific;
    int m_CharUnit = 0;
    int m_LineUnit = 0;
    int m_LinePitch = 0;
    std::string m_Address;
    std::string m_Address2;
    std::string m_Name;
    std::string m_Name2;
    std::string m_Postcode;
    std::string m_SenderAddress;
    std::string m_SenderAddress2;
    std::string m_Company;
    std::string m_Company2;
    std::string m_SenderPostcode;
    int m_PageDots = 0;
    int m_TextLength = 0;
    std::string m_PrintText;
    std::array<Placement, FieldCount> m_Placement{};

    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void onShowDialog() override;

    void ParsePrintSettei();
    void OnAtesakiPrint();
    void OnSyameiPrint();

    // The recipient postcode as printed: a blank after each of its first seven bytes.
    static std::string SpacedPostcode(std::string code);
    // The paper the next envelope's print dialog starts from (A4 portrait at first); for tests.
    static void ResetEnvelopeSettings();

private:
    struct Printed {
        Field field;
        std::string text;
    };
    void printSide(const std::vector<Printed>& fields);
    void printField(kiv::print::PrinterDc& dc, const std::string& face, const Printed& p);
};
