#pragma once

#include "controls/common/CQvControlBase.h"
#include "controls/common/FormattedCaption.h"
#include "controls/common/PanelProperties.h"
#include "controls/common/PictureProperty.h"

#include <cstdint>

namespace qv3dfrm {

// The 3-D frame: a bordered, bevelled panel with an optional picture or wallpaper and a
// one-line caption along its top. The program puts one behind each window and behind groups
// of controls; child windows of a frame take its fill and text colours.
class CQv3dfrmCtrl : public qv::CQvControlBase {
public:
    static constexpr ole::Clsid kClsid{
        0xA49F71D7, 0xE142, 0x46A4, {0xA5, 0x24, 0x3D, 0x95, 0x30, 0x04, 0xE4, 0xC6}};
    static constexpr ole::Clsid kTypeLibId{
        0x374BED1E, 0xB2AB, 0x420E, {0x91, 0x41, 0x55, 0x33, 0x4A, 0xEF, 0x23, 0x4A}};
    static const qv::ControlClassInfo kClassInfo;

    static constexpr ole::DispId DISPID_MOUSEPOINTER = 1;
    static constexpr ole::DispId DISPID_FONTBOLD = 2;
    static constexpr ole::DispId DISPID_FONTITALIC = 3;
    static constexpr ole::DispId DISPID_FONTNAME = 4;
    static constexpr ole::DispId DISPID_FONTSIZE = 5;
    static constexpr ole::DispId DISPID_FONTSTRIKETHRU = 6;
    static constexpr ole::DispId DISPID_FONTUNDERLINE = 7;
    static constexpr ole::DispId DISPID_ALIGNMENT = 8;
    static constexpr ole::DispId DISPID_AUTOSIZE = 9;
    static constexpr ole::DispId DISPID_BEVELSIZE = 10;
    static constexpr ole::DispId DISPID_BEVELSTYLE = 11;
    static constexpr ole::DispId DISPID_BORDERCOLOR = 12;
    static constexpr ole::DispId DISPID_BORDERSTYLE = 13;
    static constexpr ole::DispId DISPID_FILLCOLOR = 14;
    static constexpr ole::DispId DISPID_FONTSTYLE = 15;
    static constexpr ole::DispId DISPID_FONTTRANSPARENT = 16;
    static constexpr ole::DispId DISPID_LIGHTCOLOR = 17;
    static constexpr ole::DispId DISPID_SHADOWCOLOR = 18;
    static constexpr ole::DispId DISPID_TEXTCOLOR = 19;
    static constexpr ole::DispId DISPID_WALLPAPER = 20;
    static constexpr ole::DispId DISPID_PICTURE = 21;
    static constexpr ole::DispId DISPID_NOPREFIX = 22;
    static constexpr ole::DispId DISPID_MOUSEICON = 23;
    static constexpr ole::DispId DISPID_FORMATSTRING = 24;
    static constexpr ole::DispId DISPID_CAPTION = ole::DISPID_CAPTION;

    // How much lower the caption sits under a bevel shadowed to the left, beyond the bevel.
    static constexpr int kShadowedLeftCaptionDrop = 8;

    CQv3dfrmCtrl();

protected:
    ole::HRESULT getControlProperty(ole::DispId id, ole::Variant &result,
                                    ole::ExcepInfo *error) override;
    ole::HRESULT putControlProperty(ole::DispId id, const ole::Variant &value,
                                    ole::ExcepInfo *error) override;
    void resetProperties() override;
    void exchangeProperties(qv::PropertyExchange &exchange) override;
    void propertiesLoaded() override { m_caption.loaded(); }
    void onDraw(QPainter &painter, const QRect &bounds) override;
    void windowCreated() override;
    std::pair<qv::OLE_COLOR, qv::OLE_COLOR> childColors() const override;

private:
    // Resizes the control to its picture when AutoSize asks for it; true when the paint is to
    // stop there.
    bool autoSizeToPicture(const QSize &current);
    // Where the caption goes in the frame's `interior`.
    QRect captionRect(const QRect &interior) const;

    static constexpr std::int16_t kResetBorderStyle = 1;

    qv::FormattedCaption m_caption;
    qv::PictureProperty m_picture;
    qv::PanelProperties m_panel{kResetBorderStyle};
    qv::Bool m_noPrefix;
    // Set when the frame has just resized itself to its picture; the next paint clears it.
    bool m_autoSized = false;
};

} // namespace qv3dfrm
