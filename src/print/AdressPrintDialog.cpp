#include "print/AdressPrintDialog.h"

#include "estimate/ReferenceFile.h"
#include "platform/print/PrintService.h"
#include "platform/print/PrintView.h"
#include "platform/profile/Profile.h"
#include "platform/ui/MessageBox.h"
#include "print/AdressFiles.h"
#include "print/AdressPrintRecord.h"

using namespace kiv::ui;
using namespace adressprint;

namespace {

kiv::print::PrintSettings& envelopeSettings() {
    static kiv::print::PrintSettings s;
    return s;
}

// The layout group each printed field is placed by.
constexpr int kGroupOf[CAdressPrintDialog::FieldCount] = {
    adressprint::Name,        adressprint::Name2,        adressprint::Address,           adressprint::Address2,
    adressprint::Postcode,    adressprint::CompanyLine,  adressprint::Company2Line,      adressprint::SenderAddressLine,
    adressprint::SenderAddress2Line, adressprint::SenderPostcodeLine, adressprint::CommentLine,
};

const char* const kNoLayoutMessage =
    "封筒の印刷フォームが設定されていません。相手先登録の印刷設定で設定してください。";

} // namespace

const DialogTemplate& CAdressPrintDialog::dialogLayout() {
    static const DialogTemplate t = [] {
        DialogTemplate d{kDialogId, "封筒に印刷", {330, 232}, {}};
        auto& c = d.controls;
        auto row = [&c](const char* label, int id, int limit, int x, int y) {
            c.push_back(ctl::label(label, dlu(x, y + 2, 40, 8)));
            c.push_back(ctl::edit(id, dlu(x + 42, y, std::min(196, 12 + limit * 5), 12), 0, limit));
        };
        c.push_back(ctl::group("宛先", dlu(7, 5, 316, 106)));
        row("郵便番号", 1285, 8, 14, 17);
        row("相手先1", 1286, 40, 14, 33);
        row("住所1", 1287, 40, 14, 49);
        row("相手先2", 1289, 40, 14, 65);
        row("住所2", 1290, 40, 14, 81);
        row("コメント", 1288, 20, 14, 97 - 2);
        c.push_back(ctl::button(kAtesakiPrint, "宛先印刷", dlu(262, 17, 55, 14)));
        c.push_back(ctl::group("自社名", dlu(7, 115, 316, 92)));
        row("郵便番号", 1282, 8, 14, 127);
        row("社名1", 1298, 40, 14, 143);
        row("住所1", 1299, 40, 14, 159);
        row("社名2", 1292, 40, 14, 175);
        row("住所2", 1291, 40, 14, 191 - 2);
        c.push_back(ctl::button(kSyameiPrint, "社名印刷", dlu(262, 127, 55, 14)));
        c.push_back(ctl::defButton(IDOK, "OK", dlu(212, 212, 50, 14)));
        c.push_back(ctl::button(IDCANCEL, "ｷｬﾝｾﾙ", dlu(270, 212, 50, 14)));
        return d;
    }();
    return t;
}

CAdressPrintDialog::CAdressPrintDialog(Window* parent) : Dialog(dialogLayout(), parent) {
    onClicked(kAtesakiPrint, [this] { OnAtesakiPrint(); });
    onClicked(kSyameiPrint, [this] { OnSyameiPrint(); });
}

void CAdressPrintDialog::ResetEnvelopeSettings() { envelopeSettings() = {}; }

void CAdressPrintDialog::doDataExchange(DataExchange& dx) {
    dx.text(1285, m_Postcode, 8);
    dx.text(1288, m_Comment, 20);
    dx.text(1286, m_Name, 40);
    dx.text(1287, m_Address, 40);
    dx.text(1289, m_Name2, 40);
    dx.text(1290, m_Address2, 40);
    dx.text(1282, m_SenderPostcode, 8);
    dx.text(1298, m_Company, 40);
    dx.text(1299, m_SenderAddress, 40);
    dx.text(1292, m_Company2, 40);
    dx.text(1291, m_SenderAddress2, 40);
}

void CAdressPrintDialog::onShowDialog() {
    AdressFileOpen file = openAdressFile(ReferenceFile::AdressPrint, kRecordSize, this);
    m_PrintText = file.path.string();
    m_PrintSettei = blankRecord();
    if (file.read)
        m_PrintSettei.replace(0, file.data.size(), file.data);
    ParsePrintSettei();
    updateData(false);
}

void CAdressPrintDialog::ParsePrintSettei() {
    m_Company = rawText(m_PrintSettei, adressprint::Company);
    m_SenderAddress = rawText(m_PrintSettei, adressprint::SenderAddress);
    m_Company2 = rawText(m_PrintSettei, adressprint::Company2);
    m_SenderAddress2 = rawText(m_PrintSettei, adressprint::SenderAddress2);
    m_SenderPostcode = rawText(m_PrintSettei, adressprint::SenderPostcode);
    m_Comment = rawText(m_PrintSettei, adressprint::Comment);
    m_Honorific = rawText(m_PrintSettei, adressprint::Honorific);
    for (int f = 0; f < FieldCount; ++f) {
        Placement& p = m_Placement[static_cast<std::size_t>(f)];
        p.x = number(m_PrintSettei, groupField(kGroupOf[f], adressprint::X));
        p.y = number(m_PrintSettei, groupField(kGroupOf[f], adressprint::Y));
        p.size = number(m_PrintSettei, groupField(kGroupOf[f], adressprint::Size));
        p.vertical = number(m_PrintSettei, groupField(kGroupOf[f], Vertical));
    }
}

std::string CAdressPrintDialog::SpacedPostcode(std::string code) {
    int counter = 0;
    for (int i = 1; i <= 7; ++i) {
        const std::size_t at = std::min(code.size(), static_cast<std::size_t>(i + counter));
        code.insert(at, 1, ' ');
        ++counter;
    }
    return code;
}

void CAdressPrintDialog::OnAtesakiPrint() {
    // What the edits hold now is printed, corrections included.
    if (!updateData(true))
        return;
    printSide({{Name, m_Name + m_Honorific},
               {Name2, m_Name2},
               {Address, m_Address},
               {Address2, m_Address2},
               {Postcode, SpacedPostcode(m_Postcode)},
               {Comment, m_Comment}});
}

void CAdressPrintDialog::OnSyameiPrint() {
    if (!updateData(true))
        return;
    printSide({{Company, m_Company},
               {Company2, m_Company2},
               {SenderAddress, m_SenderAddress},
               {SenderAddress2, m_SenderAddress2},
               {SenderPostcode, m_SenderPostcode}});
}

void CAdressPrintDialog::printSide(const std::vector<Printed>& fields) {
    // With every size 0 the texts would all land turned off the paper at the corner.
    bool anySize = false;
    for (const Printed& p : fields)
        anySize = anySize || m_Placement[p.field].size != 0;
    if (!anySize) {
        messageBox(kNoLayoutMessage, MB_OK | MB_ICONEXCLAMATION, {}, this);
        return;
    }
    kiv::print::PrintService* service = kiv::print::printService();
    if (!service)
        return;
    kiv::print::PrintSettings settings = envelopeSettings();
    if (!service->printDialog(settings, 1, 1))
        return;
    envelopeSettings() = settings;
    std::unique_ptr<kiv::print::PrintJob> job = service->createJob(settings);
    bool ok = job && job->startDoc({"", 1, 1});
    if (ok) {
        kiv::print::PrinterDc& dc = job->startPage();
        const std::string face = kiv::profile::Profile::user().getString("Font_Section", "Font_File", "ＭＳ ゴシック");
        m_PageDots = dc.pageWidth();
        for (const Printed& p : fields)
            printField(dc, face, p);
        job->endPage();
        ok = job->endDoc();
    }
    if (!ok)
        messageBox(settings.toFile() ? kiv::print::fileNotWrittenMessage(job.get(), settings.file)
                                     : std::string("印刷を開始できません。プリンタの設定を確かめてください。"),
                   MB_OK | MB_ICONEXCLAMATION, {}, this);
}

void CAdressPrintDialog::printField(kiv::print::PrinterDc& dc, const std::string& face, const Printed& p) {
    const Placement& at = m_Placement[p.field];
    Font font;
    font.height = (m_PageDots / 1000) * at.size;
    if (font.height == 0)
        font.height = kDefaultFontHeight;
    font.weight = 400;
    const bool vertical = at.vertical == 1;
    font.face = vertical ? "@" + face : face;
    font.escapement = vertical ? 900 : 1800;
    const Font previous = dc.selectFont(font);
    const TextMetrics tm = dc.textMetrics();
    m_CharUnit = static_cast<int>(tm.aveCharWidth * 0.1);
    m_LineUnit = static_cast<int>(tm.height * 0.1);
    m_LinePitch = static_cast<int>(m_LineUnit * 2.22);
    m_PrintText = p.text;
    m_TextLength = static_cast<int>(m_PrintText.size());
    const int x = at.x * m_CharUnit;
    const int y = static_cast<int>(at.y * m_LinePitch + m_LinePitch * 0.35);
    dc.textOut(x, y, std::string_view(m_PrintText).substr(0, static_cast<std::size_t>(m_TextLength)));
    dc.selectFont(previous);
}
