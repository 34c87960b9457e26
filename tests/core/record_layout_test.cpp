#include <gtest/gtest.h>

#include "core/data/character.h"
#include "core/data/record_io.h"
#include "core/data/records.h"
#include "core/data/save_data.h"
#include "test_support.h"

namespace dv {
namespace {

using test::offsetOf;

TEST(RecordLayout, StoredSizesWithEmptyTexts) {
    EXPECT_EQ(storedSize(Character{}), kCharacterRecordSize);
    EXPECT_EQ(storedSize(ItemRecord{}), kItemRecordSize);
    EXPECT_EQ(storedSize(ItemSlot{}), 12u);
    EXPECT_EQ(storedSize(NpcRecord{}), kNpcRecordSize);
    EXPECT_EQ(storedSize(SpellRecord{}), 17u);
    EXPECT_EQ(storedSize(TrapRecord{}), 3u + 2 + 2);
    EXPECT_EQ(storedSize(SkillRecord{}), 292u);
    EXPECT_EQ(storedSize(ActionRecord{}), 100u + 5 * 2);
    EXPECT_EQ(storedSize(ConversationRecord{}), 28u + 3 * 2);
    EXPECT_EQ(storedSize(SaveData{}), kSaveFileSize);
}

TEST(RecordLayout, TextsAreStoredAsCp932WithTheirLength) {
    SpellRecord spell;
    spell.name = "ＦＩＲＥ";  // four two-byte characters
    EXPECT_EQ(storedSize(spell), 17u + 8);
}

TEST(RecordLayout, CharacterOffsets) {
    const std::pair<const char*, long> cases[] = {
        {"rosterId", 0},
        {"level", 4},
        {"nameCodes", 8},
        {"name", 110},
        {"altNameCodes", 112},
        {"altName", 154},
        {"race", 156},
        {"classBit", 158},
        {"sex", 162},
        {"alignment", 163},
        {"age", 164},
        {"status", 168},
        {"partyId", 172},
        {"reserved174", 174},
        {"dungeonId", 178},
        {"posX", 180},
        {"gold", 184},
        {"experience", 192},
        {"appearDiceCount", 200},
        {"hpDiceCount", 206},
        {"damageDiceCount", 218},
        {"marks", 230},
        {"stepsWalked", 262},
        {"baseArmorClass", 270},
        {"ripCount", 278},
        {"hitPoints", 282},
        {"maxHitPoints", 286},
        {"strength", 290},
        {"luck", 297},
        {"identified", 298},
        {"regeneration", 304},
        {"actions", 308},
        {"meleeStatusChance", 350},
        {"resistances", 387},
        {"damagePercent", 424},
        {"attackElement", 463},
        {"items", 465},
        {"spellsKnown", 657},
        {"spellPoints", 1157},
        {"maxSpellPoints", 1257},
        {"wardMask", 1357},
        {"criticalKills", 1365},
        {"completionMark", 1370},
        {"initiative", 1380},
        {"actionSpell", 1390},
        {"breathCount", 1394},
        {"skills", 1396},
        {"summonLevel", 1999},
        {"weaponTypePercent", 2001},
    };
    const Character c;
    for (const auto& [member, offset] : cases)
        EXPECT_EQ(offsetOf(c, member), offset) << member;
}

TEST(RecordLayout, ItemOffsets) {
    const std::pair<const char*, long> cases[] = {
        {"chestAllowed", 4},    {"identifyDifficulty", 6},
        {"nameCodes", 8},       {"name", 70},
        {"altNameCodes", 72},   {"altName", 114},
        {"kind", 116},          {"reach", 124},
        {"brokenInto", 128},    {"price", 130},
        {"attackBonus", 134},   {"minimumHits", 139},
        {"armorBonus", 140},    {"regeneration", 146},
        {"statusChance", 148},  {"resistances", 185},
        {"damagePercent", 222}, {"wardMask", 259},
        {"slayMask", 263},      {"sexMask", 267},
        {"raceMask", 269},      {"classMask", 271},
        {"grantedSkill", 275},  {"cursed", 279},
    };
    const ItemRecord item;
    for (const auto& [member, offset] : cases)
        EXPECT_EQ(offsetOf(item, member), offset) << member;
}

TEST(RecordLayout, SaveTableOffsets) {
    const std::pair<const char*, long> cases[] = {
        {"eventFlags", 0},       {"lunaPhase", 404},        {"artemisPhase", 406},
        {"defeatedCounts", 408}, {"itemFoundCounts", 8412}, {"shopStock", 16416},
        {"chestSpots", 24420},   {"roster", 25032},
    };
    const auto save = std::make_unique<SaveData>();
    for (const auto& [table, offset] : cases)
        EXPECT_EQ(offsetOf(*save, table), offset) << table;
}

TEST(RecordLayout, ValuesAreLittleEndianWhateverTheMachine) {
    Character c;
    c.rosterId = 0x01020304;
    c.race = -2;
    c.gold = 1.5;                     // 0x3FF8000000000000
    c.spellsKnown(1, 0, 0) = 0x0A0B;  // second element: first index varies fastest
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    writeRecord(out, c);
    ASSERT_EQ(bytes.size(), kCharacterRecordSize);
    EXPECT_EQ((std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 4)),
              (std::vector<std::uint8_t>{4, 3, 2, 1}));
    EXPECT_EQ(bytes[156], 0xFE);
    EXPECT_EQ(bytes[157], 0xFF);
    EXPECT_EQ(bytes[191], 0x3F);
    EXPECT_EQ(bytes[190], 0xF8);
    EXPECT_EQ(bytes[657 + 2], 0x0B);
    EXPECT_EQ(bytes[657 + 3], 0x0A);
}

TEST(RecordLayout, EveryRecordRoundTripsThroughItsFieldTable) {
    Rng rng(7);
    auto roundTrip = [&rng](auto record) {
        using R = decltype(record);
        test::fillVaried(record, rng);
        std::vector<std::uint8_t> bytes;
        ByteWriter out(bytes);
        writeRecord(out, record);
        R back{};
        ByteReader in(bytes);
        readRecord(in, back);
        EXPECT_FALSE(in.isShort());
        EXPECT_EQ(in.remaining(), 0u);
        EXPECT_TRUE(back == record);
    };
    for (int i = 0; i < 5; ++i) {
        roundTrip(Character{});
        roundTrip(ItemRecord{});
        roundTrip(SpellRecord{});
        roundTrip(TrapRecord{});
        roundTrip(NpcRecord{});
        roundTrip(SkillRecord{});
        roundTrip(ActionRecord{});
        roundTrip(ConversationRecord{});
    }
}

// Tables are read a whole record at a time where the bytes hold it; a record with text in a
// String, or one cut off by the end of the file, must read exactly as field by field does.
TEST(RecordLayout, TablesReadAsTheirRecordsOneFieldAtATime) {
    Rng rng(11);
    std::vector<Character> table(6);
    for (std::size_t i = 0; i < table.size(); ++i) {
        test::fillVaried(table[i], rng);
        if (i % 3 != 1) {  // records 1 and 4 keep their texts
            table[i].name.clear();
            table[i].altName.clear();
        }
    }
    table[4].name = "炎の渦";
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    writeTable(out, table);

    for (std::size_t cut : {bytes.size(), bytes.size() - 1, kCharacterRecordSize * 3 + 700,
                            kCharacterRecordSize + 20, std::size_t{5}}) {
        SCOPED_TRACE(cut);
        const std::span<const std::uint8_t> held(bytes.data(), cut);
        std::vector<Character> expected(table.size());
        ByteReader oneByOne(held);
        for (auto& record : expected)
            readRecord(oneByOne, record);

        std::vector<Character> got(table.size());
        ByteReader whole(held);
        readTable(whole, got);
        EXPECT_EQ(whole.isShort(), oneByOne.isShort());
        EXPECT_EQ(whole.position(), oneByOne.position());
        EXPECT_TRUE(got == expected);
        if (cut == bytes.size()) {
            EXPECT_TRUE(got == table);
        }
    }
}

TEST(RecordLayout, AStringLengthPastTheEndIsShort) {
    // Length 0xFFFF with three bytes behind it.
    const std::vector<std::uint8_t> bytes = {0x01, 0x00, 1, 1, 1, 0xFF, 0xFF, 'A', 'B', 'C'};
    SpellRecord spell;
    ByteReader in(bytes);
    readRecord(in, spell);
    EXPECT_TRUE(in.isShort());
    EXPECT_EQ(spell.id, 1);
    EXPECT_TRUE(spell.name.empty());
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

TEST(Grid, FirstIndexVariesFastestAndIndexesAreChecked) {
    using G = Grid<std::int16_t, 3, 2, 4>;
    G g;
    g(2, 1, 3) = 7;
    EXPECT_EQ(g.data[(3 * 2 + 1) * 3 + 2], 7);
    EXPECT_TRUE(G::inRange(2, 1, 3));
    EXPECT_FALSE(G::inRange(3, 0, 0));
    EXPECT_FALSE(G::inRange(0, -1, 0));
    EXPECT_FALSE(G::inRange(0, 0, std::size_t{4}));
    EXPECT_TRUE(G::inRange(std::size_t{0}, 1u, 3L));
}

}  // namespace
}  // namespace dv
