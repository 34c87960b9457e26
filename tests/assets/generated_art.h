// The pictures the build drew into the game folder (the test target depends on
// them, so they are always those of the current generator).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "artgen/image.h"

namespace dv::art::testing {

inline std::string GeneratedFolder() {
    return DV_ART_DIR;
}

inline std::string MakeTempFolder(const char* stem) {
    std::string pattern = (std::filesystem::temp_directory_path() / stem).string() + "XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) return {};
    return pattern;
}

inline Picture8 LoadGenerated(const std::string& name) {
    Picture8 picture;
    EXPECT_TRUE(LoadPicture(GeneratedFolder() + "/" + name, picture)) << name;
    return picture;
}

inline double Luminance(const std::uint8_t* p) {
    return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
}

}  // namespace dv::art::testing
