#pragma once

#include "app/Settings.h"
#include "paging/CSavedMessageList.h"
#include "paging/PageSender.h"
#include "paging/PageWindowContext.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/profile/WindowsDirectory.h"
#include "tests/support/FixedClock.h"
#include "tests/support/RecordedMessageBoxes.h"
#include "tests/support/RecordingDatagramPort.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QDir>
#include <QTemporaryDir>
#include <QWidget>
#include <string>
#include <vector>

// What the page windows work with in a test: settings in a private Windows directory, the
// registered controls, a recording datagram socket, saved messages in a folder of their own
// ("saved", which a test may remove), a fixed clock, a stand-in main window, the chats asked
// for, and every message box answered and kept.
class PageWindowWorld {
protected:
    PageWindowWorld()
    {
        ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR);
        QDir(savedFolder.path()).mkdir(QStringLiteral("saved"));
    }

    // Installs mail, as the program's start does where it is missing: Save can be enabled.
    static void allowSaving() { profile::prepareWindowsDirectory(profile::GetWindowsDirectory()); }

    TempWindowsDirectory windir;
    QTemporaryDir savedFolder;
    app::Settings settings{windir.filePath(QStringLiteral("tarvil32.INI")).toStdString()};
    RecordingDatagramPort port;
    page::PageSender sender{port};
    CSavedMessageList savedMessages{
        savedFolder.filePath(QStringLiteral("saved/Message.sav")).toStdString()};
    FixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(9, 56, 9))};
    QWidget mainWindow;
    std::vector<std::string> chats;
    page::PageWindowContext context{settings,
                                    sender,
                                    savedMessages,
                                    clock,
                                    &mainWindow,
                                    [this](QWidget *, const std::string &destination) {
                                        chats.push_back(destination);
                                    }};
    RecordedMessageBoxes boxes;
};
