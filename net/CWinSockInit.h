#pragma once

#include "platform/winsock/WinSock.h"

// The program's use of WinSock, started once before any socket and ended after the last one is
// closed.
class CWinSockInit {
public:
    explicit CWinSockInit(winsock::WORD version);

    // SOCK_OK, or SOCK_ERROR with WSAStartup's result kept as LastError.
    int Start();
    // SOCK_OK, or SOCK_ERROR with WSAGetLastError kept as LastError.
    int End();

    int LastError() const { return m_result; }
    // The implementation's description, filled in by Start.
    const winsock::WSADATA &Data() const { return m_data; }

private:
    winsock::WORD m_version;
    int m_result = 0;
    winsock::WSADATA m_data{};
};
