#include "controls/common/PictureProperty.h"

#include "controls/common/CQvControlBase.h"
#include "controls/common/PropertyExchange.h"
#include "platform/ole/StdPicture.h"

#include <QMetaObject>
#include <QWidget>
#include <memory>

namespace qv {

bool PictureProperty::get(ole::DispId id, ole::Variant &result) const
{
    if (id != m_id)
        return false;
    const auto &picture = m_holder.Picture();
    result = ole::DispatchPtr(picture ? picture : std::make_shared<ole::StdPicture>());
    return true;
}

bool PictureProperty::put(ole::DispId id, const ole::Variant &value, ole::ExcepInfo *error,
                          ole::HRESULT &hr)
{
    if (id != m_id)
        return false;
    hr = set(value, error);
    return true;
}

ole::HRESULT PictureProperty::set(const ole::Variant &value, ole::ExcepInfo *error)
{
    const auto object = ole::toDispatch(value);
    const auto picture = object ? std::dynamic_pointer_cast<ole::StdPicture>(*object) : nullptr;
    if (!object || (*object && !picture))
        return ole::DISP_E_TYPEMISMATCH;
    using Type = ole::StdPicture::Type;
    if (picture && picture->type() != Type::None && picture->type() != Type::Uninitialized &&
        picture->type() != Type::Bitmap)
        return m_control.RaiseControlError(CQvControlBase::ERROR_INVALID_PROPERTY_VALUE, error);
    m_holder.SetPicture(picture);
    m_control.NotifyPropertyChanged(m_id);
    return ole::S_OK;
}

void PictureProperty::exchange(PropertyExchange &exchange)
{
    auto picture = m_holder.Picture();
    exchange.exchange(picture);
    if (exchange.isLoading())
        m_holder.SetPicture(std::move(picture));
}

bool PictureProperty::isUninitialized() const
{
    const auto &picture = m_holder.Picture();
    return !picture || picture->type() == ole::StdPicture::Type::Uninitialized;
}

QSize PictureProperty::fittedSize(int bevelSize) const
{
    return m_holder.NaturalSize() + QSize(2 * bevelSize, 2 * bevelSize);
}

void PictureProperty::resizeAfterPaint(QWidget *window, QSize size)
{
    QMetaObject::invokeMethod(
        window,
        [window, size] {
            window->resize(size);
            window->update();
        },
        Qt::QueuedConnection);
}

} // namespace qv
