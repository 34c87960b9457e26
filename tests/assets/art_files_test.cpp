// Every file the game loads is written, at the size the game expects, and the
// generator writes the same bytes every time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "artgen/generate.h"
#include "artgen/monster_art.h"
#include "generated_art.h"

namespace dv::art {
namespace {

using testing::GeneratedFolder;
using testing::LoadGenerated;
using testing::Luminance;

struct ExpectedFile {
    const char* name;
    int width;
    int height;
};

TEST(ArtFiles, EveryFileHasTheSizeTheGameExpects) {
    std::vector<ExpectedFile> expected = {
        {"w0.jpg", 30, 32},     {"d0.jpg", 30, 32},       {"w1.jpg", 330, 64},
        {"d1.jpg", 330, 64},    {"w2.jpg", 660, 128},     {"d2.jpg", 660, 128},
        {"w3.jpg", 720, 256},   {"d3.jpg", 720, 256},     {"w4.jpg", 240, 512},
        {"d4.jpg", 240, 512},   {"b1.jpg", 640, 300},     {"b2.jpg", 640, 300},
        {"luna.png", 288, 64},  {"artemis.png", 288, 64}, {"title.jpg", 640, 480},
        {"frame_tl.png", 8, 8}, {"frame_tc.png", 8, 8},   {"frame_tr.png", 8, 8},
        {"frame_ml.png", 8, 8}, {"frame_mr.png", 8, 8},   {"frame_bl.png", 8, 8},
        {"frame_bc.png", 8, 8}, {"frame_br.png", 8, 8},   {"shade.png", 256, 32},
        {"panel.png", 64, 64},
    };
    std::vector<std::string> monsters;
    for (int type = 0; type < kMonsterTypes; ++type)
        monsters.push_back(MonsterPictureFile(std::int32_t{1} << type));
    for (const std::string& name : monsters)
        expected.push_back({name.c_str(), kMonsterPictureWidth, kMonsterPictureHeight});
    EXPECT_EQ(ArtFileNames().size(), expected.size());
    for (const ExpectedFile& file : expected) {
        const Picture8 picture = LoadGenerated(file.name);
        EXPECT_EQ(picture.width, file.width) << file.name;
        EXPECT_EQ(picture.height, file.height) << file.name;
    }
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ArtFiles, AnotherRunWritesTheSameBytesAsTheBuild) {
    const std::string again = testing::MakeTempFolder("dv-art-again-");
    ASSERT_FALSE(again.empty());
    std::string error;
    ASSERT_TRUE(GenerateArt(again, error)) << error;
    for (const std::string& name : ArtFileNames()) {
        const std::string first = ReadBytes(GeneratedFolder() + "/" + name);
        EXPECT_FALSE(first.empty()) << name;
        EXPECT_TRUE(first == ReadBytes(again + "/" + name)) << name << " differs between runs";
    }
    std::filesystem::remove_all(again);
}

TEST(ArtFiles, UnwritableFolderIsReported) {
    std::string error;
    EXPECT_FALSE(GenerateArt("/nonexistent-folder/for/art", error));
    EXPECT_NE(error.find("/nonexistent-folder/for/art"), std::string::npos) << error;
}

double RowLuminance(const Picture8& p, int y, int width) {
    double sum = 0;
    for (int x = 0; x < width; ++x)
        sum += Luminance(p.Pixel(x, y));
    return sum / width;
}

TEST(Backgrounds, DarkenTowardsTheFarEndOfTheCorridor) {
    // Only the top-left 480 x 240 of the canvas is seen: the ceiling in rows
    // 0..135 of b1, the floor in rows 0..103 of b2 (drawn at canvas row 136).
    const Picture8 upper = LoadGenerated("b1.jpg");
    const Picture8 lower = LoadGenerated("b2.jpg");
    EXPECT_GT(RowLuminance(upper, 4, 480), RowLuminance(upper, 60, 480));
    EXPECT_GT(RowLuminance(upper, 60, 480), RowLuminance(upper, 110, 480));
    EXPECT_LT(RowLuminance(upper, 130, 480), 12.0) << "the far distance is dark";
    EXPECT_LT(RowLuminance(lower, 1, 480), 12.0);
    EXPECT_GT(RowLuminance(lower, 100, 480), RowLuminance(lower, 40, 480));
    EXPECT_GT(RowLuminance(lower, 40, 480), RowLuminance(lower, 8, 480));
}

double AreaLuminance(const Picture8& p, int x0, int y0, int x1, int y1) {
    double sum = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x)
            sum += Luminance(p.Pixel(x, y));
    }
    return sum / ((x1 - x0) * (y1 - y0));
}

TEST(Title, LeavesQuietRoomForTheTitleAndVersionLines) {
    const Picture8 title = LoadGenerated("title.jpg");
    const double whole = AreaLuminance(title, 0, 0, 640, 480);
    EXPECT_GT(whole, 15.0) << "the scene is visible";
    EXPECT_LT(AreaLuminance(title, 180, 30, 460, 130), 35.0) << "title area";
    EXPECT_LT(AreaLuminance(title, 0, 452, 640, 480), 25.0) << "version and loading lines";
}

}  // namespace
}  // namespace dv::art
