// Every dialog of the program on Qt's offscreen platform, in the font the program sets at start:
// each static text, check box and radio button shows its whole caption inside its rectangle.
#include "estimate/EnzanDialog.h"
#include "estimate/FukugouDialog.h"
#include "estimate/FukukirisuteDialog.h"
#include "estimate/MarumeDialog.h"
#include "estimate/RoumuDialog.h"
#include "estimate/RoumufileDialog.h"
#include "estimate/SetteiDialog.h"
#include "export/DaikaExcelDialog.h"
#include "export/DaikaTextDialog.h"
#include "export/ExcelDialog.h"
#include "export/TextDialog.h"
#include "export/excel/ProgressDlg.h"
#include "grid/CalcDialog.h"
#include "grid/CopyDialog.h"
#include "grid/GoukeiDialog.h"
#include "grid/HaturiDelDialog.h"
#include "grid/KoumokuDialog.h"
#include "grid/MojiDialog.h"
#include "grid/MoveDialog.h"
#include "grid/RoumuBikou2DelDialog.h"
#include "grid/SuuHenkanDialog.h"
#include "grid/TankaDialogs.h"
#include "grid/TanniDialog.h"
#include "grid/TekkyoBukakeDialog.h"
#include "grid/TextreadDialog.h"
#include "master/BunMoveDialog.h"
#include "master/MstDialogs.h"
#include "pricing/BukakeDialog.h"
#include "pricing/BukakeFileDialog.h"
#include "pricing/BukakeSelectDialog.h"
#include "print/AdressDialog.h"
#include "print/AdressFileDialogs.h"
#include "print/AdressPrintDialog.h"
#include "print/FormDialog.h"
#include "print/FprintDialog.h"
#include "print/HedderDialog.h"
#include "print/HyousiDialog.h"
#include "print/InsatuDialog.h"
#include "print/LayoutFileDialogs.h"
#include "resources/KivDialogResources.h"
#include "resources/ShellDialogs.h"
#include "totals/SyuMoveDialog.h"
#include "totals/SyuukeiDialog.h"
#include "totals/TExcelDialog.h"
#include "totals/TtextDialog.h"
#include "platform/qt/QtBackend.h"
#include "platform/qt/QtMain.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Dialog.h"
#include "qt/QtTestApp.h"
#include "support/TempDir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace kiv;

namespace {

using TemplateOf = const ui::DialogTemplate& (*)();

// The template of every dialog class (the find dialog is built by the window layer itself).
const TemplateOf kTemplates[] = {
    &CBunMoveDialog::dialogLayout,
    &CMbunSerectDialog::dialogLayout,
    &CMsonotahenkanDialog::dialogLayout,
    &CMtankaHenkanDialog::dialogLayout,
    &CTextDialog::dialogTemplate,
    &CDaikaTextDialog::dialogTemplate,
    &ExcelDialog::dialogTemplate,
    &CProgressDlg::dialogTemplate,
    &CDaikaExcelDialog::dialogTemplate,
    &CfukugouDialog::dialogLayout,
    &CRoumufileDialog::dialogLayout,
    &CRoumuDialog::dialogLayout,
    &CEnzanDialog::dialogLayout,
    &CfukukirisuteDialog::dialogLayout,
    &CSetteiDialog::dialogLayout,
    &CmarumeDialog::dialogLayout,
    &CTExcelDialog::dialogTemplate,
    &CSyuMoveDialog::dialogLayout,
    &CTtextDialog::dialogTemplate,
    &CSyuukeiDialog::dialogLayout,
    &CKoumokuDialog::dialogLayout,
    &CHaturi_delDialog::dialogLayout,
    &CTekkyoBukakeDialog::dialogLayout,
    &CCalcDialog::dialogLayout,
    &CTanniDialog::dialogLayout,
    &CCopyDialog::dialogLayout,
    &CMoveDialog::dialogLayout,
    &CRoumu_bikou2delDialog::dialogLayout,
    &CGoukeiDialog::dialogLayout,
    &CTankaHenkanDialog::dialogLayout,
    &CTankaCopyDialog::dialogLayout,
    &CGyouTankaHenkanDialog::dialogLayout,
    &CTankaNoDialog::dialogLayout,
    &CTextreadDialog::dialogLayout,
    &CMojiDialog::dialogLayout,
    &CSuuHenkanDialog::dialogLayout,
    &CBukakeSelectDialog::dialogLayout,
    &CBukakeDialog::dialogLayout,
    &CBukakeFileDialog::dialogLayout,
    &CFprintDialog::dialogLayout,
    &CHyousiDialog::dialogLayout,
    &CAdressPrintDialog::dialogLayout,
    &CInsatuDialog::dialogTemplate,
    &CAdressFileDialog::dialogLayout,
    &CAdressPrinfFileDialog::dialogLayout,
    &CHedderDialog::dialogLayout,
    &CFormDialog::dialogLayout,
    &CAdressDialog::dialogLayout,
    &CHeadderfileDialog::dialogLayout,
    &CHyousifileDialog::dialogLayout,
    &CHyousichangeDialog::dialogLayout,
    &res::selectDialogTemplate,
    &res::aboutDialogTemplate,
    &res::kivDialogTemplate,
};

// "dialog title: caption (text width > box width)" for each control of the dialog's window
// whose caption does not fit.
std::vector<std::string> clippedCaptions(ui::Dialog& d) {
    std::vector<std::string> clipped;
    if (!d.createModeless())
        return {d.title() + ": not created"};
    d.show(true);
    test::settle();
    QWidget* w = qt::QtBackend::widgetOf(d);
    if (!w)
        return {d.title() + ": no window"};
    auto check = [&](QWidget* c, const QString& text) {
        if (text.trimmed().isEmpty())
            return;
        const int needed = c->sizeHint().width();
        if (needed > c->width())
            clipped.push_back(d.title() + ": " + text.toStdString() + " (" + std::to_string(needed) + " > " +
                              std::to_string(c->width()) + ")");
    };
    for (QLabel* l : w->findChildren<QLabel*>())
        check(l, l->text());
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
        if (b->isCheckable())
            check(b, b->text());
    d.show(false);
    return clipped;
}

class QtDialogFit : public ::testing::Test {
protected:
    void SetUp() override {
        test::qtApp();
        m_OldFont = QApplication::font();
        QApplication::setFont(qt::programFont());
        ui::setBackend(&backend);
    }
    void TearDown() override {
        ui::collectGarbage();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ui::setBackend(nullptr);
        QApplication::setFont(m_OldFont);
    }
    test::ScopedProfileHome profile;
    qt::QtBackend backend;
    QFont m_OldFont;
};

TEST_F(QtDialogFit, EveryCaptionFitsItsBox) {
    std::vector<std::string> clipped;
    for (TemplateOf t : kTemplates) {
        auto d = std::make_unique<ui::Dialog>(t());
        for (const std::string& c : clippedCaptions(*d))
            clipped.push_back(c);
    }
    ui::FindDialog find;
    for (const std::string& c : clippedCaptions(find))
        clipped.push_back(c);
    for (const std::string& c : clipped)
        ADD_FAILURE() << "clipped: " << c;
}

} // namespace
