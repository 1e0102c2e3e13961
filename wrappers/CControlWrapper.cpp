#include "wrappers/CControlWrapper.h"

#include "platform/ole/Control.h"
#include "platform/ui/ControlContainer.h"

#include <QWidget>
#include <algorithm>

bool CControlWrapper::Create(std::string_view windowName, const std::vector<std::string> &styles,
                             const QRect &rect, ui::ControlContainer &parent, int id,
                             std::span<const std::uint8_t> persisted)
{
    const auto has = [&styles](std::string_view style) {
        return std::find(styles.begin(), styles.end(), style) != styles.end();
    };
    QWidget *window = parent.createControl(id, m_clsid, persisted, rect, windowName);
    window->setVisible(has("WS_VISIBLE"));
    Attach(parent.control(id));
    if (!IsBound())
        return false;
    if (has("WS_DISABLED"))
        parent.enableWindow(id, false);
    return true;
}

void CControlWrapper::Refresh()
{
    InvokeMethod(ole::DISPID_REFRESH);
}

void CControlWrapper::AboutBox()
{
    InvokeMethod(ole::DISPID_ABOUTBOX);
}
