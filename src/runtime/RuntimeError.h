// SPDX-License-Identifier: MIT
#pragma once

#include <exception>

namespace runtime {

// The numbered errors that the runtime's operations raise.
enum class ErrorNumber : int {
    None = 0,
    InvalidArgument = 5,
    Overflow = 6,
    DivisionByZero = 11,
    TypeMismatch = 13,
};

class RuntimeError : public std::exception
{
public:
    explicit RuntimeError(ErrorNumber number) noexcept
        : m_number(number)
    {}

    ErrorNumber number() const noexcept { return m_number; }
    const char *what() const noexcept override;

private:
    ErrorNumber m_number;
};

[[noreturn]] void raiseError(ErrorNumber number);

} // namespace runtime
