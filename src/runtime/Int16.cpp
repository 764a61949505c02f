// SPDX-License-Identifier: MIT
#include "Int16.h"

#include "RuntimeError.h"

#include <limits>

namespace runtime {

namespace {

std::int16_t narrowed(int value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        raiseError(ErrorNumber::Overflow);
    return static_cast<std::int16_t>(value);
}

} // namespace

std::int16_t checkedAdd(std::int16_t a, std::int16_t b)
{
    return narrowed(int(a) + int(b));
}

std::int16_t checkedMultiply(std::int16_t a, std::int16_t b)
{
    return narrowed(int(a) * int(b));
}

} // namespace runtime
