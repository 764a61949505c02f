// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace runtime {

// 16-bit signed arithmetic in which every operation is checked for overflow.
// The operands are widened to int first, so the check itself cannot overflow.
std::int16_t checkedAdd(std::int16_t a, std::int16_t b);
std::int16_t checkedMultiply(std::int16_t a, std::int16_t b);

} // namespace runtime
