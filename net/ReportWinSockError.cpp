#include "net/ReportWinSockError.h"

#include "net/WinSockErrors.h"
#include "platform/ui/MessageBox.h"

int ReportWinSockError(int code, std::optional<std::string_view> context)
{
    return ui::MessageBox(nullptr, WinSockErrorMessage(code, context), "Tarvil32",
                          ui::MessageIcon::Exclamation);
}
