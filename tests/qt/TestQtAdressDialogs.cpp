// The address book, the envelope layout editor and the envelope print dialog on the Qt backend
// (offscreen), rendered to PNGs under the build folder so their layout can be looked at.
#include "platform/qt/QtBackend.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "platform/ui/App.h"
#include "print/AdressBook.h"
#include "print/AdressDialog.h"
#include "print/AdressPrintDialog.h"
#include "print/AdressPrintRecord.h"
#include "print/FprintDialog.h"
#include "qt/QtTestApp.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

using namespace kiv;
using namespace kiv::ui;
using kiv::text::sj;

namespace {

class QtAdressDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        kiv::test::qtApp();
        m_OldFont = QApplication::font();
        QFont f("IPAGothic"); // the program's dialog font
        f.setPixelSize(13);
        QApplication::setFont(f);
        setBackend(&backend);
    }
    void TearDown() override {
        collectGarbage();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setBackend(nullptr);
        QApplication::setFont(m_OldFont);
    }
    QWidget* render(Dialog& d, const char* name) {
        EXPECT_TRUE(d.createModeless());
        d.show(true);
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        QWidget* w = qt::QtBackend::widgetOf(d);
        EXPECT_TRUE(kiv::test::savePicture(w, name));
        if (w) {
            EXPECT_EQ(kiv::test::captionsWithoutInk(w), std::vector<std::string>{}) << name;
        }
        return w;
    }

    kiv::test::ScopedProfileHome profile;
    kiv::test::TempDir dir;
    qt::QtBackend backend;
    QFont m_OldFont;
};

TEST_F(QtAdressDialogs, AddressBookEditorAndEnvelopeDialogsRender) {
    const auto book = dir.path() / "book.adr";
    const auto layout = dir.path() / "layout.aps";
    std::ofstream(book, std::ios::binary)
        << adress::formatAdressRecord({"0001", sj("東西商事株式会社"), sj("東京都千代田区丸の内1-1"), "", "", "100-0005",
                                       "03-1234-5678", "03-1234-5679"})
        << adress::formatAdressRecord({"0002", sj("南北設備"), sj("大阪府大阪市北区"), "", "", "530-0001", "", ""});
    adressprint::Fields f;
    f[adressprint::Company] = sj("株式会社見積");
    f[adressprint::Honorific] = sj("様");
    std::ofstream(layout, std::ios::binary) << adressprint::formatRecord(f);
    kiv::profile::Profile::user().writeString("Adress_Section", "Adress_Data", book.string());
    kiv::profile::Profile::user().writeString("AdressPrint_Section", "AdressPrint_Set", layout.string());

    CAdressDialog adress;
    QWidget* w = render(adress, "adress-dialog.png");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("相手先登録、宛先印刷"));
    EXPECT_EQ(w->findChildren<QLineEdit*>().size(), 8);
    const auto lists = w->findChildren<QListWidget*>();
    ASSERT_EQ(lists.size(), 1);
    EXPECT_EQ(lists[0]->count(), 2);
    adress.destroyWindow();

    CFprintDialog editor;
    editor.m_PrintSettei = adressprint::formatRecord(f);
    w = render(editor, "fprint-dialog.png");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("宛先印刷フォーム設定"));
    EXPECT_EQ(w->findChildren<QLineEdit*>().size(), 40);
    EXPECT_EQ(w->findChildren<QCheckBox*>().size(), 11);
    editor.destroyWindow();

    CAdressPrintDialog envelope;
    envelope.m_Name = sj("東西商事株式会社");
    w = render(envelope, "adressprint-dialog.png");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("封筒に印刷"));
    EXPECT_EQ(w->findChildren<QLineEdit*>().size(), 11);
    envelope.destroyWindow();
}

} // namespace
