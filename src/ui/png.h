#pragma once

#include <string>

namespace dv {

class Canvas;

// Saves a canvas as a PNG file; false when it cannot be written.
bool savePng(const Canvas& canvas, const std::string& path);
// Loads any picture SDL_image reads (bmp, jpg, gif, png) into a canvas; false on failure.
bool loadPicture(const std::string& path, Canvas& out);

}  // namespace dv
