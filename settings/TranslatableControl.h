#pragma once
// Private messages of the program's own link and image-button controls,
// through which the language manager reads and replaces their captions.
// Every such control answers kMsgIsTranslatableControl with 1; a plain
// system control answers 0.
namespace corvane {

// Answered with 1 by the program's link and image-button controls.
constexpr unsigned kMsgIsTranslatableControl = 4868;
// Copies the caption: wParam = buffer length in characters, lParam = buffer.
constexpr unsigned kMsgGetControlCaption = 4924;
// Replaces the caption with the text at lParam and redraws.
constexpr unsigned kMsgSetControlCaption = 4925;

}  // namespace corvane
