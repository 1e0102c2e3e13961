#include "app/SettingsKeys.h"
#include "memory/CAliasDlg.h"
#include "memory/CMemoryDlg.h"
#include "paging/CPageDlg.h"
#include "tests/support/PageWindowWorld.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// The memory window and its alias window, driven as a user drives them, over a destination box
// that stands for the main window's.
class MemoryWindowTest : public ::testing::Test, protected PageWindowWorld {
protected:
    MemoryWindowTest() { destinations.setEditable(true); }

    // Stores `items` as the program's start finds them: in the settings and in the box.
    void remember(const std::vector<std::string> &items)
    {
        for (const std::string &item : items) {
            settings.AddAddress(item);
            destinations.addItem(QString::fromStdString(item));
        }
    }

    // Runs the memory window with `actions`, then returns from it.
    void runMemory(const std::function<void(CMemoryDlg &)> &actions)
    {
        CMemoryDlg window(context, &destinations, &mainWindow);
        QTimer::singleShot(0, [&] {
            actions(window);
            click(window, CMemoryDlg::IDC_RETURN);
        });
        EXPECT_EQ(window.DoModal(), ui::IDOK);
    }

    // Clicks `id` in `window`; the alias window that it opens gets `actions`.
    static void clickIntoAlias(ui::Dialog &window, int id,
                               const std::function<void(CAliasDlg &)> &actions)
    {
        QTimer::singleShot(0, [actions] {
            auto *alias = qobject_cast<CAliasDlg *>(QApplication::activeModalWidget());
            ASSERT_TRUE(alias);
            ASSERT_TRUE(QTest::qWaitForWindowActive(alias));
            actions(*alias);
        });
        click(window, id);
    }
    // Add or Alias with the two texts typed and confirmed.
    static void enter(CMemoryDlg &window, int id, const char *destination, const char *alias)
    {
        clickIntoAlias(window, id, [=](CAliasDlg &dialog) {
            if (id == CMemoryDlg::IDC_ADD)
                edit(dialog, CAliasDlg::IDC_DESTINATION)->setText(QString::fromLatin1(destination));
            edit(dialog, CAliasDlg::IDC_ALIAS)->setText(QString::fromLatin1(alias));
            click(dialog, CAliasDlg::IDC_OK);
        });
    }

    static void click(ui::Dialog &window, int id)
    {
        QTest::mouseClick(window.GetDlgItem(id), Qt::LeftButton);
    }
    static QLineEdit *edit(ui::Dialog &window, int id)
    {
        return qobject_cast<QLineEdit *>(window.GetDlgItem(id));
    }
    static Lines lines(const CMemoryDlg &window)
    {
        Lines shown;
        for (int row = 0; row < window.List()->count(); ++row)
            shown.push_back(window.List()->item(row)->text().toStdString());
        return shown;
    }
    Lines boxEntries() const
    {
        Lines entries;
        for (int entry = 0; entry < destinations.count(); ++entry)
            entries.push_back(destinations.itemText(entry).toStdString());
        return entries;
    }
    // The stored memory is the box, entry for entry.
    void expectStoredAsBox() const { EXPECT_EQ(settings.addressList(), boxEntries()); }
    Lines boxTexts() const
    {
        Lines texts;
        for (std::size_t index = 0; index < boxes.size(); ++index)
            texts.push_back(boxes[index].text);
        return texts;
    }

    QComboBox destinations;
};

TEST_F(MemoryWindowTest, DuplicatesAreCaseInsensitivePrefixesOfShownLines)
{
    remember({"host12"});
    runMemory([](CMemoryDlg &window) {
        enter(window, CMemoryDlg::IDC_ADD, "host1", "");
        enter(window, CMemoryDlg::IDC_ADD, "host123", "");
        enter(window, CMemoryDlg::IDC_ADD, "printroom", "lab");
        enter(window, CMemoryDlg::IDC_ADD, "elsewhere", "LA");
        enter(window, CMemoryDlg::IDC_ADD, "Lab", "");
        // Stored behind an alias only: the same address may be stored plain as well.
        enter(window, CMemoryDlg::IDC_ADD, "printroom", "");
        enter(window, CMemoryDlg::IDC_ADD, "a, b, c", "");
        EXPECT_EQ(lines(window),
                  Lines({"host12", "host123", "lab == printroom", "printroom", "a, b, c"}));
    });
    EXPECT_EQ(boxTexts(), Lines({"That ipname already exists in memory.",
                                 "That alias already exists in memory.",
                                 "That ipname already exists in memory."}));
    EXPECT_EQ(boxes[0].caption, "Information");
    EXPECT_EQ(boxes[0].icon, ui::MessageIcon::Information);
    EXPECT_EQ(boxEntries(), Lines({"host12", "host123", "lab", "printroom", "a, b, c"}));
    expectStoredAsBox();
    EXPECT_EQ(settings.aliasValue("LAB"), "printroom");
}

TEST_F(MemoryWindowTest, RemovingKeepsBoxSettingsAndSelectionInStep)
{
    remember({"alpha", "beta", "gamma"});
    settings.WriteString(keys::kAlias, "beta", "10.0.0.2");
    runMemory([&](CMemoryDlg &window) {
        QListWidget *list = window.List();
        EXPECT_EQ(lines(window), Lines({"alpha", "beta == 10.0.0.2", "gamma"}));
        click(window, CMemoryDlg::IDC_REMOVE); // nothing selected
        list->setCurrentRow(2);
        click(window, CMemoryDlg::IDC_REMOVE);
        EXPECT_EQ(list->currentRow(), 1); // the new last line
        EXPECT_TRUE(list->item(1)->isSelected());
        click(window, CMemoryDlg::IDC_REMOVE);
        EXPECT_EQ(settings.aliasValue("beta"), "");
        EXPECT_EQ(boxEntries(), Lines({"alpha"}));
        expectStoredAsBox();
        click(window, CMemoryDlg::IDC_REMOVE);
        EXPECT_EQ(list->count(), 0);
        EXPECT_TRUE(list->selectedItems().isEmpty());
        click(window, CMemoryDlg::IDC_REMOVE); // empty: nothing to select
        // The views share the list: back from Messages, exactly the items now stored.
        enter(window, CMemoryDlg::IDC_ADD, "delta", "");
        click(window, CMemoryDlg::IDC_MESSAGES);
        click(window, CMemoryDlg::IDC_ADDRESSES);
        EXPECT_EQ(lines(window), Lines({"delta"}));
    });
    EXPECT_EQ(boxTexts(), Lines(2, "You must select an IP address to remove."));
    EXPECT_EQ(boxes[0].caption, "Missing Selection");
    EXPECT_EQ(boxEntries(), Lines({"delta"}));
    expectStoredAsBox();
}

TEST_F(MemoryWindowTest, AliasWindowStartsAtTheAliasAndRefusesWhatIsMissing)
{
    remember({"host", "pc"});
    settings.WriteString(keys::kAlias, "pc", "other");
    std::string prompt;
    runMemory([&](CMemoryDlg &window) {
        window.List()->setCurrentRow(1);
        click(window, CMemoryDlg::IDC_ALIAS); // an alias line
        window.List()->setCurrentRow(0);
        clickIntoAlias(window, CMemoryDlg::IDC_ALIAS, [&](CAliasDlg &dialog) {
            EXPECT_EQ(edit(dialog, CAliasDlg::IDC_DESTINATION)->text(), QStringLiteral("host"));
            EXPECT_EQ(QApplication::focusWidget(), dialog.GetDlgItem(CAliasDlg::IDC_ALIAS));
            click(dialog, CAliasDlg::IDC_OK);
            edit(dialog, CAliasDlg::IDC_ALIAS)->setText(QStringLiteral("srv"));
            click(dialog, CAliasDlg::IDC_OK);
            prompt = dialog.m_prompt;
        });
        // Add: the destination is required, blanks are taken as typed; Escape cancels.
        clickIntoAlias(window, CMemoryDlg::IDC_ADD, [](CAliasDlg &dialog) {
            EXPECT_EQ(QApplication::focusWidget(), dialog.GetDlgItem(CAliasDlg::IDC_DESTINATION));
            click(dialog, CAliasDlg::IDC_OK);
            edit(dialog, CAliasDlg::IDC_DESTINATION)->setText(QStringLiteral("  "));
            click(dialog, CAliasDlg::IDC_OK);
        });
        clickIntoAlias(window, CMemoryDlg::IDC_ADD, [](CAliasDlg &dialog) {
            edit(dialog, CAliasDlg::IDC_DESTINATION)->setText(QStringLiteral("never"));
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
    });
    EXPECT_EQ(prompt, "Please input alias for 'host'");
    EXPECT_EQ(boxTexts(), Lines({"You cannot alias an alias.", "You must input an Alias",
                                 "You must input an IP Address/Hostname"}));
    EXPECT_EQ(boxes[0].caption, "Tarvil32");
    EXPECT_EQ(boxes[1].caption, "Missing Information");
    EXPECT_EQ(boxEntries(), Lines({"host", "pc", "srv", "  "}));
    EXPECT_EQ(settings.aliasValue("srv"), "host");
}

TEST_F(MemoryWindowTest, MessagesViewOpensAndRemovesSavedMessages)
{
    runMemory([](CMemoryDlg &window) {
        EXPECT_FALSE(window.GetDlgItem(CMemoryDlg::IDC_MESSAGES)->isEnabled());
    });
    savedMessages.AddSavedMessage({"first - 12/06/26 08:00:00", "one", "10.0.0.1"});
    savedMessages.AddSavedMessage({"second - 12/06/26 09:30:00", "two", "10.0.0.2"});
    remember({"host"});
    runMemory([&](CMemoryDlg &window) {
        click(window, CMemoryDlg::IDC_MESSAGES);
        EXPECT_EQ(lines(window),
                  Lines({"first - 12/06/26 08:00:00", "second - 12/06/26 09:30:00"}));
        auto *open = qobject_cast<QAbstractButton *>(window.GetDlgItem(CMemoryDlg::IDC_ADD));
        EXPECT_EQ(open->text(), QStringLiteral("&Open"));
        EXPECT_FALSE(window.GetDlgItem(CMemoryDlg::IDC_ALIAS)->isEnabled());
        click(window, CMemoryDlg::IDC_ADD); // nothing selected
        QListWidget *list = window.List();
        const QPoint second = list->visualItemRect(list->item(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
        ASSERT_EQ(mainWindow.findChildren<CPageDlg *>().size(), 1);
        const CPageDlg *page = mainWindow.findChildren<CPageDlg *>().front();
        EXPECT_EQ(page->windowTitle(), QStringLiteral("Page Received at 12/06/26 09:30:00"));
        EXPECT_EQ(page->MessageText(), "two");
        EXPECT_EQ(page->m_sender, "10.0.0.2");

        list->setCurrentRow(0);
        click(window, CMemoryDlg::IDC_REMOVE);
        list->setCurrentRow(0);
        click(window, CMemoryDlg::IDC_REMOVE);
        EXPECT_EQ(list->count(), 0);
        EXPECT_TRUE(window.GetDlgItem(CMemoryDlg::IDC_MESSAGES)->isEnabled());
        click(window, CMemoryDlg::IDC_ADDRESSES);
        EXPECT_EQ(lines(window), Lines({"host"}));
    });
    EXPECT_EQ(boxTexts(), Lines({"You must select a message to open"}));
    EXPECT_EQ(savedMessages.GetCount(), 0u);
    CSavedMessageList reread(
        savedFolder.filePath(QStringLiteral("saved/Message.sav")).toStdString());
    reread.LoadSavedMessages();
    EXPECT_EQ(reread.GetCount(), 0u);
    EXPECT_TRUE(port.sent.empty()); // a reopened message sends no receipt
}

} // namespace
