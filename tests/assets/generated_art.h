// The generator's output, written once per test run into a private folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "artgen/generate.h"
#include "artgen/image.h"

namespace dv::art::testing {

inline std::string MakeTempFolder(const char* stem) {
    std::string pattern = (std::filesystem::temp_directory_path() / stem).string() + "XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) return {};
    return pattern;
}

// Generates the art on first use; every test of the run reads the same files.
inline const std::string& GeneratedFolder() {
    static const std::string folder = [] {
        std::string dir = MakeTempFolder("dv-art-");
        std::string error;
        if (dir.empty() || !GenerateArt(dir, error)) {
            ADD_FAILURE() << "generating the art failed: " << error;
        }
        return dir;
    }();
    return folder;
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
