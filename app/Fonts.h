#pragma once
#include <QFont>

// The window's font. The program asks for "ＭＳ ゴシック", a family that the
// system here does not have; it is mapped to an installed Japanese gothic
// font, so that asking for it gives a face with every Japanese character.
namespace Fonts {

// The family every control asks for.
QString windowFamily();

// Maps the window's family to the installed gothic fonts. Safe to call more
// than once; called at start-up before any window exists.
void install();

// The window font: the window's family at a character height of 23 pixels.
QFont windowFont();

} // namespace Fonts
