#pragma once

#include "controls/common/PageInfo.h"
#include "controls/text3d/CQv3dTextCtrl.h"
#include "platform/ole/PropertyPage.h"

// The 3-D text box's property page; its lists are filled from the type library.
namespace qvgtxt {

using Field = qv::PageField;
using Kind = qv::PageField::Kind;
using Ctrl = CQv3dTextCtrl;

inline constexpr Field kGeneralFields[] = {
    {Kind::Number, "&TextLength:", Ctrl::DISPID_TEXTLENGTH},
    {Kind::Number, "Be&velSize:", Ctrl::DISPID_BEVELSIZE},
    {Kind::List, "&Alignment:", Ctrl::DISPID_ALIGNMENT, {}, "AlignmentConstants"},
    {Kind::List, "B&evelStyle:", Ctrl::DISPID_BEVELSTYLE, {}, "BevelStyleInnerConstants"},
    {Kind::List, "B&orderStyle:", Ctrl::DISPID_BORDERSTYLE, {}, "BorderStyleConstants"},
    {Kind::List, "&ScrollBars:", Ctrl::DISPID_SCROLLBARS, {}, "ScrollBarsConstants"},
    {Kind::Check, "&DataLength", Ctrl::DISPID_DATALENGTH},
    {Kind::Check, "&ReadOnly", Ctrl::DISPID_READONLY},
    {Kind::Check, "&Multiline", Ctrl::DISPID_MULTILINE},
};
inline constexpr qv::PageInfo kGeneralPage{
    {0xF6043636, 0xA581, 0x4B53, {0xAC, 0x66, 0x82, 0x67, 0x7B, 0x4A, 0xA3, 0xCB}},
    "QVGTXT.Qv3dTextPropPage.1",
    "General",
    &Ctrl::kClassInfo,
    kGeneralFields,
    true,
};

inline constexpr ole::Clsid kPropertyPages[] = {
    kGeneralPage.clsid,
    ole::CLSID_StockColorPage,
    ole::CLSID_StockFontPage,
};

} // namespace qvgtxt
