#pragma once

#include <QTemporaryDir>
#include <QtGlobal>

// Points the Windows directory at a fresh temporary folder for as long as it lives, so each test
// has a private registry.ini.
class TemporaryWindowsDirectory {
public:
    TemporaryWindowsDirectory() { qputenv("TARVIL_WINDIR", m_directory.path().toLocal8Bit()); }
    ~TemporaryWindowsDirectory() { qunsetenv("TARVIL_WINDIR"); }
    TemporaryWindowsDirectory(const TemporaryWindowsDirectory &) = delete;
    TemporaryWindowsDirectory &operator=(const TemporaryWindowsDirectory &) = delete;

    QString path() const { return m_directory.path(); }

private:
    QTemporaryDir m_directory;
};
