// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>

// Positions and sizes in the window are kept in twips, 1/1440 inch: 15 to the
// device-independent pixel, which Qt scales on high-DPI screens.
namespace Twips {

constexpr int perPixel = 15;

constexpr int toPixels(int twips)
{
    return twips / perPixel;
}

constexpr QRect toPixels(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace Twips
