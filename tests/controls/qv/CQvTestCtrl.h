#pragma once

#include "controls/common/CQvControlBase.h"

#include <cstdint>
#include <memory>
#include <string>

namespace qvtest {

// A small display control on the shared layer, for the tests: a caption, one property of each
// persisted kind, the font sub-properties, MousePointer and MouseIcon, and the stock events.
class CQvTestCtrl : public qv::CQvControlBase {
public:
    static constexpr ole::Clsid kClsid{
        0x3BFC9996, 0x4E07, 0x4F7D, {0xAD, 0x00, 0xB9, 0xBE, 0xC2, 0xCE, 0x36, 0x42}};
    static constexpr ole::Clsid kTypeLibId{
        0xCEC5947E, 0x5F97, 0x43A1, {0xAB, 0xF1, 0x5A, 0x9F, 0xE1, 0xBF, 0xD6, 0xA0}};
    static const qv::ControlClassInfo kClassInfo;

    static constexpr ole::DispId DISPID_FLAG = 1;      // BOOL
    static constexpr ole::DispId DISPID_COUNT = 2;     // short, 0..100
    static constexpr ole::DispId DISPID_NUMBER = 3;    // long
    static constexpr ole::DispId DISPID_TEXTCOLOR = 4; // colour
    static constexpr ole::DispId DISPID_NOTE = 5;      // string
    static constexpr ole::DispId DISPID_PICTURE = 6;   // picture
    static constexpr ole::DispId DISPID_MOUSEPOINTER = 7;
    static constexpr ole::DispId DISPID_MOUSEICON = 8;
    static constexpr ole::DispId DISPID_FONTNAME = 9;
    static constexpr ole::DispId DISPID_FONTSIZE = 10;
    static constexpr ole::DispId DISPID_FONTBOLD = 11;
    static constexpr ole::DispId DISPID_FONTITALIC = 12;
    static constexpr ole::DispId DISPID_FONTSTRIKETHRU = 13;
    static constexpr ole::DispId DISPID_FONTUNDERLINE = 14;

    CQvTestCtrl();

protected:
    ole::HRESULT getControlProperty(ole::DispId id, ole::Variant &result,
                                    ole::ExcepInfo *error) override;
    ole::HRESULT putControlProperty(ole::DispId id, const ole::Variant &value,
                                    ole::ExcepInfo *error) override;
    void resetProperties() override;
    void exchangeProperties(qv::PropertyExchange &exchange) override;
    void onDraw(QPainter &painter, const QRect &bounds) override;

private:
    qv::Bool m_flag;
    std::int16_t m_count = 0;
    std::int32_t m_number = 0;
    qv::OLE_COLOR m_textColor = 0;
    std::string m_note;
    std::shared_ptr<ole::StdPicture> m_picture;
};

} // namespace qvtest
