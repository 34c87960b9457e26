#include "core/data/ini_file.h"

#include <gtest/gtest.h>

#include "core/data/names.h"
#include "test_support.h"

namespace dv {
namespace {

TEST(IniFile, ReadsTolerantly) {
    const IniFile ini = IniFile::Parse(
        "junk before sections\r\n"
        "[ＢＧＭ]\r\n"
        "タイトル=   /music/title.mid\r\n"
        "; a comment = not a key\r\n"
        "城下=/music/town.mid  \r\n"
        "  [Dungeon]\n"
        "Draw=1\n"
        "=no key\n"
        "[broken\n"
        "empty=\n");
    EXPECT_EQ(ini.get("ＢＧＭ", "タイトル"), "/music/title.mid");
    EXPECT_EQ(ini.get("ＢＧＭ", "城下"), "/music/town.mid  ");  // only leading blanks go
    EXPECT_EQ(ini.get("ＢＧＭ", "; a comment "), "");
    EXPECT_EQ(ini.get("dungeon", "DRAW"), "1");  // names match without regard to case
    EXPECT_EQ(ini.get("Dungeon", "empty"), "");
    EXPECT_TRUE(ini.has("Dungeon", "empty"));
    EXPECT_EQ(ini.get("Dungeon", "missing", "dflt"), "dflt");
    EXPECT_EQ(ini.get("Nowhere", "Draw", "0"), "0");
    EXPECT_EQ(ini.keys("ＢＧＭ"), (std::vector<std::string>{"タイトル", "城下"}));
}

TEST(IniFile, SetRemoveAndKeepOtherLines) {
    IniFile ini = IniFile::Parse("; settings\n[A]\nx=1\n\n[B]\ny=2\n");
    ini.set("a", "X", "10");
    ini.set("A", "z", "3");
    ini.set("C", "w", "4");
    ini.remove("B", "y");
    EXPECT_EQ(ini.text(), "; settings\n[A]\nx=10\nz=3\n\n[B]\n[C]\nw=4\n");
}

TEST(IniFile, SavesAtomicallyAndKeepsTheEncodingItRead) {
    test::ScratchDir dir;
    const auto path = dir.path() / "QTR.ini";
    const std::string cp932 = Utf8ToCp932("[画像]\r\n灰色狼=C:\\pics\\wolf.bmp\r\n");
    test::writeBytes(path, std::vector<std::uint8_t>(cp932.begin(), cp932.end()));

    IniFile ini = IniFile::Load(path);
    EXPECT_EQ(ini.get("画像", "灰色狼"), "C:\\pics\\wolf.bmp");
    ini.set("画像", "大鴉", "/pics/raven.png");
    ASSERT_TRUE(ini.Save(path));
    const auto bytes = test::readBytes(path);
    const std::string written(bytes.begin(), bytes.end());
    EXPECT_EQ(Cp932ToUtf8(written), "[画像]\n灰色狼=C:\\pics\\wolf.bmp\n大鴉=/pics/raven.png\n");

    // A failed save leaves the file as it was.
    ini.set("画像", "大鴉", "");
    EXPECT_FALSE(ini.Save(path, {5}));
    EXPECT_EQ(test::readBytes(path), bytes);
    EXPECT_EQ(IniFile::Load(path).get("画像", "大鴉"), "/pics/raven.png");
}

TEST(IniFile, AMissingFileIsEmptyAndANewFileIsUtf8) {
    test::ScratchDir dir;
    IniFile ini = IniFile::Load(dir.path() / "none.ini");
    EXPECT_EQ(ini.get("Version", "Major", "0"), "0");
    ini.set("Version", "Major", "1");
    ASSERT_TRUE(ini.Save(dir.path() / "new.ini"));
    const auto bytes = test::readBytes(dir.path() / "new.ini");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "[Version]\nMajor=1\n");
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

// Found by the fuzzer: marks inside a line made a key that, written first, became the
// file's own mark and read back as a different key.
TEST(IniFile, ByteOrderMarksInsideLinesReadBackTheSame) {
    for (const std::string input : {"\xEF\xBB\xBF\t\xEF\xBB\xBF\xEF\xBB\xBF\t=\tVV",
                                    "\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF"}) {
        IniFile ini = IniFile::Parse(input);
        ini.set("ダンジョン", "描画", "1");
        const std::string once = IniFile::Parse(ini.text()).text();
        EXPECT_EQ(IniFile::Parse(once).text(), once);
    }
    EXPECT_EQ(IniFile::Parse("[s]\n\xEF\xBB\xBFkey\xEF\xBB\xBF=v\n").get("s", "key"), "v");
}

}  // namespace
}  // namespace dv
