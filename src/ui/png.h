#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dv {

class Canvas;

// Saves a canvas as a PNG file; false when it cannot be written.
bool savePng(const Canvas& canvas, const std::string& path);
// Loads any picture SDL_image reads (bmp, jpg, gif, png) into a canvas; false on failure.
bool loadPicture(const std::string& path, Canvas& out);
// The same, keeping each pixel's opacity (0 transparent .. 255 opaque) in alpha, row by row.
bool loadPicture(const std::string& path, Canvas& out, std::vector<std::uint8_t>& alpha);

}  // namespace dv
