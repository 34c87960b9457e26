// Picture decoding as the game loads its pieces, title and moons (any of them can be
// replaced in the game folder): arbitrary bytes as a file, loaded into a canvas or refused.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <SDL2/SDL_error.h>

#include "ui/canvas.h"
#include "ui/png.h"

// SDL keeps its error text in storage made at the first error and kept for good: made
// here, so it is not taken for a leak of the first input that fails to decode.
extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    SDL_SetError("start");
    SDL_ClearError();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("dv-fuzz-picture-" + std::to_string(::getpid()) + ".img");
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    dv::Canvas picture;
    if (dv::loadPicture(file.string(), picture)) {
        if (picture.width() < 1 || picture.height() < 1 ||
            picture.pixels().size() != static_cast<std::size_t>(picture.width()) *
                                           static_cast<std::size_t>(picture.height()))
            std::abort();
    }
    return 0;
}
