#include "net/ReportWinSockError.h"

#include "tests/support/RecordedMessageBoxes.h"

#include <gtest/gtest.h>

TEST(ReportWinSockError, ShowsExclamationBoxCaptionedWithTheProgramTitle)
{
    RecordedMessageBoxes boxes;
    EXPECT_EQ(ReportWinSockError(10048, "Datagram failure Initializing"), ui::IDOK);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Tarvil32");
    EXPECT_EQ(boxes[0].icon, ui::MessageIcon::Exclamation);
    EXPECT_EQ(boxes[0].text,
              "WinSock error 10048: Address already in use\nDatagram failure Initializing");
}
