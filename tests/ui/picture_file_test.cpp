// Pictures in the game folder are read as PNG or JPEG only; whatever else sits under a
// picture's name is refused, not handed to some other decoder.

#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "ui/canvas.h"
#include "ui/png.h"

namespace dv {
namespace {

class PictureFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("dv-picture-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(PictureFile, OnlyPngAndJpegAreDecoded) {
    Canvas picture;
    picture.resize(3, 2, rgb(10, 200, 30));
    const std::string png = (dir_ / "w0.png").string();
    ASSERT_TRUE(savePng(picture, png));
    Canvas back;
    ASSERT_TRUE(loadPicture(png, back));
    EXPECT_EQ(back.width(), 3);
    EXPECT_EQ(back.height(), 2);
    EXPECT_EQ(back.pixel(2, 1), rgb(10, 200, 30));

    // The same picture as a bitmap, and a drawing, each under a picture's name.
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(s, nullptr);
    const std::string bmp = (dir_ / "d0.jpg").string();
    ASSERT_EQ(SDL_SaveBMP(s, bmp.c_str()), 0);
    SDL_FreeSurface(s);
    const std::string svg = (dir_ / "moon.png").string();
    std::ofstream(svg) << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" height=\"4\">"
                          "<rect width=\"4\" height=\"4\" fill=\"red\"/></svg>";
    for (const std::string& other : {bmp, svg}) {
        Canvas refused;
        EXPECT_FALSE(loadPicture(other, refused)) << other;
    }
}

}  // namespace
}  // namespace dv
