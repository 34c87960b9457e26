#include "core/data/text.h"

#include <gtest/gtest.h>

#include "core/data/character.h"
#include "core/data/message.h"

namespace dv {
namespace {

TEST(Text, ToWide) {
    const std::pair<std::string, std::string> cases[] = {
        {"12", "１２"},
        {" ", "　"},
        {"Lv 3!", "Ｌｖ　３！"},
        {"~}", "～｝"},
        {"ｶﾞｷﾞﾊﾟﾎﾟｳﾞ", "ガギパポヴ"},
        {"ｱﾞﾝﾟ", "ア゛ン゜"},  // marks with no composed form stand alone
        {"ｯﾃﾞﾄﾞﾂﾞ", "ッデドヅ"},
        {"｡｢｣､･ｦｰ", "。「」、・ヲー"},
        {"漢字かなカナ", "漢字かなカナ"},
        {"", ""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(ToWide(in), out) << in;
}

TEST(Text, StatusNameTakesTheFirstBitInPriority) {
    const std::pair<std::int32_t, std::string> cases[] = {
        {0, ""},
        {kStatusDead | kStatusPoison, "死"},
        {kStatusLost | kStatusAshes | kStatusDead, "消滅"},
        {kStatusCarrot | kStatusFly, "蝿"},
        {kStatusSleep | kStatusCharm, "誘惑"},
        {kStatusPoison | kStatusDeadlyPoison, "猛毒"},
        {kStatusGuard, "状態変化防御"},
        {kStatusPhysicalReflect | kStatusMagicReflect, "物理攻撃反射"},
        {131072, ""},  // a battle-only ward has no name
        {kStatusHidden | 524288, "隠れている"},
    };
    for (const auto& [status, name] : cases)
        EXPECT_EQ(StatusName(status), name) << status;
}

TEST(Text, KindName) {
    const std::pair<int, std::string> cases[] = {
        {1, "武器"},    {2, "盾"},          {3, "鎧"},     {4, "小手"},    {5, "靴"},
        {6, "兜"},      {7, "アクセサリ"},  {8, "その他"}, {9, "楽器"},    {10, "マテリアル"},
        {11, "その他"}, {12, "護符・宝珠"}, {0, "その他"}, {-1, "その他"}, {300, "その他"},
    };
    for (const auto& [kind, name] : cases)
        EXPECT_EQ(KindName(kind), name) << kind;
}

TEST(Text, FixedFieldsCountCharactersAndNeverCut) {
    EXPECT_EQ(FieldRight("12", 5), "   12");
    EXPECT_EQ(FieldLeft("剣", 3), "剣  ");
    EXPECT_EQ(FieldRight("toolong", 3), "toolong");
    EXPECT_EQ(FieldLeft("", 2), "  ");
}

TEST(Text, NumberFormats) {
    EXPECT_EQ(FormatNumber(0), "");
    EXPECT_EQ(FormatNumberZero(0), "0");
    EXPECT_EQ(FormatNumber(1234567), "1234567");
    EXPECT_EQ(FormatNumberZero(-42), "-42");
    EXPECT_EQ(FormatNumber(2.5), "3");
    EXPECT_EQ(FormatNumber(0.4), "");
    EXPECT_EQ(FormatNumberZero(-0.4), "0");
    EXPECT_EQ(FormatNumber(123456789012345678.0), "123456789012345680");
}

TEST(Text, MessageTableIsCompiledIn) {
    EXPECT_EQ(Message(1024), "は\n");
    EXPECT_EQ(Message(1100), "戦士");
    EXPECT_EQ(Message(0), "");
    EXPECT_EQ(Message(-5), "");
    EXPECT_EQ(Message(99999), "");
}

}  // namespace
}  // namespace dv
