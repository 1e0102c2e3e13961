#include "memory/BalloonHelp.h"

#include "app/Settings.h"
#include "app/SettingsKeys.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ToolTipControl.h"

#include <algorithm>
#include <climits>

namespace memory {

void AddBalloonTexts(ui::ToolTipControl &balloon, const ui::Dialog &window,
                     std::span<const BalloonText> texts)
{
    for (const BalloonText &tool : texts)
        balloon.AddTool(window.GetDlgItem(tool.controlId), tool.text);
}

// Balloon delays are stored in seconds; anything beyond what milliseconds can hold is clamped.
void SetBalloonDelay(ui::ToolTipControl &balloon, int seconds)
{
    balloon.SetDelayTime(std::clamp(seconds, 0, INT_MAX / 1000) * 1000);
}

void ApplyBalloonSettings(ui::ToolTipControl &balloon, const app::Settings &settings)
{
    if (settings.isOn(keys::kBalloonsOff)) {
        balloon.Activate(false);
        return;
    }
    balloon.Activate(true);
    if (const std::optional<int> delay = settings.number(keys::kBalloonDelay))
        SetBalloonDelay(balloon, *delay);
}

std::unique_ptr<ui::ToolTipControl> CreateWindowBalloons(ui::Dialog &window,
                                                         std::span<const BalloonText> tools,
                                                         const app::Settings &settings)
{
    auto balloon = std::make_unique<ui::ToolTipControl>(&window);
    if (!settings.isOn(keys::kBalloonsOff))
        AddBalloonTexts(*balloon, window, tools);
    ApplyBalloonSettings(*balloon, settings);
    return balloon;
}

} // namespace memory
