// The panel window: a few lines of very large text at fixed places, each
// drawn over whatever was there and padded with blanks to erase a longer
// earlier text. The window keeps the drawing position, font and colour
// between operations, so an operation that sets none uses what was left.
// Drawing only: nothing here talks to the receiver or speaks.
#pragma once

#include <string_view>

#include "panel/panel_state.h"

namespace voxpan {

// The face names are requested as they stand; the platform substitutes its
// default face for them.
inline constexpr std::string_view kFontAriel = "Ariel";
inline constexpr std::string_view kFontAerial = "Aerial";
inline constexpr int kBold = 700;

// Draws workText on the frequency line, short frequencies padded with zeros.
void showFrequency(Panel& panel);
// Draws modeText and six blanks on the mode line, in Ariel 50 and the colour
// the last drawing left.
void drawModeLine(Panel& panel);
// Draws the search line: low limit, step, "STOP" or "CONT", high limit.
void showSearchLimits(Panel& panel);
// Blanks everything below the search line.
void clearLowerPanel(Panel& panel);

}  // namespace voxpan
