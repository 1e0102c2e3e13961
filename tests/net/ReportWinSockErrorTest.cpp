#include "net/ReportWinSockError.h"

#include "platform/ui/MessageBox.h"

#include <gtest/gtest.h>

TEST(ReportWinSockError, ShowsExclamationBoxCaptionedWithTheProgramTitle)
{
    ui::MessageBoxRequest seen;
    auto previous = ui::setMessageBoxHandler([&](const ui::MessageBoxRequest &request) {
        seen = request;
        return ui::IDOK;
    });
    EXPECT_EQ(ReportWinSockError(10048, "Datagram failure Initializing"), ui::IDOK);
    ui::setMessageBoxHandler(previous);

    EXPECT_EQ(seen.caption, "Tarvil32");
    EXPECT_EQ(seen.icon, ui::MessageIcon::Exclamation);
    EXPECT_EQ(seen.text,
              "WinSock error 10048: Address already in use\nDatagram failure Initializing");
}
