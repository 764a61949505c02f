// SPDX-License-Identifier: MIT
#pragma once

#include "RuntimeError.h"

#include <utility>

namespace runtime {

// Ends the program at once: the event loop is left, and no handler of the
// program runs after this one.
void end();
bool hasEnded();

// Delivers one event to a handler. An error that the handler does not take
// care of itself abandons the handler: the window lives on, and nothing is
// shown or logged.
template<typename Handler> void deliver(Handler &&handler)
{
    if (hasEnded())
        return;
    try {
        std::forward<Handler>(handler)();
    } catch (const RuntimeError &) {
    }
}

} // namespace runtime
