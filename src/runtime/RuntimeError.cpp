// SPDX-License-Identifier: MIT
#include "RuntimeError.h"

namespace runtime {

const char *RuntimeError::what() const noexcept
{
    switch (m_number) {
    case ErrorNumber::None:
        break;
    case ErrorNumber::InvalidArgument:
        return "Invalid argument";
    case ErrorNumber::Overflow:
        return "Overflow";
    case ErrorNumber::DivisionByZero:
        return "Division by zero";
    case ErrorNumber::TypeMismatch:
        return "Type mismatch";
    }
    return "Runtime error";
}

void raiseError(ErrorNumber number)
{
    throw RuntimeError(number);
}

} // namespace runtime
