// The save reader on arbitrary bytes; whatever it reads must save as a complete file that
// reads back to the same state.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

#include "core/data/save_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto save = std::make_unique<dv::SaveData>();
    static const auto again = std::make_unique<dv::SaveData>();
    dv::ReadSaveImage(std::span<const std::uint8_t>(data, size), *save);
    const auto image = dv::BuildSaveImage(*save);
    if (image.size() != dv::kSaveFileSize) std::abort();
    dv::ReadSaveImage(image, *again);
    if (dv::BuildSaveImage(*again) != image) std::abort();
    return 0;
}
