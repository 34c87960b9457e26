// The checks of the item table and the trade in items, on a small content set written here:
// one entry per line, so an entry's line is its number.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "content/check_items.h"
#include "content/content_set.h"

namespace dv {
namespace {

namespace fs = std::filesystem;

using Files = std::map<std::string, std::vector<std::string>>;

// Items 1..657 (the ones the program names are event items), one loot row, the twelve
// people, sixty fusion rows, one alchemy recipe, skills 1..299 with descriptions, a shop
// and four spells for the links.
Files goodSet() {
    Files f;
    for (int n = 1; n <= 657; ++n) {
        const bool event = n == 609 || n == 613 || (n >= 614 && n <= 617) || n == 627 || n == 630 ||
                           (n >= 634 && n <= 638) || n == 656 || n == 657;
        std::string line = std::to_string(n) + ": {name: 品" + std::to_string(n) +
                           ", altName: 品, kind: " + (event ? "11" : "8, price: 10");
        if (n == 1) line += ", chestRank: 1, chestAllowed: 1";
        f["items.yaml"].push_back(line + "}");
    }
    f["chest_items.yaml"] = {"1: {level: 1, item: 1}"};
    for (int p = 1; p <= 12; ++p)
        f["npc.yaml"].push_back(std::to_string(p) +
                                ": {npcGoods: [1, 2, 3, 4, 5, 6, 7, 8, 9, 10], "
                                "npcPriceFactor: 0.5}");
    for (int k = 1; k <= 60; ++k)
        f["fusion.yaml"].push_back(std::to_string(k) +
                                   ": {result: 2, failure: 3, ingredients: [4, 5]}");
    f["alchemy.yaml"] = {"1: {product: 2, materials: [4, 5]}"};
    for (int n = 1; n <= 299; ++n)
        f["skills.yaml"].push_back(std::to_string(n) + ": {name: 技" + std::to_string(n) +
                                   ", classLevel: {1: 1}, description: 説明}");
    f["shop.yaml"] = {"1: 5"};
    f["spells.yaml"] = {"1: {name: A, effect: 7, target: 4, flags: 3}",
                        "2: {name: B, effect: 105, flags: 1}", "3: {name: C, effect: 6, flags: 2}",
                        "4: {name: D, effect: 41, flags: 0}"};
    return f;
}

class ItemCheck : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "dv-item-check-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::vector<CheckProblem> check(const Files& files) {
        for (const auto& [name, lines] : files) {
            std::ofstream out(dir_ / name);
            for (const auto& line : lines)
                out << line << "\n";
        }
        return checkItems(readContentSources(dir_));
    }

    fs::path dir_;
};

std::string describe(const std::vector<CheckProblem>& problems) {
    std::ostringstream s;
    for (const auto& p : problems)
        s << p.where.file << ":" << p.where.line << ": " << p.message << "\n";
    return s.str();
}

TEST_F(ItemCheck, TheSmallSetPasses) {
    const auto problems = check(goodSet());
    EXPECT_TRUE(problems.empty()) << describe(problems);
}

struct Edit {
    const char* file;
    int line;          // 1-based line to replace
    const char* text;  // may hold more lines, or a comment to drop the entry
};

struct Case {
    const char* what;
    std::vector<Edit> edits;
    const char* file;  // where the one problem is reported
    int line;
    const char* mentions;
};

class ItemFault : public ItemCheck, public ::testing::WithParamInterface<Case> {};

TEST_P(ItemFault, IsReportedOnceWithFileAndLine) {
    const Case& c = GetParam();
    Files files = goodSet();
    for (const Edit& e : c.edits)
        files[e.file].at(static_cast<std::size_t>(e.line - 1)) = e.text;
    const auto problems = check(files);
    ASSERT_EQ(problems.size(), 1u) << c.what << "\n" << describe(problems);
    EXPECT_EQ(fs::path(problems[0].where.file).filename(), c.file) << c.what;
    EXPECT_EQ(problems[0].where.line, c.line) << c.what;
    EXPECT_NE(problems[0].message.find(c.mentions), std::string::npos)
        << c.what << ": " << problems[0].message;
}

const char* const kGone = "# gone";

INSTANTIATE_TEST_SUITE_P(
    Faults, ItemFault,
    ::testing::Values(
        Case{"a gap in the item numbers",
             {{"items.yaml", 300, kGone}},
             "items.yaml",
             301,
             "item 300 is missing"},
        Case{"items ending before 657",
             {{"items.yaml", 651, kGone},
              {"items.yaml", 652, kGone},
              {"items.yaml", 653, kGone},
              {"items.yaml", 654, kGone},
              {"items.yaml", 655, kGone},
              {"items.yaml", 656, kGone},
              {"items.yaml", 657, kGone}},
             "items.yaml",
             650,
             "items 651..657 are missing: the item catalogue stops at the first gap; item 656:"},
        Case{"the ending item of the wrong kind",
             {{"items.yaml", 657, "657: {name: 品657, altName: 品, kind: 8}"}},
             "items.yaml",
             657,
             "item 657 must be an event item (kind 11)"},
        Case{"an itemNumber that is not the entry's",
             {{"items.yaml", 5, "5: {itemNumber: 6, name: 品5, altName: 品, kind: 8}"}},
             "items.yaml",
             5,
             "itemNumber must equal its number"},
        Case{"two items of one name",
             {{"items.yaml", 7, "7: {name: 品6, altName: 品, kind: 8}"}},
             "items.yaml",
             7,
             "name also used by item 6"},
        Case{"an item without an unidentified name",
             {{"items.yaml", 8, "8: {name: 品8, kind: 8}"}},
             "items.yaml",
             8,
             "unidentified name"},
        Case{"a weapon without a weapon type",
             {{"items.yaml", 9, "9: {name: 品9, altName: 品, kind: 1, reach: 1}"}},
             "items.yaml",
             9,
             "weaponType is 1..13"},
        Case{"a two-handed helm",
             {{"items.yaml", 10, "10: {name: 品10, altName: 品, kind: 6, twoHanded: -1}"}},
             "items.yaml",
             10,
             "only weapons"},
        Case{"twoHanded written as 1",
             {{"items.yaml", 10,
               "10: {name: 品10, altName: 品, kind: 1, weaponType: 1, reach: 1, twoHanded: 1}"}},
             "items.yaml",
             10,
             "twoHanded is 0 or -1"},
        Case{"an element past the resistance table",
             {{"items.yaml", 10,
               "10: {name: 品10, altName: 品, kind: 1, weaponType: 1, reach: 1, element: 40}"}},
             "items.yaml",
             10,
             "element indexes resistances 0..36"},
        Case{"a resistance that is neither a percent, absorb nor reflect",
             {{"items.yaml", 10, "10: {name: 品10, altName: 品, kind: 3, resistances: {4: 150}}"}},
             "items.yaml",
             10,
             "resistances 4 is 0..100"},
        Case{"a status chance above 100",
             {{"items.yaml", 10,
               "10: {name: 品10, altName: 品, kind: 1, weaponType: 1, reach: 1, "
               "statusChance: {15: 120}}"}},
             "items.yaml",
             10,
             "statusChance 15 is a percent"},
        Case{"a power code that does nothing",
             {{"items.yaml", 10, "10: {name: 品10, altName: 品, kind: 8, specialPower: 17}"}},
             "items.yaml",
             10,
             "specialPower 17 does nothing"},
        Case{"a chest rank above the deepest battle chest",
             {{"items.yaml", 10,
               "10: {name: 品10, altName: 品, kind: 8, chestRank: 36, chestAllowed: 1}"}},
             "items.yaml",
             10,
             "chestRank is 0..35"},
        Case{"a chest rank without chestAllowed",
             {{"items.yaml", 10, "10: {name: 品10, altName: 品, kind: 8, chestRank: 3}"}},
             "items.yaml",
             10,
             "never drawn"},
        Case{"an event item in battle chests",
             {{"items.yaml", 10,
               "10: {name: 品10, altName: 品, kind: 11, chestRank: 3, chestAllowed: 3}"}},
             "items.yaml",
             10,
             "event item is handed out by events"},
        Case{"armour nobody can wear",
             {{"items.yaml", 10, "10: {name: 品10, altName: 品, kind: 3, classMask: 0}"}},
             "items.yaml",
             10,
             "nobody who can wear it"},
        Case{"a price wider than the shop's column",
             {{"items.yaml", 10, "10: {name: 品10, altName: 品, kind: 8, price: 100000000}"}},
             "items.yaml",
             10,
             "price is 0..99999999"},
        Case{"a potion that offers a skill",
             {{"items.yaml", 10, "10: {name: 品10, altName: 品, kind: 8, grantedSkill: 5}"}},
             "items.yaml",
             10,
             "only worn items offer a skill"},
        Case{"a ring offering a skill without a record",
             {{"items.yaml", 11, "11: {name: 品11, altName: 品, kind: 7, grantedSkill: 50}"},
              {"skills.yaml", 50, kGone}},
             "items.yaml",
             11,
             "grantedSkill 50 names no skill"},
        Case{"an instrument playing a camp-only spell",
             {{"items.yaml", 12, "12: {name: 品12, altName: 品, kind: 9, spellLink: 3}"}},
             "items.yaml",
             12,
             "songs need a spell usable in battle"},
        Case{"a scroll of a spell usable nowhere",
             {{"items.yaml", 12, "12: {name: 品12, altName: 品, kind: 8, spellLink: 4}"}},
             "items.yaml",
             12,
             "works neither in battle nor in camp"},
        Case{"a shop count below -1", {{"shop.yaml", 1, "1: -2"}}, "shop.yaml", 1, "write -1"},
        Case{"the shop selling an item without a price",
             {{"items.yaml", 12, "12: {name: 品12, altName: 品, kind: 8}"},
              {"shop.yaml", 1, "12: 3"}},
             "shop.yaml",
             1,
             "the shop would give it away"},
        Case{"a loot row of a level no chest has",
             {{"chest_items.yaml", 1, "1: {level: 1, item: 1}\n2: {level: 7, item: 1}"}},
             "chest_items.yaml",
             2,
             "row 2 is never drawn"},
        Case{"an event item as chest loot",
             {{"chest_items.yaml", 1, "1: {level: 1, item: 1}\n2: {level: 2, item: 657}"}},
             "chest_items.yaml",
             2,
             "event items are handed out by events"},
        Case{"found chests without loot",
             {{"chest_items.yaml", 1, "1: {level: 99, item: 0}"}},
             "chest_items.yaml",
             1,
             "found chests of level 1 (亜獣人の谷, アヴァロン, アンダーバベル), 2 ("},
        Case{"battle chests without candidates at the lowest levels",
             {{"items.yaml", 1,
               "1: {name: 品1, altName: 品, kind: 8, price: 10, chestRank: 4, chestAllowed: 1}"}},
             "items.yaml",
             1,
             "battle chests of level 1..3 have nothing to hold"},
        Case{"a person without goods",
             {{"npc.yaml", 5, "5: {npcPriceFactor: 0.5}"}},
             "npc.yaml",
             5,
             "person 5 has no goods"},
        Case{"a person paying more than the shop asks",
             {{"npc.yaml", 6,
               "6: {npcGoods: [1, 2, 3, 4, 5, 6, 7, 8, 9, 10], npcPriceFactor: 1.5}"}},
             "npc.yaml",
             6,
             "npcPriceFactor is above 0 and at most 1"},
        Case{"an alchemy recipe of one material",
             {{"alchemy.yaml", 1, "1: {product: 2, materials: [4]}"}},
             "alchemy.yaml",
             1,
             "needs two materials"},
        Case{"a fusion row left out",
             {{"fusion.yaml", 30, kGone}},
             "fusion.yaml",
             29,
             "fusion rows 30 hold no recipe"},
        Case{"a fusion naming one ingredient twice",
             {{"fusion.yaml", 7, "7: {result: 2, failure: 3, ingredients: [4, 4]}"}},
             "fusion.yaml",
             7,
             "names item 4 twice"},
        Case{"a fusion without ingredients",
             {{"fusion.yaml", 8, "8: {result: 2, failure: 3}"}},
             "fusion.yaml",
             8,
             "has no ingredients"},
        Case{"an offered skill without a description",
             {{"skills.yaml", 10, "10: {name: 技10, classLevel: {1: 1}}"}},
             "skills.yaml",
             10,
             "skill 10 is offered but has no description"},
        Case{"a skill the program tests left out",
             {{"skills.yaml", 60, kGone}},
             "skills.yaml",
             59,
             "the program tests skills 60,"}));

}  // namespace
}  // namespace dv
