#pragma once

#include "platform/ui/MessageBox.h"

#include <algorithm>
#include <functional>
#include <vector>

// Answers every message box with OK while it lives, and keeps what each one showed.
class RecordedMessageBoxes {
public:
    RecordedMessageBoxes()
        : m_previous(ui::setMessageBoxHandler([this](const ui::MessageBoxRequest &request) {
              m_boxes.push_back(request);
              ++m_open;
              deepest = std::max(deepest, m_open);
              if (whileOpen)
                  whileOpen(request);
              --m_open;
              return ui::IDOK;
          }))
    {}
    ~RecordedMessageBoxes() { ui::setMessageBoxHandler(m_previous); }
    RecordedMessageBoxes(const RecordedMessageBoxes &) = delete;
    RecordedMessageBoxes &operator=(const RecordedMessageBoxes &) = delete;

    std::size_t size() const { return m_boxes.size(); }
    bool empty() const { return m_boxes.empty(); }
    const ui::MessageBoxRequest &operator[](std::size_t index) const { return m_boxes[index]; }

    // Runs while a box is up, as the events a real box handles would.
    std::function<void(const ui::MessageBoxRequest &)> whileOpen;
    // The most boxes that were ever up at once.
    int deepest = 0;

private:
    int m_open = 0;
    std::vector<ui::MessageBoxRequest> m_boxes;
    ui::MessageBoxHandler m_previous;
};
