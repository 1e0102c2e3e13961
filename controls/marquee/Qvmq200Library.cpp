// The marquee library's entry points, and its twips conversions for whoever draws beside it.

#include "controls/common/QvControlLibrary.h"
#include "controls/common/QvPropertyPage.h"
#include "controls/common/Units.h"
#include "controls/marquee/CQvMarqueeCtrl.h"
#include "controls/marquee/Qvmq200Pages.h"
#include "platform/ole/LibraryExports.h"

using Library =
    qv::QvControlLibrary<qvmq200::CQvMarqueeCtrl, qv::QvPropertyPage<qvmq200::kGeneralPage>,
                         qv::QvPropertyPage<qvmq200::kMarginPage>>;

TARVIL_DLL_EXPORT ole::HRESULT DllRegisterServer()
{
    return Library::registerServer();
}

TARVIL_DLL_STANDARD_ENTRY_POINTS(Library)

// Twips to pixels at the horizontal or vertical resolution of `device`, or of the display when
// it is null: 705 twips are 47 pixels at 96 dpi.
TARVIL_DLL_EXPORT int XTwipsToPixels(int twips, const QPaintDevice *device)
{
    return qv::XTwipsToPixels(twips, device);
}

TARVIL_DLL_EXPORT int YTwipsToPixels(int twips, const QPaintDevice *device)
{
    return qv::YTwipsToPixels(twips, device);
}
