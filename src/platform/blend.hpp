// The compositor's inner loops: premultiplied pixels over a row of the frame.
// Each loop is branch-free per pixel so the compiler turns it into vector code.
#pragma once

#include <cstdint>

// `count` premultiplied source pixels over `target`, per channel
// s + t * (255 - a) / 255 rounded; exact for opaque and transparent pixels.
void blendSpan(uint32_t* target, const uint32_t* source, int32_t count);
// One premultiplied colour over `count` pixels of `target`.
void blendColourSpan(uint32_t* target, uint32_t colour, int32_t count);
// Colour 0xRRGGBB at each coverage level (0..255) over `target`, as text is drawn.
void blendCoverageSpan(uint32_t* target, const uint8_t* coverage, uint32_t colour, int32_t count);
