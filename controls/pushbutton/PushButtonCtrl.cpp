#include "controls/pushbutton/PushButtonCtrl.h"

#include "platform/ole/ControlSite.h"
#include "platform/ole/Himetric.h"
#include "platform/ole/StreamReader.h"
#include "platform/ole/StreamWriter.h"
#include "platform/text/Ansi.h"

#include <cmath>
#include <utility>

namespace pushbutton {

namespace {

constexpr ole::MemberName kMembers[] = {
    {"Caption", ole::DISPID_CAPTION},     {"Enabled", ole::DISPID_ENABLED},
    {"BackColor", ole::DISPID_BACKCOLOR}, {"ForeColor", ole::DISPID_FORECOLOR},
    {"hWnd", ole::DISPID_HWND},           {"Refresh", ole::DISPID_REFRESH},
};

} // namespace

PushButtonCtrl::~PushButtonCtrl()
{
    QObject::disconnect(m_clickConnection);
}

ole::HRESULT PushButtonCtrl::getProperty(ole::DispId id, ole::Variant &result, ole::ExcepInfo *)
{
    switch (id) {
    case ole::DISPID_CAPTION:
        result = m_caption;
        return ole::S_OK;
    case ole::DISPID_ENABLED:
        result = m_enabled;
        return ole::S_OK;
    case ole::DISPID_BACKCOLOR:
        result = static_cast<std::int32_t>(m_backColor);
        return ole::S_OK;
    case ole::DISPID_FORECOLOR:
        result = static_cast<std::int32_t>(m_foreColor);
        return ole::S_OK;
    case ole::DISPID_HWND:
        // There are no native window handles here.
        result = std::int32_t{0};
        return ole::S_OK;
    default:
        return ole::DISP_E_MEMBERNOTFOUND;
    }
}

ole::HRESULT PushButtonCtrl::putProperty(ole::DispId id, const ole::Variant &value,
                                         ole::ExcepInfo *)
{
    switch (id) {
    case ole::DISPID_CAPTION: {
        const auto caption = ole::toString(value);
        if (!caption)
            return ole::DISP_E_TYPEMISMATCH;
        m_caption = *caption;
        break;
    }
    case ole::DISPID_ENABLED: {
        const auto enabled = ole::toBool(value);
        if (!enabled)
            return ole::DISP_E_TYPEMISMATCH;
        m_enabled = *enabled;
        break;
    }
    case ole::DISPID_BACKCOLOR:
    case ole::DISPID_FORECOLOR: {
        const auto colour = ole::toLong(value);
        if (!colour)
            return ole::DISP_E_TYPEMISMATCH;
        (id == ole::DISPID_BACKCOLOR ? m_backColor : m_foreColor) =
            static_cast<std::uint32_t>(*colour);
        break;
    }
    default:
        return ole::DISP_E_MEMBERNOTFOUND;
    }
    updateWindow();
    return ole::S_OK;
}

ole::HRESULT PushButtonCtrl::invoke(ole::DispId id, std::span<ole::Variant> args, ole::Variant *,
                                    ole::ExcepInfo *)
{
    if (id != ole::DISPID_REFRESH)
        return ole::DISP_E_MEMBERNOTFOUND;
    if (!args.empty())
        return ole::DISP_E_BADPARAMCOUNT;
    if (m_button)
        m_button->repaint();
    return ole::S_OK;
}

ole::DispId PushButtonCtrl::idOfName(std::string_view name)
{
    return ole::findMemberId(kMembers, name);
}

void PushButtonCtrl::setClientSite(ole::ControlSite *site)
{
    m_site = site;
}

ole::HRESULT PushButtonCtrl::initNew()
{
    m_caption.clear();
    if (m_site)
        m_caption = ole::toString(m_site->ambientProperty(ole::DISPID_AMBIENT_DISPLAYNAME))
                        .value_or(std::string());
    m_enabled = true;
    updateWindow();
    return ole::S_OK;
}

ole::HRESULT PushButtonCtrl::load(std::span<const std::uint8_t> stream)
{
    // Everything is read before anything changes, so a damaged stream leaves the button as it
    // was.
    ole::StreamReader reader(stream);
    std::uint32_t version = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::string caption;
    std::uint8_t enabled = 0;
    if (!reader.readU32(version))
        return ole::STG_E_READFAULT;
    if (version >> 16 != kStreamVersion >> 16)
        return ole::E_FAIL;
    if (!reader.readI32(width) || !reader.readI32(height) || !reader.readString(caption) ||
        !reader.readU8(enabled))
        return ole::STG_E_READFAULT;
    m_extentWidth = width;
    m_extentHeight = height;
    m_caption = std::move(caption);
    m_enabled = enabled != 0;
    updateWindow();
    return ole::S_OK;
}

ole::HRESULT PushButtonCtrl::save(std::vector<std::uint8_t> &stream)
{
    std::vector<std::uint8_t> bytes;
    ole::StreamWriter writer(bytes);
    writer.writeU32(kStreamVersion);
    writer.writeI32(m_extentWidth);
    writer.writeI32(m_extentHeight);
    if (!writer.writeString(m_caption))
        return ole::E_FAIL;
    writer.writeU8(m_enabled ? 1 : 0);
    stream = std::move(bytes);
    return ole::S_OK;
}

QWidget *PushButtonCtrl::createWindow(QWidget *parent, const QRect &geometry)
{
    delete m_button.data();
    m_button = new QPushButton(parent);
    m_button->setAutoDefault(false);
    m_button->setDefault(false);
    m_button->setGeometry(geometry);
    m_extentWidth = ole::PixelsToHimetric(geometry.width(), m_button->logicalDpiX());
    m_extentHeight = ole::PixelsToHimetric(geometry.height(), m_button->logicalDpiY());
    QObject::disconnect(m_clickConnection);
    m_clickConnection =
        QObject::connect(m_button, &QPushButton::clicked, m_button, [this] { onClicked(); });
    updateWindow();
    m_button->show();
    return m_button;
}

QWidget *PushButtonCtrl::window() const
{
    return m_button;
}

void PushButtonCtrl::ambientPropertyChanged(ole::DispId) {}

void PushButtonCtrl::onClicked()
{
    if (m_enabled && m_site)
        m_site->fireEvent(ole::DISPID_CLICK, {});
}

void PushButtonCtrl::updateWindow()
{
    if (!m_button)
        return;
    // Qt reads "&" as the access key and "&&" as a literal ampersand, as the caption means.
    m_button->setText(text::fromAnsi(m_caption));
    m_button->setEnabled(m_enabled);
}

} // namespace pushbutton
