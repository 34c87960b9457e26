// The battle pictures of the monster types: one file per type bit, named by
// the bit, each a transparent 240 x 180 RGBA picture with a visible creature
// standing on its bottom edge.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "artgen/generate.h"
#include "artgen/monster_art.h"
#include "artgen/sprite.h"
#include "generated_art.h"

namespace dv::art {
namespace {

using testing::GeneratedFolder;
using testing::Luminance;

struct NameCase {
    std::int32_t classBit;
    const char* file;
};

TEST(MonsterPictureFile, NamesTheFileOfEachSingleTypeBit) {
    const std::vector<NameCase> cases = {
        {1, "mon01.png"},
        {2, "mon02.png"},
        {4, "mon03.png"},
        {8, "mon04.png"},
        {256, "mon09.png"},
        {4096, "mon13.png"},
        {16384, "mon15.png"},
        {131072, "mon18.png"},
        {1048576, "mon21.png"},
        {2097152, "mon22.png"},
        // Anything but exactly one of the 22 type bits has no picture.
        {0, ""},
        {-1, ""},
        {3, ""},
        {6, ""},
        {2097153, ""},
        {4194304, ""},
        {1 << 30, ""},
        {std::numeric_limits<std::int32_t>::min(), ""},
        {std::numeric_limits<std::int32_t>::max(), ""},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(MonsterPictureFile(c.classBit), c.file) << "classBit " << c.classBit;
}

std::vector<std::string> MonsterFiles() {
    std::vector<std::string> names;
    for (int type = 0; type < kMonsterTypes; ++type)
        names.push_back(MonsterPictureFile(std::int32_t{1} << type));
    return names;
}

TEST(MonsterPictureFile, EveryTypeHasItsOwnFileAndTheGeneratorWritesIt) {
    const std::vector<std::string> names = MonsterFiles();
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    const std::vector<std::string> written = ArtFileNames();
    for (const std::string& name : names) {
        EXPECT_FALSE(name.empty());
        EXPECT_NE(std::find(written.begin(), written.end(), name), written.end()) << name;
    }
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

PictureRgba8 LoadMonster(const std::string& name) {
    PictureRgba8 picture;
    EXPECT_TRUE(LoadPictureRgba(GeneratedFolder() + "/" + name, picture)) << name;
    return picture;
}

TEST(MonsterPictures, AreEightBitRgbaPngsOfTheBattleSize) {
    for (const std::string& name : MonsterFiles()) {
        SCOPED_TRACE(name);
        // The PNG header: signature, then IHDR with width, height, depth and colour type.
        const std::string bytes = ReadBytes(GeneratedFolder() + "/" + name);
        ASSERT_GT(bytes.size(), 33U);
        EXPECT_EQ(bytes.substr(1, 3), "PNG");
        EXPECT_EQ(bytes.substr(12, 4), "IHDR");
        EXPECT_EQ(static_cast<unsigned char>(bytes[24]), 8) << "bit depth";
        EXPECT_EQ(static_cast<unsigned char>(bytes[25]), 6) << "colour type RGBA";
        const PictureRgba8 picture = LoadMonster(name);
        EXPECT_EQ(picture.width, kMonsterPictureWidth);
        EXPECT_EQ(picture.height, kMonsterPictureHeight);
    }
}

TEST(MonsterPictures, BackgroundIsTransparentAtTheCorners) {
    constexpr int kCorner = 8;
    for (const std::string& name : MonsterFiles()) {
        const PictureRgba8 p = LoadMonster(name);
        ASSERT_EQ(p.width, kMonsterPictureWidth) << name;
        ASSERT_EQ(p.height, kMonsterPictureHeight) << name;
        int seen = 0;
        for (int y = 0; y < kCorner; ++y) {
            for (int x = 0; x < kCorner; ++x) {
                seen += p.Pixel(x, y)[3] != 0 ? 1 : 0;
                seen += p.Pixel(p.width - 1 - x, y)[3] != 0 ? 1 : 0;
                seen += p.Pixel(x, p.height - 1 - y)[3] != 0 ? 1 : 0;
                seen += p.Pixel(p.width - 1 - x, p.height - 1 - y)[3] != 0 ? 1 : 0;
            }
        }
        EXPECT_EQ(seen, 0) << name << ": pixels showing in the corners";
    }
}

TEST(MonsterPictures, CreatureIsSolidCentredStandsOnTheBottomAndShowsOnBlack) {
    for (const std::string& name : MonsterFiles()) {
        SCOPED_TRACE(name);
        const PictureRgba8 p = LoadMonster(name);
        ASSERT_EQ(p.width, kMonsterPictureWidth);
        ASSERT_EQ(p.height, kMonsterPictureHeight);
        int solid = 0;
        int lowest = -1;
        double sumX = 0;
        double light = 0;
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) {
                const std::uint8_t* px = p.Pixel(x, y);
                if (px[3] < 200) continue;
                ++solid;
                lowest = y;
                sumX += x;
                light += Luminance(px);
            }
        }
        ASSERT_GT(solid, 0);
        // A creature, not a speck: at least a tenth of the picture.
        EXPECT_GT(solid, kMonsterPictureWidth * kMonsterPictureHeight / 10);
        // Feet (or the lowest part of a floating creature) near the bottom edge.
        EXPECT_GE(lowest, kMonsterPictureHeight - 20);
        const double centre = sumX / solid;
        EXPECT_GT(centre, kMonsterPictureWidth * 0.35);
        EXPECT_LT(centre, kMonsterPictureWidth * 0.65);
        // Bright enough on average to stand out from the dark corridor.
        EXPECT_GT(light / solid, 45.0);
    }
}

TEST(MonsterPictures, EachTypeLooksDifferent) {
    std::set<std::string> seen;
    for (const std::string& name : MonsterFiles()) {
        const PictureRgba8 p = LoadMonster(name);
        EXPECT_TRUE(seen.insert(std::string(p.data.begin(), p.data.end())).second) << name;
    }
}

}  // namespace
}  // namespace dv::art
