#pragma once

#include "controls/qvrun32/CQVPictureHolder.h"
#include "platform/ole/Types.h"
#include "platform/ole/Variant.h"

#include <QSize>

class QWidget;

namespace qv {

class CQvControlBase;
class PropertyExchange;

// A control's Picture property: a bitmap drawn behind the control's content, which the control
// may size itself to. It holds no picture until one is set or loaded.
class PictureProperty {
public:
    // The property `id` of `control`.
    PictureProperty(CQvControlBase &control, ole::DispId id) : m_control(control), m_id(id) {}

    // Get and put of the property; false for other identifiers. A get answers the picture
    // held, or a new empty one that the property does not keep: reading the property never
    // changes what the control saves. A put takes no picture, an empty one, an uninitialised
    // one or a bitmap; any other picture raises error 380 and keeps the old one.
    bool get(ole::DispId id, ole::Variant &result) const;
    bool put(ole::DispId id, const ole::Variant &value, ole::ExcepInfo *error, ole::HRESULT &hr);
    void reset() { m_holder.SetPicture(nullptr); }
    void exchange(PropertyExchange &exchange);

    // True when there is a picture to draw.
    bool holdsPicture() const { return !m_holder.IsEmpty(); }
    // True when no picture object is held, or one that was never given a picture.
    bool isUninitialized() const;
    qvrun32::CQVPictureHolder &holder() { return m_holder; }

    // The size of a control fitted to the picture: its size in pixels with `bevelSize` pixels
    // on every side.
    QSize fittedSize(int bevelSize) const;
    // Resizes `window` to `size` and repaints it once the paint under way is over: a window must
    // not change its size while it paints.
    static void resizeAfterPaint(QWidget *window, QSize size);

private:
    ole::HRESULT set(const ole::Variant &value, ole::ExcepInfo *error);

    CQvControlBase &m_control;
    ole::DispId m_id;
    qvrun32::CQVPictureHolder m_holder;
};

} // namespace qv
