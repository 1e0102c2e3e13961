#include "tests/controls/testcontrol/ClickArea.h"

#include <QMouseEvent>

namespace testcontrol {

void ClickArea::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

} // namespace testcontrol
