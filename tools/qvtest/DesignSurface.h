#pragma once

#include "controls/common/TypeInfo.h"
#include "platform/ole/Registry.h"
#include "platform/ole/Variant.h"
#include "platform/ui/ControlContainer.h"

#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace ole {
class Control;
}

// The surface qvtest designs on: a container on a host widget that places any registered control,
// switches all of them between design and run mode, tells in lines of text what they fire and
// which properties they notify, reads and writes their properties through dispatch after their
// type information, and saves and loads their persisted streams. It offers the controls the
// formatting service of ValueFormatter.
class DesignSurface {
public:
    struct Placed {
        int id;
        ole::ClassEntry entry;
        std::string name; // the display name the control sees
    };
    struct Property {
        std::string name;
        std::string type;
        std::string value;
        bool editable;
    };
    using LogHandler = std::function<void(const std::string &line)>;
    using ChangeHandler = std::function<void(int id)>;

    // Starts in design mode.
    explicit DesignSurface(QWidget *host);

    // Told each event and property change, as a line.
    void setLogHandler(LogHandler handler);
    // Told the id of a control whose properties changed.
    void setChangeHandler(ChangeHandler handler);

    // Places a control of `entry`'s class at `geometry`, new (empty stream) or from `stream`. Its
    // id, or 0 with `error` telling why it could not be made.
    int place(const ole::ClassEntry &entry, const QRect &geometry,
              std::span<const std::uint8_t> stream, QString &error);
    void remove(int id);
    void setGeometry(int id, const QRect &geometry);
    const std::vector<Placed> &placed() const { return m_placed; }
    ole::Control *control(int id) const;
    // The placed control `id`; null when there is none.
    const Placed *find(int id) const;

    void setUserMode(bool userMode);
    bool userMode() const { return m_userMode; }

    // The properties its type information lists, in its order, with their current values. None
    // for a class without type information.
    std::vector<Property> properties(int id) const;
    // Puts the value `text` into the property `name`; empty when the control took it, else why
    // not.
    QString putProperty(int id, std::string_view name, std::string_view text);

    // The control's persisted stream; nullopt with `error` telling why.
    std::optional<std::vector<std::uint8_t>> stream(int id, QString &error) const;
    // Writes the control's stream to the file `path`; false with `error` telling why.
    bool saveStream(int id, const QString &path, QString &error) const;
    // Places a control of `entry`'s class loaded from the stream in the file `path`. Its id, or 0
    // with `error` telling why the file was refused.
    int loadStream(const ole::ClassEntry &entry, const QRect &geometry, const QString &path,
                   QString &error);

private:
    const qv::TypeLibInfo *typeLib(int id) const;
    void logEvent(int id, ole::DispId event, std::span<ole::Variant> args);
    void logChange(int id, ole::DispId property);
    // The line for control `id`: its name, a colon and `text`.
    void log(int id, const std::string &text);

    ui::ControlContainer m_container;
    std::vector<Placed> m_placed;
    int m_nextId = 1;
    bool m_userMode = false;
    LogHandler m_log;
    ChangeHandler m_changed;
};
