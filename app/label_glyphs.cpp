#include "app/label_glyphs.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QRawFont>
#include <QSet>
#include <QWidget>
#include <algorithm>
#include <iterator>

namespace mapsheet::app {

namespace {

void AddCharacters(const QString& text, QSet<char32_t>& characters) {
    for (const char32_t character : text.toUcs4()) {
        const QChar::Category category = QChar::category(character);
        const bool drawsNothing = QChar::isSpace(character) || category == QChar::Other_Control ||
                                  category == QChar::Other_Format;
        if (!drawsNothing) {
            characters.insert(character);
        }
    }
}

QSet<char32_t> WindowCharacters(const QWidget& window) {
    QSet<char32_t> characters;
    AddCharacters(window.windowTitle(), characters);
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            AddCharacters(label->text(), characters);
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            AddCharacters(button->text(), characters);
        } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
            AddCharacters(group->title(), characters);
        } else if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
            for (int i = 0; i < list->count(); ++i) {
                AddCharacters(list->itemText(i), characters);
            }
        }
    }
    return characters;
}

// Leaves in `characters` those that `font` has no glyph for. A font without a character map
// is Qt's stand-in for a missing font: it claims every character and draws each as a box.
void RemoveDrawn(const QRawFont& font, QSet<char32_t>& characters) {
    if (!font.isValid() || font.fontTable("cmap").isEmpty()) {
        return;
    }
    for (auto it = characters.begin(); it != characters.end();) {
        it = font.supportsCharacter(*it) ? characters.erase(it) : std::next(it);
    }
}

}  // namespace

QString MissingGlyphsWarning(const QWidget& window) {
    // The window's font first, then every installed font, as Qt falls back to any of them for
    // a glyph the first lacks. (QFontMetrics::inFont cannot tell: with no font at all, Qt's
    // stand-in claims every character.)
    QSet<char32_t> undrawn = WindowCharacters(window);
    RemoveDrawn(QRawFont::fromFont(window.font()), undrawn);
    const QStringList families = QFontDatabase::families();
    for (auto family = families.cbegin(); family != families.cend() && !undrawn.isEmpty();
         ++family) {
        RemoveDrawn(QRawFont::fromFont(QFont(*family)), undrawn);
    }
    if (undrawn.isEmpty()) {
        return {};
    }
    const char32_t first = *std::min_element(undrawn.cbegin(), undrawn.cend());
    return QStringLiteral(
               "mapsheet: no installed font draws %1 of the characters in the window's labels "
               "(U+%2 among them), so they show as empty boxes; install the Debian package "
               "fonts-wqy-microhei or fonts-noto-cjk\n")
        .arg(undrawn.size())
        .arg(QString::number(uint(first), 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

}  // namespace mapsheet::app
