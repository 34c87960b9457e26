// Picture decoding as the game loads its pieces, title and moons (any of them can be
// replaced in the game folder): arbitrary bytes as a file, loaded into a canvas or refused.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "ui/canvas.h"
#include "ui/png.h"

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
            picture.pixels().size() !=
                static_cast<std::size_t>(picture.width()) * static_cast<std::size_t>(picture.height()))
            std::abort();
    }
    return 0;
}
