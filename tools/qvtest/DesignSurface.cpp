#include "tools/qvtest/DesignSurface.h"

#include "platform/ole/Control.h"
#include "platform/text/Ansi.h"
#include "tools/qvtest/ControlTypeLibraries.h"
#include "tools/qvtest/StreamFile.h"
#include "tools/qvtest/ValueFormatter.h"
#include "tools/qvtest/ValueText.h"

#include <QWidget>
#include <algorithm>

namespace {

// "error 0x" and the eight hex digits of `hr`.
QString hexCode(ole::HRESULT hr)
{
    return QString::fromStdString(ValueText::show(ole::ErrorValue{hr}));
}

// The name of member `id` in `members`; empty when it is not there.
std::string_view memberName(std::span<const qv::MemberInfo> members, ole::DispId id)
{
    const auto member = std::ranges::find(members, id, &qv::MemberInfo::id);
    return member == members.end() ? std::string_view() : member->name;
}

bool isProperty(const qv::MemberInfo &member)
{
    return !(member.flags & qv::Method);
}

bool isEditable(const qv::MemberInfo &member)
{
    return !(member.flags & qv::ReadOnly) && member.type != qv::ValueType::Font &&
           member.type != qv::ValueType::Picture && member.type != qv::ValueType::Handle;
}

} // namespace

DesignSurface::DesignSurface(QWidget *host) : m_container(host, false)
{
    m_container.setEventHandler([this](int id, ole::DispId event, std::span<ole::Variant> args) {
        logEvent(id, event, args);
    });
    m_container.setPropertyChangedHandler(
        [this](int id, ole::DispId property) { logChange(id, property); });
    m_container.setFormatHandler(&ValueFormatter::format);
}

void DesignSurface::setLogHandler(LogHandler handler)
{
    m_log = std::move(handler);
}

void DesignSurface::setChangeHandler(ChangeHandler handler)
{
    m_changed = std::move(handler);
}

int DesignSurface::place(const ole::ClassEntry &entry, const QRect &geometry,
                         std::span<const std::uint8_t> stream, QString &error)
{
    const int id = m_nextId++;
    const qv::TypeLibInfo *info = ControlTypeLibraries::find(entry.clsid);
    const std::string name =
        (info ? std::string(info->coclass) : std::string("Control")) + std::to_string(id);
    QWidget *window = m_container.createControl(id, entry.clsid, stream, geometry, name);
    if (!m_container.control(id)) {
        // The container left its placeholder, named after the step that failed.
        error = QStringLiteral("%1 cannot be made: %2")
                    .arg(QString::fromStdString(entry.progId), window->objectName());
        m_container.removeControl(id);
        return 0;
    }
    window->show();
    m_placed.push_back({id, entry, name});
    return id;
}

void DesignSurface::remove(int id)
{
    m_container.removeControl(id);
    std::erase_if(m_placed, [id](const Placed &placed) { return placed.id == id; });
}

void DesignSurface::setGeometry(int id, const QRect &geometry)
{
    if (const ole::Control *hosted = control(id); hosted && hosted->window())
        hosted->window()->setGeometry(geometry);
}

ole::Control *DesignSurface::control(int id) const
{
    return m_container.control(id);
}

void DesignSurface::setUserMode(bool userMode)
{
    m_userMode = userMode;
    m_container.setUserMode(userMode);
}

std::vector<DesignSurface::Property> DesignSurface::properties(int id) const
{
    std::vector<Property> properties;
    ole::Control *hosted = control(id);
    const qv::TypeLibInfo *info = typeLib(id);
    if (!hosted || !info)
        return properties;
    for (const qv::MemberInfo &member : info->members) {
        if (!isProperty(member))
            continue;
        std::string type(ValueText::typeName(member.type));
        if (!member.enumeration.empty())
            type += " (" + std::string(member.enumeration) + ")";
        ole::Variant value;
        const ole::HRESULT hr = hosted->getProperty(member.id, value);
        properties.push_back({std::string(member.name), type,
                              ole::failed(hr)
                                  ? "(cannot be read: " + hexCode(hr).toStdString() + ")"
                                  : ValueText::show(value, member.type),
                              isEditable(member)});
    }
    return properties;
}

QString DesignSurface::putProperty(int id, std::string_view name, std::string_view text)
{
    ole::Control *hosted = control(id);
    const qv::TypeLibInfo *info = typeLib(id);
    if (!hosted || !info)
        return QStringLiteral("No such control.");
    const ole::DispId dispid = hosted->idOfName(name);
    const auto member = std::ranges::find(info->members, dispid, &qv::MemberInfo::id);
    if (dispid == ole::DISPID_UNKNOWN || member == info->members.end() || !isProperty(*member))
        return QStringLiteral("The control has no property %1.")
            .arg(QString::fromStdString(std::string(name)));
    const auto value = ValueText::parse(text, member->type);
    if (!value)
        return QStringLiteral("\"%1\" is no %2 value.")
            .arg(text::fromAnsi(text),
                 QString::fromStdString(std::string(ValueText::typeName(member->type))));
    ole::ExcepInfo refusal;
    // An error the control raised tells its own code (0x800A0000 and its number); any other
    // failure is told by the call's result.
    if (const ole::HRESULT hr = hosted->putProperty(dispid, *value, &refusal); ole::failed(hr))
        return QStringLiteral("The control refuses the value: %1 (%2)")
            .arg(refusal.description.empty() ? QStringLiteral("no reason given")
                                             : text::fromAnsi(refusal.description),
                 hexCode(ole::failed(refusal.scode) ? refusal.scode : hr));
    return {};
}

std::optional<std::vector<std::uint8_t>> DesignSurface::stream(int id, QString &error) const
{
    ole::Control *hosted = control(id);
    if (!hosted) {
        error = QStringLiteral("No such control.");
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    if (const ole::HRESULT hr = hosted->save(bytes); ole::failed(hr)) {
        error = QStringLiteral("The control cannot save its properties (%1).").arg(hexCode(hr));
        return std::nullopt;
    }
    return bytes;
}

bool DesignSurface::saveStream(int id, const QString &path, QString &error) const
{
    const auto bytes = stream(id, error);
    return bytes && StreamFile::write(path, *bytes, error);
}

int DesignSurface::loadStream(const ole::ClassEntry &entry, const QRect &geometry,
                              const QString &path, QString &error)
{
    const auto bytes = StreamFile::read(path, error);
    return bytes ? place(entry, geometry, *bytes, error) : 0;
}

const DesignSurface::Placed *DesignSurface::find(int id) const
{
    const auto placed = std::ranges::find(m_placed, id, &Placed::id);
    return placed == m_placed.end() ? nullptr : &*placed;
}

const qv::TypeLibInfo *DesignSurface::typeLib(int id) const
{
    const Placed *placed = find(id);
    return placed ? ControlTypeLibraries::find(placed->entry.clsid) : nullptr;
}

void DesignSurface::logEvent(int id, ole::DispId event, std::span<ole::Variant> args)
{
    const qv::TypeLibInfo *info = typeLib(id);
    std::string name(info ? memberName(info->events, event) : std::string_view());
    if (name.empty())
        name = "event " + std::to_string(event);
    std::string line = name + "(";
    for (std::size_t i = 0; i < args.size(); ++i)
        line += (i ? ", " : "") + ValueText::show(args[i]);
    log(id, line + ")");
}

void DesignSurface::logChange(int id, ole::DispId property)
{
    const qv::TypeLibInfo *info = typeLib(id);
    const std::string_view name = info ? memberName(info->members, property) : std::string_view();
    log(id, "property " + std::to_string(property) +
                (name.empty() ? std::string() : " (" + std::string(name) + ")") + " changed");
    if (m_changed)
        m_changed(id);
}

void DesignSurface::log(int id, const std::string &text)
{
    const Placed *placed = find(id);
    if (m_log)
        m_log((placed ? placed->name : "control " + std::to_string(id)) + ": " + text);
}
