// SPDX-License-Identifier: MIT
#pragma once

#include "RuntimeError.h"

#include <optional>
#include <type_traits>
#include <utility>

namespace runtime {

// Resume mode for one handler: each statement runs on its own, and a runtime
// error abandons that statement only; the handler goes on with the next one.
// The number of the last error stays readable, as a handler may want it.
class ResumeMode
{
public:
    // Runs a statement; true when it completed.
    template<typename Statement> bool run(Statement &&statement)
    {
        try {
            std::forward<Statement>(statement)();
            return true;
        } catch (const RuntimeError &error) {
            m_lastError = error.number();
            return false;
        }
    }

    // Runs a statement that yields a value; nothing when it failed.
    template<typename Expression>
    auto evaluate(Expression &&expression) -> std::optional<std::invoke_result_t<Expression>>
    {
        try {
            return std::forward<Expression>(expression)();
        } catch (const RuntimeError &error) {
            m_lastError = error.number();
            return std::nullopt;
        }
    }

    ErrorNumber lastError() const noexcept { return m_lastError; }

private:
    ErrorNumber m_lastError = ErrorNumber::None;
};

} // namespace runtime
