#include "tests/controls/testcontrol/TestCtrl.h"

#include "platform/ole/ControlSite.h"
#include "platform/ole/StreamReader.h"
#include "platform/ole/StreamWriter.h"
#include "tests/controls/testcontrol/ClickArea.h"

#include <utility>

namespace testcontrol {

namespace {

constexpr std::uint32_t kStreamVersion = 0x00010000;

constexpr ole::MemberName kMembers[] = {
    {"Flag", TestCtrl::DISPID_FLAG},     {"Count", TestCtrl::DISPID_COUNT},
    {"Number", TestCtrl::DISPID_NUMBER}, {"Label", TestCtrl::DISPID_LABEL},
    {"Add", TestCtrl::DISPID_ADD},
};

bool validCount(std::int16_t count)
{
    return count >= 0 && count <= 100;
}

} // namespace

TestCtrl::~TestCtrl()
{
    QObject::disconnect(m_clickConnection);
}

ole::HRESULT TestCtrl::getProperty(ole::DispId id, ole::Variant &result, ole::ExcepInfo *)
{
    switch (id) {
    case DISPID_FLAG:
        result = m_flag;
        return ole::S_OK;
    case DISPID_COUNT:
        result = m_count;
        return ole::S_OK;
    case DISPID_NUMBER:
        result = m_number;
        return ole::S_OK;
    case DISPID_LABEL:
        result = m_label;
        return ole::S_OK;
    default:
        return ole::DISP_E_MEMBERNOTFOUND;
    }
}

ole::HRESULT TestCtrl::putProperty(ole::DispId id, const ole::Variant &value, ole::ExcepInfo *error)
{
    switch (id) {
    case DISPID_FLAG: {
        const auto flag = ole::toBool(value);
        if (!flag)
            return ole::DISP_E_TYPEMISMATCH;
        m_flag = *flag;
        return ole::S_OK;
    }
    case DISPID_COUNT: {
        const auto count = ole::toShort(value);
        if (!count)
            return ole::DISP_E_TYPEMISMATCH;
        if (!validCount(*count)) {
            if (error)
                *error = {kInvalidPropertyValue, "TestCtrl", "Invalid property value", -1};
            return ole::DISP_E_EXCEPTION;
        }
        m_count = *count;
        return ole::S_OK;
    }
    case DISPID_NUMBER: {
        const auto number = ole::toLong(value);
        if (!number)
            return ole::DISP_E_TYPEMISMATCH;
        if (m_site && !m_site->requestEdit(DISPID_NUMBER))
            return ole::S_OK;
        m_number = *number;
        if (m_site)
            m_site->propertyChanged(DISPID_NUMBER);
        return ole::S_OK;
    }
    case DISPID_LABEL: {
        const auto label = ole::toString(value);
        if (!label)
            return ole::DISP_E_TYPEMISMATCH;
        m_label = *label;
        return ole::S_OK;
    }
    default:
        return ole::DISP_E_MEMBERNOTFOUND;
    }
}

ole::HRESULT TestCtrl::invoke(ole::DispId id, std::span<ole::Variant> args, ole::Variant *result,
                              ole::ExcepInfo *)
{
    if (id != DISPID_ADD)
        return ole::DISP_E_MEMBERNOTFOUND;
    if (args.size() != 1)
        return ole::DISP_E_BADPARAMCOUNT;
    const auto addend = ole::toLong(args[0]);
    if (!addend)
        return ole::DISP_E_TYPEMISMATCH;
    m_number = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_number) +
                                         static_cast<std::uint32_t>(*addend));
    if (result)
        *result = m_number;
    return ole::S_OK;
}

ole::DispId TestCtrl::idOfName(std::string_view name)
{
    return ole::findMemberId(kMembers, name);
}

void TestCtrl::setClientSite(ole::ControlSite *site)
{
    m_site = site;
}

ole::HRESULT TestCtrl::initNew()
{
    m_flag = false;
    m_count = 0;
    m_number = 0;
    m_label = m_site ? ole::toString(m_site->ambientProperty(ole::DISPID_AMBIENT_DISPLAYNAME))
                           .value_or(std::string())
                     : std::string();
    return ole::S_OK;
}

ole::HRESULT TestCtrl::load(std::span<const std::uint8_t> stream)
{
    ole::StreamReader reader(stream);
    std::uint32_t version = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint8_t flag = 0;
    std::int16_t count = 0;
    std::int32_t number = 0;
    std::string label;
    if (!reader.readU32(version) || !reader.readI32(width) || !reader.readI32(height) ||
        !reader.readU8(flag) || !reader.readI16(count) || !reader.readI32(number) ||
        !reader.readString(label))
        return ole::STG_E_READFAULT;
    if (version != kStreamVersion || !validCount(count))
        return ole::E_FAIL;
    m_flag = flag != 0;
    m_count = count;
    m_number = number;
    m_label = std::move(label);
    return ole::S_OK;
}

ole::HRESULT TestCtrl::save(std::vector<std::uint8_t> &stream)
{
    std::vector<std::uint8_t> bytes;
    ole::StreamWriter writer(bytes);
    writer.writeU32(kStreamVersion);
    writer.writeI32(0);
    writer.writeI32(0);
    writer.writeU8(m_flag ? 1 : 0);
    writer.writeI16(m_count);
    writer.writeI32(m_number);
    if (!writer.writeString(m_label))
        return ole::E_FAIL;
    stream = std::move(bytes);
    return ole::S_OK;
}

QWidget *TestCtrl::createWindow(QWidget *parent, const QRect &geometry)
{
    delete m_window.data();
    auto *area = new ClickArea(parent);
    m_clickConnection = QObject::connect(area, &ClickArea::clicked, area, [this] {
        if (m_site)
            m_site->fireEvent(ole::DISPID_CLICK, {});
    });
    area->setGeometry(geometry);
    area->show();
    m_window = area;
    return area;
}

QWidget *TestCtrl::window() const
{
    return m_window;
}

void TestCtrl::ambientPropertyChanged(ole::DispId) {}

} // namespace testcontrol
