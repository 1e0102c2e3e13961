#pragma once

#include "platform/ui/MessageBox.h"

#include <vector>

// Answers every message box with OK while it lives, and keeps what each one showed.
class RecordedMessageBoxes {
public:
    RecordedMessageBoxes()
        : m_previous(ui::setMessageBoxHandler([this](const ui::MessageBoxRequest &request) {
              m_boxes.push_back(request);
              return ui::IDOK;
          }))
    {}
    ~RecordedMessageBoxes() { ui::setMessageBoxHandler(m_previous); }
    RecordedMessageBoxes(const RecordedMessageBoxes &) = delete;
    RecordedMessageBoxes &operator=(const RecordedMessageBoxes &) = delete;

    std::size_t size() const { return m_boxes.size(); }
    bool empty() const { return m_boxes.empty(); }
    const ui::MessageBoxRequest &operator[](std::size_t index) const { return m_boxes[index]; }

private:
    std::vector<ui::MessageBoxRequest> m_boxes;
    ui::MessageBoxHandler m_previous;
};
