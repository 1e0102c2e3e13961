#include "app/ProgramWindows.h"

#include "net/CStreamSocket.h"
#include "net/SocketTypes.h"
#include "tests/support/SocketTestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// Until the chat window exists, a waiting chat connection is taken and closed at once, so the
// caller is not left waiting for an answer that will not come.
TEST(ProgramWindows, AWaitingChatConnectionIsTakenAndClosed)
{
    WinSockSession session;
    RecordingWindow owner;
    CStreamSocket listener(&owner, 1);
    const std::uint16_t port = FreePort(SOCK_STREAM);
    ASSERT_EQ(listener.Create(port), SOCK_OK);

    PeerSocket caller(SOCK_STREAM);
    const timeval hangGuard{20, 0};
    ::setsockopt(caller.fd(), SOL_SOCKET, SO_RCVTIMEO, &hangGuard, sizeof hangGuard);
    ASSERT_TRUE(caller.connectTo(port));
    ASSERT_TRUE(owner.waitFor(SN_ACCEPT));

    app::ProgramWindows windows;
    windows.openIncomingChat(nullptr, listener);
    char byte = 0;
    EXPECT_EQ(::recv(caller.fd(), &byte, 1, 0), 0); // the end of the stream, at once
    listener.Close();
}

} // namespace
