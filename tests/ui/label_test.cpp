// Labels break lines at every kind of line end and wrap Japanese text at their width.

#include <gtest/gtest.h>

#include "ui/label.h"
#include "ui/utf8.h"

namespace dv {
namespace {

std::vector<std::string> lines(const Label& l) {
    std::vector<std::string> out;
    for (auto& line : l.layoutLines())
        out.push_back(encodeUtf8(line));
    return out;
}

TEST(Label, LineEndsOfEveryKindBreakOnce) {
    struct Case {
        const char* text;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"所持金 100\rＥｎｔｅｒで購入", {"所持金 100", "Ｅｎｔｅｒで購入"}},
        {"一\n二\n三", {"一", "二", "三"}},
        {"一\r\n二", {"一", "二"}},
        {"一\n\r二", {"一", "", "二"}},
        {"末尾\n", {"末尾", ""}},
    };
    for (const auto& c : cases) {
        Label l;
        l.setFont(Font::standard(12));
        l.move(0, 0, 600, 100);
        l.setCaption(c.text);
        EXPECT_EQ(lines(l), c.expected) << c.text;
    }
}

TEST(Label, LongJapaneseTextWrapsAtTheWidthAndKeepsPunctuationOffLineStarts) {
    Label l;
    l.setFont(Font::standard(12));
    l.move(0, 0, 60, 100);  // five full-width characters
    l.setCaption("あいうえおかきくけこ");
    EXPECT_EQ(lines(l), (std::vector<std::string>{"あいうえお", "かきくけこ"}));
    l.setCaption("あいうえお。かき");
    EXPECT_EQ(lines(l), (std::vector<std::string>{"あいうえ", "お。かき"}));
    l.wordWrap = false;
    EXPECT_EQ(lines(l).size(), 1u);
}

TEST(Label, MnemonicCaptionsHideTheAmpersand) {
    Label l;
    l.useMnemonic = true;
    l.move(0, 0, 300, 20);
    l.setCaption("&Y)ES [Enter]");
    EXPECT_EQ(l.texts(), (std::vector<std::string>{"Y)ES [Enter]"}));
    l.setCaption("A&&B");
    EXPECT_EQ(l.texts(), (std::vector<std::string>{"A&B"}));
}

}  // namespace
}  // namespace dv
