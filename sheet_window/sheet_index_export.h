#pragma once

// Saving the drawing of a neighbourhood (sheet_index.h) as a file whose name chooses the
// format: ".svg" (Qt's SVG writer, text kept as text), ".pdf" (Qt's PDF writer, one page the
// size of the drawing in points) or ".png" (an image at two pixels per unit on white). The
// suffix is compared without regard to case.
//
// The file is written to a temporary file beside it and renamed over the name only when
// complete, so a failed export leaves an existing file as it was and no partial file behind.

#include <QString>
#include <optional>

#include "sheet_window/sheet_index.h"

namespace mapsheet::sheet_window {

enum class SheetIndexFormat { Svg, Pdf, Png };

// The format named by the file name's suffix; nothing for any other suffix.
std::optional<SheetIndexFormat> SheetIndexFormatOf(const QString& fileName);

// Writes the file; returns an empty text on success, otherwise what failed, naming the file.
QString ExportSheetIndex(const SheetIndex& index, const QString& fileName);

}  // namespace mapsheet::sheet_window
