#pragma once
// The command images shared by the program's image buttons: where each
// command's 16 x 16 picture sits in the two parallel image lists (normal
// look and disabled look), and how the disabled look is made from the
// normal one.
#include <cstddef>
#include <cstdint>

namespace corvane {

enum class ECommandImage { kProperty, kPlay, kMoveUp, kMoveDown, kAdd, kRemove };

constexpr int kCommandImageSize = 16;
// Slots in each list. Slots that no command of the program uses (0, 1, 3,
// 5, 6 and 9 to 20) stay fully transparent.
constexpr int kCommandImageCount = 23;

// The slot of a command's image: Property... 2, Play... 4, Move Up 7,
// Move Down 8, Add... 21, Remove 22.
int CommandImageIndex(ECommandImage image);

// Turns 32-bit pixels (0xAARRGGBB, straight alpha) into the disabled look in
// place: grey of the same lightness, lifted toward the button face, at
// reduced opacity. Fully transparent pixels stay as they are.
void MakeDisabledPixels(uint32_t* pixels, size_t count);

}  // namespace corvane
