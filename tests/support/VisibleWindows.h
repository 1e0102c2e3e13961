#pragma once

#include <QApplication>
#include <QWidget>
#include <vector>

// The visible top-level windows of class T, and the first of them (null when none).
template <typename T> std::vector<T *> visibleWindows()
{
    std::vector<T *> found;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<T *>(widget); window && window->isVisible())
            found.push_back(window);
    return found;
}

template <typename T> T *visibleWindow()
{
    const auto found = visibleWindows<T>();
    return found.empty() ? nullptr : found.front();
}
