// Pictures of the program's windows for the documentation, written when TARVIL_SHEET_DIR names a
// folder (e.g. docs/); otherwise the test is skipped. Each window is shown as a user first sees
// it, then grabbed.
#include "app/SettingsKeys.h"
#include "memory/CAliasDlg.h"
#include "memory/CMemoryDlg.h"
#include "memory/COptionsDlg.h"
#include "paging/CPageDlg.h"
#include "paging/CReceiptDlg.h"
#include "tests/app/MainWindowTest.h"
#include "tests/app/RecordingNetwork.h"
#include "tests/support/PageWindowWorld.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

QString sheetDirectory()
{
    return qEnvironmentVariable("TARVIL_SHEET_DIR");
}

void save(QWidget &window, const char *name)
{
    window.grab().save(QDir(sheetDirectory()).filePath(QString::fromLatin1(name)));
}

class MainWindowSheet : public MainWindowTest {
protected:
    MainWindowSheet() : MainWindowTest(std::make_unique<RecordingNetwork>()) {}
};

TEST_F(MainWindowSheet, MainWindow)
{
    if (sheetDirectory().isEmpty())
        GTEST_SKIP() << "TARVIL_SHEET_DIR is not set";
    runWindow([](CPagerDlg &dialog) { save(dialog, "main_window.png"); });
}

class PageWindowSheet : public ::testing::Test, protected PageWindowWorld {};

TEST_F(PageWindowSheet, PageAndReceiptWindows)
{
    if (sheetDirectory().isEmpty())
        GTEST_SKIP() << "TARVIL_SHEET_DIR is not set";
    CPageDlg composing(context, &mainWindow);
    composing.m_sender = "buddy";
    QTimer::singleShot(0, [&] {
        composing.MessageArea()->setPlainText(QStringLiteral("Lunch at noon?"));
        save(composing, "page_window_send.png");
        composing.EndDialog(ui::IDCANCEL);
    });
    composing.DoModal();

    auto *received = new CPageDlg(context, &mainWindow);
    received->ShowReceived("Lunch at noon?\r\nThe usual place.", "127.0.0.1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return received->m_sender == "localhost"; }));
    save(*received, "page_window_received.png");
    received->close();

    RecordingSoundPlayer player;
    app::EventSounds sounds(settings, player);
    auto *receipt = new CReceiptDlg(true, "127.0.0.1", sounds, clock, &mainWindow);
    ASSERT_TRUE(QTest::qWaitFor([&] { return receipt->NoticeText().back() == ')'; }));
    save(*receipt, "receipt_window.png");
    receipt->close();
}

TEST_F(PageWindowSheet, MemoryAndAliasWindows)
{
    if (sheetDirectory().isEmpty())
        GTEST_SKIP() << "TARVIL_SHEET_DIR is not set";
    QComboBox destinations;
    destinations.addItems(
        {QStringLiteral("printroom"), QStringLiteral("lab"), QStringLiteral("10.0.0.7, 10.0.0.8")});
    settings.WriteString("Alias", "lab", "192.168.10.24");
    CMemoryDlg memory(context, &destinations, &mainWindow);
    QTimer::singleShot(0, [&] {
        save(memory, "memory_window.png");
        QTimer::singleShot(0, [] {
            auto *alias = qobject_cast<CAliasDlg *>(QApplication::activeModalWidget());
            ASSERT_TRUE(alias);
            qobject_cast<QLineEdit *>(alias->GetDlgItem(CAliasDlg::IDC_ALIAS))
                ->setText(QStringLiteral("Printers"));
            save(*alias, "alias_window.png");
            alias->EndDialog(ui::IDCANCEL);
        });
        memory.List()->setCurrentRow(0);
        QTest::mouseClick(memory.GetDlgItem(CMemoryDlg::IDC_ALIAS), Qt::LeftButton);
        memory.EndDialog(ui::IDOK);
    });
    memory.DoModal();
}

class OptionsWindowSheet : public ::testing::Test, protected PageWindowWorld {};

TEST_F(OptionsWindowSheet, OptionsWindow)
{
    if (sheetDirectory().isEmpty())
        GTEST_SKIP() << "TARVIL_SHEET_DIR is not set";
    settings.WriteInt(keys::kChatColors, keys::kBackground, 0xE0FFFF);
    settings.WriteInt(keys::kChatColors, keys::kForeground, 0x800000);
    RecordingSoundPlayer player;
    app::EventSounds sounds(settings, player);
    COptionsDlg window(settings, sounds, &mainWindow);
    QTimer::singleShot(0, [&] {
        save(window, "options_window.png");
        QTest::mouseClick(window.GetDlgItem(COptionsDlg::IDC_OK), Qt::LeftButton);
    });
    window.DoModal();
}

} // namespace
