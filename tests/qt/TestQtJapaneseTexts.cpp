// Qt's own dialogs speak Japanese: the translations the program installs at start give the file
// and print dialogs and the standard buttons their Japanese texts, and a missing translation
// file leaves the program running with Qt's English.
#include "platform/qt/QtMain.h"
#include "qt/QtTestApp.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

TEST(QtJapaneseTexts, FileAndPrintDialogsAndButtonsSpeakJapanese) {
    kiv::test::qtApp();
    ASSERT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
    QTranslator* tr = kiv::qt::installJapaneseQtTexts({});
    ASSERT_NE(tr, nullptr);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8("キャンセル"));
    {
        QFileDialog files;
        files.setOption(QFileDialog::DontUseNativeDialog, true);
        EXPECT_TRUE(files.labelText(QFileDialog::FileName).contains(QString::fromUtf8("ファイル名")))
            << files.labelText(QFileDialog::FileName).toStdString();
        EXPECT_TRUE(files.labelText(QFileDialog::Reject).contains(QString::fromUtf8("キャンセル")))
            << files.labelText(QFileDialog::Reject).toStdString();
        QPrinter printer;
        QPrintDialog print(&printer);
        EXPECT_EQ(print.windowTitle(), QString::fromUtf8("印刷")) << print.windowTitle().toStdString();
    }
    QCoreApplication::removeTranslator(tr);
    delete tr;
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

TEST(QtJapaneseTexts, AMissingTranslationFileLeavesQtsEnglish) {
    kiv::test::qtApp();
    kiv::test::TempDir empty;
    EXPECT_EQ(kiv::qt::installJapaneseQtTexts(QString::fromStdString(empty.path().string())), nullptr);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

} // namespace
