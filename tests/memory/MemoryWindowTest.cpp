#include "app/SettingsKeys.h"
#include "memory/CAliasDlg.h"
#include "memory/CMemoryDlg.h"
#include "paging/CPageDlg.h"
#include "tests/support/PageWindowWorld.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// The memory window and its alias window, driven as a user drives them, over a destination box
// that stands for the main window's.
class MemoryWindowTest : public ::testing::Test, protected PageWindowWorld {
protected:
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
    // Add with the two texts typed and confirmed.
    static void add(CMemoryDlg &window, const char *destination, const char *alias)
    {
        clickIntoAlias(window, CMemoryDlg::IDC_ADD, [=](CAliasDlg &dialog) {
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
    // The texts of a list box's lines or of a combo box's entries.
    template <typename Box> static Lines texts(const Box &box)
    {
        Lines shown;
        for (int row = 0; row < box.count(); ++row) {
            if constexpr (std::is_same_v<Box, QComboBox>)
                shown.push_back(box.itemText(row).toStdString());
            else
                shown.push_back(box.item(row)->text().toStdString());
        }
        return shown;
    }
    static Lines lines(const CMemoryDlg &window) { return texts(*window.List()); }
    Lines boxEntries() const { return texts(destinations); }
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
        add(window, "host1", "");
        add(window, "host123", "");
        add(window, "printroom", "lab");
        add(window, "elsewhere", "LA");
        add(window, "Lab", "");
        // Stored behind an alias only: the same address may be stored plain as well.
        add(window, "printroom", "");
        add(window, "a, b, c", "");
        EXPECT_EQ(lines(window),
                  Lines({"host12", "host123", "lab == printroom", "printroom", "a, b, c"}));
    });
    EXPECT_EQ(boxTexts(), Lines({"That ipname already exists in memory.",
                                 "That alias already exists in memory.",
                                 "That ipname already exists in memory."}));
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
        EXPECT_TRUE(list->item(1)->isSelected()); // the new last line
        click(window, CMemoryDlg::IDC_REMOVE);
        EXPECT_EQ(settings.aliasValue("beta"), "");
        click(window, CMemoryDlg::IDC_REMOVE);
        EXPECT_EQ(list->count(), 0);
        EXPECT_TRUE(list->selectedItems().isEmpty());
        // The views share the list: back from Messages, exactly the items now stored.
        add(window, "delta", "");
        click(window, CMemoryDlg::IDC_MESSAGES);
        click(window, CMemoryDlg::IDC_ADDRESSES);
        EXPECT_EQ(lines(window), Lines({"delta"}));
    });
    EXPECT_EQ(boxTexts(), Lines({"You must select an IP address to remove."}));
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
        // A removal the file cannot take is told; the message is gone from the list all the same.
        ASSERT_TRUE(QDir(savedFolder.filePath(QStringLiteral("saved"))).removeRecursively());
        list->setCurrentRow(0);
        click(window, CMemoryDlg::IDC_REMOVE);
        EXPECT_EQ(list->count(), 0);
        EXPECT_TRUE(window.GetDlgItem(CMemoryDlg::IDC_MESSAGES)->isEnabled());
        click(window, CMemoryDlg::IDC_ADDRESSES);
        EXPECT_EQ(lines(window), Lines({"host"}));
    });
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "You must select a message to open");
    EXPECT_EQ(boxes[1].caption, "Error");
    EXPECT_EQ(savedMessages.GetCount(), 0u);
    EXPECT_TRUE(port.sent.empty()); // a reopened message sends no receipt
}

} // namespace
