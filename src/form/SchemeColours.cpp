// SPDX-License-Identifier: MIT
#include "form/SchemeColours.h"

#include <cmath>

namespace {

// A fixed colour written 0x00BBGGRR, red in the low byte.
QColor fixedColour(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

const QColor blue = fixedColour(0x00FF0000);
const QColor darkBlue = fixedColour(0x00C00000);

// WCAG's level AA for text.
constexpr double legibleContrast = 4.5;

double luminance(const QColor &colour)
{
    const auto linear = [](float channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

bool isDark(const QPalette &palette)
{
    return luminance(palette.color(QPalette::Window)) < luminance(palette.color(QPalette::WindowText));
}

// Windows' high-contrast schemes, and those like them elsewhere, paint
// windows and text boxes alike, with text of the highest contrast (WCAG's
// level AAA). Ordinary schemes set their boxes apart from the window.
bool isHighContrast(const QPalette &palette)
{
    return palette.color(QPalette::Window) == palette.color(QPalette::Base) &&
           SchemeColours::contrast(palette.color(QPalette::WindowText), palette.color(QPalette::Window)) >=
               7 &&
           SchemeColours::contrast(palette.color(QPalette::Text), palette.color(QPalette::Base)) >= 7;
}

// The first colour that stands out from the background; else black or white,
// whichever stands out more.
QColor legible(const QColor &background, std::initializer_list<QColor> colours)
{
    for (const QColor &colour : colours)
        if (SchemeColours::contrast(colour, background) >= legibleContrast)
            return colour;
    const QColor black(Qt::black), white(Qt::white);
    return SchemeColours::contrast(black, background) >= SchemeColours::contrast(white, background) ? black
                                                                                                    : white;
}

// A palette that sets every role itself, so that a widget given it inherits
// none from the application's.
QPalette whole(const QPalette &palette)
{
    QPalette copy;
    for (int group = 0; group < QPalette::NColorGroups; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = QPalette::ColorGroup(group);
            const auto r = QPalette::ColorRole(role);
            if (r != QPalette::NoRole)
                copy.setBrush(g, r, palette.brush(g, r));
        }
    return copy;
}

} // namespace

double SchemeColours::contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The window keeps the light look it was designed in under every ordinary
// scheme, dark ones included, with any colour that would not stand out 4.5:1
// from its background replaced; it gives way entirely to a high-contrast
// scheme, whose own colours then paint every control.
SchemeColours SchemeColours::choose(const QPalette &scheme)
{
    // In a dark scheme's place, Qt's own light one, built from its grey: white
    // text boxes and highlighted text, black text; the scheme's accent stays.
    QPalette designed(QColor(239, 239, 239));
    designed.setColor(QPalette::Highlight, scheme.color(QPalette::Active, QPalette::Highlight));
    const bool highContrast = isHighContrast(scheme);
    const QPalette &base = highContrast || !isDark(scheme) ? scheme : designed;
    const auto colour = [&base](QPalette::ColorRole role) { return base.color(QPalette::Active, role); };

    // System colour 14, the highlighted-text colour, for the form and the
    // faces of the buttons; a high-contrast scheme's own window and buttons.
    const QColor background = highContrast ? colour(QPalette::Window) : colour(QPalette::HighlightedText);
    const QColor face = highContrast ? colour(QPalette::Button) : background;
    const QColor text = colour(QPalette::WindowText);
    const QColor boxes = colour(QPalette::Base);
    const QColor typed = colour(QPalette::Text);

    SchemeColours colours;
    colours.form = whole(base);
    colours.form.setColor(QPalette::Window, background);
    colours.form.setColor(QPalette::WindowText, legible(background, {text}));
    colours.form.setColor(QPalette::Text, legible(boxes, {typed}));
    colours.prompt = legible(background, {highContrast ? text : blue, text});
    colours.cartridgePrompt = legible(background, {highContrast ? text : darkBlue, text});
    colours.typed = legible(boxes, {highContrast ? typed : blue, typed});
    colours.buttonFace = face;
    colours.buttonText = legible(face, {colour(QPalette::ButtonText), text});
    colours.highContrast = highContrast;
    return colours;
}
