#pragma once

#include <array>
#include <functional>
#include <string>

namespace app {

// Keeps failures that the network can repeat from opening message boxes inside message boxes. A
// box runs its own event loop, in which the next failure of the same kind would open the next box
// inside it, without end. While the box of a kind is open, further failures of that kind are
// only counted; when it closes, one more box says how many there were.
class FailureBoxes {
public:
    enum class Kind { ReadError, SendError, ReceiptError, PageNotShown, ChatRefused };

    // Shows the failure's box through `show` unless a box of its kind is open. `show` is given
    // what to add to its text: nothing for the failure itself, and a sentence with the count of
    // the failures that came while it was open, for the box that follows it.
    void report(Kind kind, const std::function<void(const std::string &extra)> &show);

private:
    struct State {
        bool open = false;
        int more = 0;
    };
    std::array<State, 5> m_states;
};

} // namespace app
