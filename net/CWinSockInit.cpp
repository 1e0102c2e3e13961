#include "net/CWinSockInit.h"

#include "net/SocketTypes.h"

CWinSockInit::CWinSockInit(winsock::WORD version) : m_version(version) {}

int CWinSockInit::Start()
{
    m_result = winsock::WSAStartup(m_version, &m_data);
    return m_result == 0 ? SOCK_OK : SOCK_ERROR;
}

int CWinSockInit::End()
{
    if (winsock::WSACleanup() == 0)
        return SOCK_OK;
    m_result = winsock::WSAGetLastError();
    return SOCK_ERROR;
}
