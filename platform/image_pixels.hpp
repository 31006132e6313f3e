// Images give their CPU-side pixels up once the texture holds them (the driver keeps its own
// copy anyway); the few callers that need pixels again get them back from the texture.
#pragma once

#include "platform/graphics.hpp"

// Makes every frame's pixels present again. False when they are gone for good (the window was
// closed since): the frames are then empty and read as transparent.
bool RestoreImagePixels(TImage& img);

// Decodes an embedded picture whose decoding was put off; nothing when there is none.
void DecodePendingPixels(TImage& img);
