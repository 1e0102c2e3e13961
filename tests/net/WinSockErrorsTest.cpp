#include "net/WinSockErrors.h"

#include <gtest/gtest.h>

TEST(WinSockErrorMessage, KnownCodeShowsNumberTextAndContext)
{
    EXPECT_EQ(WinSockErrorMessage(10048, "Datagram failure Initializing"),
              "WinSock error 10048: Address already in use\nDatagram failure Initializing");
    EXPECT_EQ(WinSockErrorMessage(10061, std::nullopt),
              "WinSock error 10061: Connection refused\n");
    EXPECT_EQ(WinSockErrorMessage(11004, std::nullopt),
              "WinSock error 11004: Valid name, no data record of requested type\n");
    EXPECT_EQ(WinSockErrorMessage(10004, std::nullopt),
              "WinSock error 10004: Interrupted system call\n");
    EXPECT_EQ(WinSockErrorMessage(10101, std::nullopt), "WinSock error 10101: Disconnect\n");
}

TEST(WinSockErrorMessage, UnknownCodesHideTheNumber)
{
    EXPECT_EQ(WinSockErrorMessage(0, "Failed to write delivery receipt"),
              "Not a WinSock error\nFailed to write delivery receipt");
    for (int code : {-1, 10000, 10005, 10072, 10090, 11000, 11005})
        EXPECT_EQ(WinSockErrorMessage(code, std::nullopt), "Not a WinSock error\n") << code;
}

TEST(WinSockErrorMessage, ContextThatDoesNotFitTheBufferIsLeftOut)
{
    // "WinSock error 10054: Connection reset by peer" is 45 characters; with the line feed the
    // context has 953 characters left before the 1000-character buffer is full.
    const std::string first = "WinSock error 10054: Connection reset by peer\n";
    EXPECT_EQ(WinSockErrorMessage(10054, std::string(953, 'x')), first + std::string(953, 'x'));
    EXPECT_EQ(WinSockErrorMessage(10054, std::string(954, 'x')), first);
    EXPECT_EQ(WinSockErrorMessage(10054, std::string(990, 'x')), first);
}
