#pragma once

#include "controls/common/PageInfo.h"
#include "controls/marquee/CQvMarqueeCtrl.h"
#include "controls/marquee/Qvmq200TypeLib.h"
#include "platform/ole/PropertyPage.h"

#include <string_view>

// The marquee's property pages: general, and the margins of its picture and caption areas.
namespace qvmq200 {

using Field = qv::PageField;
using Kind = qv::PageField::Kind;

inline constexpr std::string_view kStyleTexts[] = {
    "0 - Moving caption, cycle Pic 1-3", "1 - Moving caption, static Pic 1",
    "2 - Static caption, cycle Pic 1-3", "3 - Static caption, static Pic 1"};

inline constexpr Field kGeneralFields[] = {
    {Kind::List, "&FontStyle:", DISPID_FONTSTYLE, {}, "FontStyleConstants"},
    {Kind::List, "&Style:", DISPID_STYLE, kStyleTexts},
    {Kind::Number, "&Interval:", DISPID_INTERVAL},
};
inline constexpr qv::PageInfo kGeneralPage{
    {0xBABD3DEB, 0x8C16, 0x408B, {0xB0, 0x63, 0xB3, 0x6E, 0x8D, 0x9F, 0x50, 0xBB}},
    "QVMQ200.QvMarqueePropPage.1",
    "General",
    &CQvMarqueeCtrl::kClassInfo,
    kGeneralFields,
    true,
};

inline constexpr Field kMarginFields[] = {
    {Kind::Number, "Picture&Top:", DISPID_PICTURETOP},
    {Kind::Number, "Picture&Left:", DISPID_PICTURELEFT},
    {Kind::Number, "Picture&Right:", DISPID_PICTURERIGHT},
    {Kind::Number, "PictureB&ottom:", DISPID_PICTUREBOTTOM},
    {Kind::Number, "CaptionTo&p:", DISPID_CAPTIONTOP},
    {Kind::Number, "CaptionL&eft:", DISPID_CAPTIONLEFT},
    {Kind::Number, "CaptionRig&ht:", DISPID_CAPTIONRIGHT},
    {Kind::Number, "CaptionBotto&m:", DISPID_CAPTIONBOTTOM},
};
inline constexpr qv::PageInfo kMarginPage{
    {0xA337E602, 0xCC6C, 0x4382, {0x9E, 0x8C, 0x0D, 0x16, 0x0B, 0xC9, 0x91, 0x7C}},
    "Qvmarq32.CQvMarqueePropPage1",
    "Marque",
    &CQvMarqueeCtrl::kClassInfo,
    kMarginFields,
};

inline constexpr ole::Clsid kPropertyPages[] = {
    kGeneralPage.clsid,        kMarginPage.clsid,           ole::CLSID_StockFontPage,
    ole::CLSID_StockColorPage, ole::CLSID_StockPicturePage,
};

} // namespace qvmq200
