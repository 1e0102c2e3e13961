#pragma once

#include "platform/ole/ControlSite.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// A container side that records what the control tells it.
class RecordingControlSite : public ole::ControlSite {
public:
    void fireEvent(ole::DispId event, std::span<ole::Variant> args) override
    {
        events.emplace_back(event, std::vector<ole::Variant>(args.begin(), args.end()));
        if (onEvent)
            onEvent(event, args);
    }
    void propertyChanged(ole::DispId id) override { changed.push_back(id); }
    bool requestEdit(ole::DispId) override { return allowEdits; }
    ole::Variant ambientProperty(ole::DispId id) override
    {
        if (id == ole::DISPID_AMBIENT_USERMODE)
            return userMode;
        if (id == ole::DISPID_AMBIENT_DISPLAYNAME)
            return displayName;
        return {};
    }
    std::string formatValue(const ole::Variant &value, std::string_view format) override
    {
        return formatter ? formatter(value, format) : std::string();
    }
    void modalDialog(bool starting) override { modal.push_back(starting); }

    std::vector<std::pair<ole::DispId, std::vector<ole::Variant>>> events;
    std::vector<ole::DispId> changed;
    std::vector<bool> modal;
    bool allowEdits = true;
    std::string displayName = "QvTest1";
    bool userMode = true;
    std::function<std::string(const ole::Variant &, std::string_view)> formatter;
    // Runs as the handler of every event, e.g. to change an argument passed by reference.
    std::function<void(ole::DispId, std::span<ole::Variant>)> onEvent;
};
