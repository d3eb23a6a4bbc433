// ComposePremultipliedRow: one row of LibreOffice's premultiplied BGRA
// rendering composed over a row of 24-bit RGB pixels.
#pragma once

#include <cstdint>

namespace folivex::automation {

// Composes `count` pixels of `bgra` (premultiplied, 4 bytes each) over
// `rgb` (3 bytes each): an opaque pixel replaces the target's, a clear one
// keeps it, and one in between is added to the target's share it lets
// through, rounded to nearest.
void ComposePremultipliedRow(const std::uint8_t *bgra, std::uint8_t *rgb, int count) noexcept;

} // namespace folivex::automation
