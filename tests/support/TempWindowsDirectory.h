#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <QtGlobal>

// A private Windows directory for one test: settings, registrations and win.ini land there.
class TempWindowsDirectory {
public:
    TempWindowsDirectory()
        : m_previous(qgetenv("TARVIL_WINDIR")),
          m_hadPrevious(qEnvironmentVariableIsSet("TARVIL_WINDIR"))
    {
        qputenv("TARVIL_WINDIR", m_dir.path().toLocal8Bit());
    }
    ~TempWindowsDirectory()
    {
        if (m_hadPrevious)
            qputenv("TARVIL_WINDIR", m_previous);
        else
            qunsetenv("TARVIL_WINDIR");
    }
    TempWindowsDirectory(const TempWindowsDirectory &) = delete;
    TempWindowsDirectory &operator=(const TempWindowsDirectory &) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious;
};
