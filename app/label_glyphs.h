#pragma once

// Whether the installed fonts can draw a window's own text.
//
// A system without a font for Chinese draws every Chinese label as an empty box, and the
// scales 1:100万, 1:50万 and 1:2.5万 can then no longer be told apart; Qt says nothing about it.
// MissingGlyphsWarning looks at the text the window shows (its title, labels, buttons, group
// titles and list entries) and asks, character by character, whether the window's font or any
// installed font that Qt's font database offers has a glyph for it. Spaces and other
// characters that draw nothing are not asked about.

#include <QString>

class QWidget;

namespace mapsheet::app {

// An empty text when every character of the window's text can be drawn; otherwise the one
// line (ending in a newline) for standard error: how many characters no font draws, the first
// of them as a code point, and the Debian packages that bring a font for them.
QString MissingGlyphsWarning(const QWidget& window);

}  // namespace mapsheet::app
