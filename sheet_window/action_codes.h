#pragma once

// The codes the sheet window keeps in its actionCode: the box that has the focus or the last
// action. A box's typing filter and the sheet-number clamping act on a box only while the code
// names it. The values are fixed: position codes are 10 * (1 longitude, 2 latitude) + (1
// degrees, 2 minutes, 3 seconds), and the window exposes the code as this integer.

namespace mapsheet::sheet_window {

enum class ActionCode : int {
    LoadOrScale = 0,  // the load step and a change of scale
    HemisphereList = 1,
    RowLetterList = 2,
    ZoneBox = 3,
    ScaleLetterBox = 4,
    RowCodeBox = 5,
    ColumnCodeBox = 6,
    LongitudeDegrees = 11,
    LongitudeMinutes = 12,
    LongitudeSeconds = 13,
    LatitudeDegrees = 21,
    LatitudeMinutes = 22,
    LatitudeSeconds = 23,
    Convert = 31,
    StepDown = 32,
    StepLeft = 33,
    StepRight = 34,
    StepUp = 35,
    TitleOrNotes = 36,
};

}  // namespace mapsheet::sheet_window
