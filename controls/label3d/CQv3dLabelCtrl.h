#pragma once

#include "controls/common/CQvControlBase.h"
#include "controls/common/FormattedCaption.h"
#include "controls/common/PanelProperties.h"
#include "controls/common/PictureProperty.h"

#include <cstdint>

namespace qv3dlbl {

// The 3-D label: a caption inside a bordered, bevelled panel, over an optional picture, with
// raised or lowered lettering, turned text and a caption the container may format. The
// program's static texts and headings are such labels.
class CQv3dLabelCtrl : public qv::CQvControlBase {
public:
    static constexpr ole::Clsid kClsid{
        0x550FA24F, 0x5C89, 0x4232, {0x95, 0xB0, 0xB3, 0x4B, 0xDF, 0x47, 0x90, 0x60}};
    static constexpr ole::Clsid kTypeLibId{
        0x823D8F9E, 0xEC55, 0x4568, {0xBA, 0x5F, 0x7A, 0x37, 0xF4, 0xBA, 0x6A, 0xAE}};
    static const qv::ControlClassInfo kClassInfo;

    static constexpr ole::DispId DISPID_MOUSEPOINTER = 1;
    static constexpr ole::DispId DISPID_CAPTION = 2;
    static constexpr ole::DispId DISPID_FONTBOLD = 3;
    static constexpr ole::DispId DISPID_FONTITALIC = 4;
    static constexpr ole::DispId DISPID_FONTNAME = 5;
    static constexpr ole::DispId DISPID_FONTSIZE = 6;
    static constexpr ole::DispId DISPID_FONTSTRIKETHRU = 7;
    static constexpr ole::DispId DISPID_FONTUNDERLINE = 8;
    static constexpr ole::DispId DISPID_ALIGNMENT = 9;
    static constexpr ole::DispId DISPID_AUTOSIZE = 10;
    static constexpr ole::DispId DISPID_BEVELSIZE = 11;
    static constexpr ole::DispId DISPID_BEVELSTYLE = 12;
    static constexpr ole::DispId DISPID_BORDERCOLOR = 13;
    static constexpr ole::DispId DISPID_BORDERSTYLE = 14;
    static constexpr ole::DispId DISPID_FILLCOLOR = 15;
    static constexpr ole::DispId DISPID_FONTSTYLE = 16;
    static constexpr ole::DispId DISPID_FONTTRANSPARENT = 17;
    static constexpr ole::DispId DISPID_LIGHTCOLOR = 18;
    static constexpr ole::DispId DISPID_SHADOWCOLOR = 19;
    static constexpr ole::DispId DISPID_TEXTCOLOR = 20;
    static constexpr ole::DispId DISPID_WALLPAPER = 21;
    static constexpr ole::DispId DISPID_PICTURE = 22;
    static constexpr ole::DispId DISPID_BEVELSTYLEINSIDE = 23;
    static constexpr ole::DispId DISPID_BEVELSIZEINSIDE = 24;
    static constexpr ole::DispId DISPID_MULTILINE = 25;
    static constexpr ole::DispId DISPID_FONTESCAPEMENT = 26;
    static constexpr ole::DispId DISPID_FONTORIENTATION = 27;
    static constexpr ole::DispId DISPID_VALIGNMENT = 28;
    static constexpr ole::DispId DISPID_NOPREFIX = 29;
    static constexpr ole::DispId DISPID_GLOBALMEM = 30;
    static constexpr ole::DispId DISPID_MOUSEICON = 31;
    static constexpr ole::DispId DISPID_FORMATSTRING = 32;
    static constexpr ole::DispId DISPID_BEVELSIZEINNER = 33;
    static constexpr ole::DispId DISPID_BEVELSTYLEINNER = 34;

    // FontEscapement and FontOrientation in tenths of a degree.
    static constexpr std::int16_t kFullTurn = 3600;

    CQv3dLabelCtrl();

protected:
    ole::HRESULT getControlProperty(ole::DispId id, ole::Variant &result,
                                    ole::ExcepInfo *error) override;
    ole::HRESULT putControlProperty(ole::DispId id, const ole::Variant &value,
                                    ole::ExcepInfo *error) override;
    void resetProperties() override;
    void exchangeProperties(qv::PropertyExchange &exchange) override;
    void propertiesLoaded() override { m_caption.loaded(); }
    void onDraw(QPainter &painter, const QRect &bounds) override;

private:
    ole::HRESULT putFontEscapement(const ole::Variant &value, ole::ExcepInfo *error);
    // Resizes the control to its picture when AutoSize asks for it and the size is more than a
    // few pixels off.
    void autoSizeToPicture(const QSize &current);
    // Where the caption goes in `bounds`.
    QRect textRect(const QRect &bounds) const;
    // The text-format flags of the caption.
    unsigned textFormat() const;

    // The label's own properties held here, with the values of a new control.
    struct Properties {
        // BevelStyleInner and BevelSizeInner, also named BevelStyleInside and BevelSizeInside.
        std::int16_t bevelStyleInner = 0;
        std::int16_t bevelSizeInner = 0;
        qv::Bool multiline;
        std::int16_t fontEscapement = 0;
        std::int16_t fontOrientation = 0;
        std::int16_t vAlignment = 2;
        qv::Bool noPrefix;
        qv::Bool globalMem;
    };
    static constexpr std::int16_t kResetBorderStyle = 0;

    qv::FormattedCaption m_caption;
    qv::PictureProperty m_picture;
    qv::PanelProperties m_panel{kResetBorderStyle};
    Properties m_props;
};

} // namespace qv3dlbl
