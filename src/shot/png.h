// PNG encoding for tessaran-shot (in memory; the platform layer writes the file).
#pragma once

#include <cstdint>
#include <vector>

namespace tessaran::shot {

// RGB rows, top row first, 3 bytes per pixel with no padding. Empty on failure.
std::vector<uint8_t> EncodePng(const std::vector<uint8_t>& rgb, int width, int height);

}  // namespace tessaran::shot
