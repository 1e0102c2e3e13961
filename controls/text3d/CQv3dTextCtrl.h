#pragma once

#include "controls/common/CQvControlBase.h"

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <string>
#include <string_view>

class QPlainTextEdit;

namespace qvgtxt {

// The 3-D text box: an edit field inside a bordered, bevelled frame that the control draws
// around it, with its own fill and text colours, scroll bars, alignment, a length limit and a
// read-only mode. The chat window lists what is sent and received in such boxes.
//
// The field is one QPlainTextEdit whether the box is Multiline or not: a box that is not
// Multiline is the same field without word wrap, scrolling sideways, that drops Enter; a text
// with line breaks still shows its lines in it. The field holds plain text only, whatever the
// text looks like. It exists while the container runs its windows; a box being designed is
// drawn, frame and text, by the control.
class CQv3dTextCtrl : public qv::CQvControlBase {
public:
    static constexpr ole::Clsid kClsid{
        0x7F5B66D2, 0x02C7, 0x4839, {0xAE, 0x0F, 0xC7, 0x84, 0xFC, 0x59, 0x94, 0xBC}};
    static constexpr ole::Clsid kTypeLibId{
        0xE8379BBB, 0xFF83, 0x45D5, {0xB9, 0x44, 0xDF, 0x5A, 0x0F, 0x36, 0xB2, 0x4F}};
    static const qv::ControlClassInfo kClassInfo;

    static constexpr ole::DispId DISPID_MOUSEPOINTER = 1;
    static constexpr ole::DispId DISPID_FONTBOLD = 2;
    static constexpr ole::DispId DISPID_FONTITALIC = 3;
    static constexpr ole::DispId DISPID_FONTNAME = 4;
    static constexpr ole::DispId DISPID_FONTSIZE = 5;
    static constexpr ole::DispId DISPID_FONTSTRIKETHRU = 6;
    static constexpr ole::DispId DISPID_FONTUNDERLINE = 7;
    static constexpr ole::DispId DISPID_ALIGNMENT = 8;
    static constexpr ole::DispId DISPID_BEVELSIZE = 9;
    static constexpr ole::DispId DISPID_BEVELSTYLE = 10;
    static constexpr ole::DispId DISPID_BORDERCOLOR = 11;
    static constexpr ole::DispId DISPID_BORDERSTYLE = 12;
    static constexpr ole::DispId DISPID_FILLCOLOR = 13;
    static constexpr ole::DispId DISPID_LIGHTCOLOR = 14;
    static constexpr ole::DispId DISPID_SHADOWCOLOR = 15;
    static constexpr ole::DispId DISPID_TEXTCOLOR = 16;
    static constexpr ole::DispId DISPID_MULTILINE = 17;
    static constexpr ole::DispId DISPID_SCROLLBARS = 18;
    static constexpr ole::DispId DISPID_SELLENGTH = 19;
    static constexpr ole::DispId DISPID_SELSTART = 20;
    static constexpr ole::DispId DISPID_SELTEXT = 21;
    static constexpr ole::DispId DISPID_TEXTLENGTH = 22;
    static constexpr ole::DispId DISPID_DATALENGTH = 23;
    static constexpr ole::DispId DISPID_READONLY = 24;
    static constexpr ole::DispId DISPID_MOUSEICON = 25;

    // Events of the box's own.
    static constexpr ole::DispId DISPID_CHANGE = 1;
    static constexpr ole::DispId DISPID_KEYPRESS = 2;

    // The highest TextLength, and the limit of a box whose TextLength is 0: no box holds more,
    // however much text it is given.
    static constexpr std::int32_t kMaxTextLength = 0xFFFF;

    CQv3dTextCtrl();

protected:
    ole::HRESULT getControlProperty(ole::DispId id, ole::Variant &result,
                                    ole::ExcepInfo *error) override;
    ole::HRESULT putControlProperty(ole::DispId id, const ole::Variant &value,
                                    ole::ExcepInfo *error) override;
    void resetProperties() override;
    void exchangeProperties(qv::PropertyExchange &exchange) override;
    void propertiesLoaded() override;
    void onDraw(QPainter &painter, const QRect &bounds) override;
    bool windowEvent(QEvent *event) override;
    void windowCreated() override;
    std::pair<qv::OLE_COLOR, qv::OLE_COLOR> childColors() const override;
    bool acceptsCharacter(std::int16_t keyAscii) const override;
    void propertiesApplied() override;

private:
    // A selection in the box's positions (line breaks counting two).
    struct Selection {
        int start = 0;
        int end = 0;
    };
    // The range of the field's last change, in the field's positions.
    struct Insertion {
        int from = 0;
        int added = 0;
    };

    ole::HRESULT putText(const ole::Variant &value);
    ole::HRESULT putSelText(const ole::Variant &value);
    ole::HRESULT putSelection(ole::DispId id, const ole::Variant &value);
    // TextLength or BevelStyle, each checked against its values.
    ole::HRESULT putNumber(ole::DispId id, const ole::Variant &value, ole::ExcepInfo *error);
    // FillColor or TextColor, each with the stock colour it becomes.
    ole::HRESULT putColor(ole::DispId id, const ole::Variant &value, ole::ExcepInfo *error);

    // The length limit in force.
    int lengthLimit() const;
    // The frame's width on every side.
    int frameWidth() const;
    Selection selection() const;
    // Selects from `anchor` to `position`, each kept within the text.
    void select(std::int64_t anchor, std::int64_t position);

    // Makes the field while the container runs its windows, drops it while it designs them, and
    // brings it up to date with the properties.
    void updateEdit();
    void createEdit(QWidget &box);
    // Puts the field inside the frame.
    void placeEdit();
    // Lets go of the field: nothing it does reaches the control any more.
    void releaseEdit();
    // The field's text as the box's.
    std::string editText() const;
    // Replaces the field's text, or its selection, with `text`; the control's own change, which
    // the length limit leaves alone and which raises no Change of itself.
    void writeEdit(std::string_view text, bool selectionOnly);
    // The field changed: what was typed or pasted beyond the length limit goes, and a new text
    // raises Change.
    void editChanged();
    void keepToLimit();
    // Change, when `before` is not the text any more; false when a handler ended the control.
    bool changed(const std::string &before);

    // The box's own properties, with the values of a new control.
    struct Properties {
        std::int16_t alignment = 0;
        std::int16_t bevelSize = 0;
        std::int16_t bevelStyle = 0;
        qv::OLE_COLOR borderColor = qv::systemColor(qv::COLOR_WINDOWFRAME);
        std::int16_t borderStyle = 0;
        qv::OLE_COLOR fillColor = qv::systemColor(qv::COLOR_BTNFACE);
        qv::OLE_COLOR lightColor = qv::systemColor(qv::COLOR_WINDOW);
        qv::OLE_COLOR shadowColor = qv::systemColor(qv::COLOR_BTNSHADOW);
        qv::OLE_COLOR textColor = qv::systemColor(qv::COLOR_WINDOWTEXT);
        qv::Bool multiline;
        std::int16_t scrollBars = 0;
        std::string text;
        std::int32_t textLength = 0;
        qv::Bool dataLength;
        qv::Bool readOnly;
    };

    Properties m_props;
    QPointer<QPlainTextEdit> m_edit;
    // The context of the connections to the field: they end with the control.
    QObject m_editSignals;
    Insertion m_inserted;
    bool m_writing = false; // the control itself is changing the field's text
};

} // namespace qvgtxt
