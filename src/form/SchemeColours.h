// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPalette>

// The colours of the window under the user's colour scheme, chosen in one
// place so that every text stays legible on what lies behind it.
struct SchemeColours
{
    // The form's own palette, which its controls inherit: the form's
    // background is its Window, the resonance box takes Base and Text.
    QPalette form;
    QColor prompt;          // the prompts, the date, the clock, the credit and the rule
    QColor cartridgePrompt; // the cartridge-weight prompt
    QColor typed;           // what is typed into the four input boxes
    QColor buttonFace;
    QColor buttonText;
    // A high-contrast scheme, whose colours must paint the faces of the
    // buttons and boxes too, where a native style would draw its own.
    bool highContrast = false;

    // The WCAG 2 contrast ratio of two colours, from 1 to 21.
    static double contrast(const QColor &a, const QColor &b);

    // The colours for the user's scheme, given as the application's palette.
    static SchemeColours choose(const QPalette &scheme);

    friend bool operator==(const SchemeColours &, const SchemeColours &) = default;
};
