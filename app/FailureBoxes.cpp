#include "app/FailureBoxes.h"

#include <utility>

namespace app {

void FailureBoxes::report(Kind kind, const std::function<void(const std::string &extra)> &show)
{
    State &state = m_states[static_cast<std::size_t>(kind)];
    if (state.open) {
        ++state.more;
        return;
    }
    state.open = true;
    show({});
    while (state.more > 0) {
        const int more = std::exchange(state.more, 0);
        show("\n\nThe same happened " + std::to_string(more) +
             (more == 1 ? " more time" : " more times") + " while this message was open.");
    }
    state.open = false;
}

} // namespace app
