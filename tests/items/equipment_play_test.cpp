// The equipment window with its closing sequence (powers, skills, values), the skill
// window and the alchemy window, through the sheet.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "characters/equipment_rules.h"
#include "characters/races_classes.h"
#include "core/screens.h"
#include "core/window_of.h"
#include "item_fixture.h"
#include "items/alchemy_window.h"
#include "items/equipment_window.h"
#include "items/skill_window.h"
#include "items/status_sheet.h"
#include "ui/keys.h"

namespace dv {
namespace {

using test::GameHarness;
using namespace test;

StatusSheet& sheetOf(GameHarness& h) {
    return WindowOf<StatusSheet>(h.game());
}
EquipmentWindow& equipOf(GameHarness& h) {
    return WindowOf<EquipmentWindow>(h.game());
}
SkillWindow& skillsOf(GameHarness& h) {
    return WindowOf<SkillWindow>(h.game());
}
Character& at(GameHarness& h, int slot) {
    return h.game().save.roster[static_cast<size_t>(slot)];
}

void setUp(GameHarness& h) {
    h.startToTown();
    StockItems(h.game());
    FormParty(h.game(), {{"アルテア", kLawful, 1, 1, kMale}, {"ベルカ", kNeutral, 2, 2, kFemale}});
    h.game().save.eventFlags[19] = 4;
}

TEST(EquipmentPlay, ASwordAndShieldChangeTheSheetAndTheGreatSwordTakesTheShieldOff) {
    GameHarness h;
    setUp(h);
    Character& a = at(h, 1);
    a.items[1] = {kLongSword, 0, 1};
    a.items[2] = {kShield, 0, 1};
    a.items[3] = {kGreatSword, 0, 1};
    a.items[4] = {kMageStaff, 0, 1};
    const int raceArmor = RaceOf(1)->baseArmorClass;
    h.script().check([&] { OpenSheet(h.game(), 1, kSheetTown); });
    h.script().key('E').check([&] {
        EquipmentWindow& w = equipOf(h);
        EXPECT_TRUE(w.visible());
        EXPECT_TRUE(w.lstPosition.hasFocus());
        // The primary hand offers the fighter's weapons, not the mage's staff.
        EXPECT_EQ(w.lstItem.texts(),
                  (std::vector<std::string>{"1:  ロングソード", "2:  グレートソード",
                                            "L)なにも装備しない"}));
    });
    h.script().key(keys::Enter).key(keys::Enter).check([&] {
        EXPECT_EQ(equipOf(h).lstItem.list(0), "1:* ロングソード");
        EXPECT_EQ(at(h, 1).items[1].itemFlags, kEquipPrimary);
        EXPECT_TRUE(equipOf(h).lstPosition.hasFocus());
    });
    // The secondary hand: the shield.
    h.script().key(keys::Down).check([&] {
        EXPECT_EQ(equipOf(h).lstItem.texts(),
                  (std::vector<std::string>{"1:  カイトシールド", "L)なにも装備しない"}));
    });
    h.script().key(keys::Enter).key(keys::Enter).check([&] {
        EXPECT_EQ(at(h, 1).items[2].itemFlags, kEquipSecondary);
    });
    // Closing: the skill window comes every time, then the values.
    h.script().key(keys::Esc).check([&] { EXPECT_TRUE(skillsOf(h).visible()); });
    h.script().key(keys::Enter).check([&] {
        EXPECT_FALSE(equipOf(h).visible());
        EXPECT_EQ(at(h, 1).baseArmorClass, raceArmor - 2);
        EXPECT_EQ(sheetOf(h).lblStatu[6].caption(), std::to_string(raceArmor - 2));
        EXPECT_EQ(sheetOf(h).lstItem.list(0), "1 :* ロングソード");
    });
    // The two-handed sword takes the shield off.
    h.script().key('E').key(keys::Enter).key(keys::Down).key(keys::Enter).check([&] {
        EXPECT_EQ(at(h, 1).items[3].itemFlags, kEquipPrimary);
        EXPECT_EQ(at(h, 1).items[1].itemFlags, 0);
        EXPECT_EQ(at(h, 1).items[2].itemFlags, 0) << "the shield came off";
    });
    // And the shield takes the two-handed sword off again.
    h.script().key(keys::Down).key(keys::Enter).key(keys::Enter).check([&] {
        EXPECT_EQ(at(h, 1).items[2].itemFlags, kEquipSecondary);
        EXPECT_EQ(at(h, 1).items[3].itemFlags, 0);
    });
    h.script().key(keys::Esc).key(keys::Enter).key('L');
    h.run();
}

TEST(EquipmentPlay, ACursedHelmSticksAndLocksItsPosition) {
    GameHarness h;
    setUp(h);
    at(h, 1).items[1] = {kCursedHelm, 0, 1};
    at(h, 1).items[2] = {kBoneHelm, 0, 1};
    h.script().check([&] { OpenSheet(h.game(), 1, kSheetTown); });
    h.script().key('E').key('H').check([&] { EXPECT_TRUE(equipOf(h).lstItem.hasFocus()); });
    h.script().key(keys::Enter).check([&] { EXPECT_TRUE(h.showsText("呪われている！")); });
    h.script().key(keys::Space).check([&] {
        EXPECT_EQ(at(h, 1).items[1].itemFlags, kEquipHead | kItemCursedWorn);
        EXPECT_EQ(equipOf(h).lstItem.list(0), "1:- 呪いの兜");
    });
    // The head cannot be opened again.
    h.script().key('H').check([&] { EXPECT_TRUE(h.showsText("呪われている！")); });
    h.script().key(keys::Space).check([&] { EXPECT_TRUE(equipOf(h).lstPosition.hasFocus()); });
    h.script().key(keys::Esc).key(keys::Enter);
    // It cannot be dropped or given either.
    h.script().key('D').key(keys::Enter).check([&] { EXPECT_TRUE(h.showsText("呪われている！")); });
    h.script().key(keys::Space).key(keys::Esc).key('L');
    h.run();
    EXPECT_EQ(at(h, 1).baseArmorClass, RaceOf(1)->baseArmorClass + 3);
    EXPECT_EQ(at(h, 1).items[1].itemId, kCursedHelm);
}

TEST(EquipItem, HandsAndCurses) {
    struct Case {
        const char* what;
        std::vector<ItemSlot> before;
        int code;
        int slot;
        std::string message;
        std::vector<std::int32_t> flagsAfter;
    };
    const Case cases[] = {
        {"a cursed shield keeps the two-handed sword out",
         {{kShield, 2 | kItemCursedWorn, 1}, {kGreatSword, 0, 1}},
         kEquipPrimary,
         2,
         "セカンダリハンドが呪われているため\n装備できない",
         {2 | kItemCursedWorn, 0}},
        {"a cursed two-handed sword keeps the shield out",
         {{kGreatSword, 1 | kItemCursedWorn, 1}, {kShield, 0, 1}},
         kEquipSecondary,
         2,
         "プライマリハンドが呪われているため\n装備できない",
         {1 | kItemCursedWorn, 0}},
        {"nothing: the hand is left empty", {{kLongSword, 1, 1}}, kEquipPrimary, 0, "", {0}},
        {"the code replaces an old one", {{kTwinBlade, 7, 1}}, kEquipPrimary, 1, "", {1}},
        {"the other hand's weapon stays",
         {{kTwinBlade, 2, 1}, {kLongSword, 0, 1}},
         kEquipPrimary,
         2,
         "",
         {2, 1}},
    };
    for (const Case& k : cases) {
        GameHarness h;
        setUp(h);
        Character& c = at(h, 1);
        for (size_t i = 0; i < k.before.size(); ++i)
            c.items[i + 1] = k.before[i];
        EXPECT_EQ(EquipItem(h.game(), c, k.code, k.slot), k.message) << k.what;
        for (size_t i = 0; i < k.flagsAfter.size(); ++i)
            EXPECT_EQ(c.items[i + 1].itemFlags, k.flagsAfter[i]) << k.what << " slot " << i + 1;
    }
}

TEST(EquipCandidates, TheSecondaryHandOffersWeaponsOnlyToDualWielders) {
    GameHarness h;
    setUp(h);
    Character& c = at(h, 1);
    c.items[1] = {kTwinBlade, kEquipPrimary, 1};
    c.items[2] = {kTwinBlade, 0, 1};
    c.items[3] = {kShield, 0, 1};
    EXPECT_EQ(EquipCandidates(h.game(), c, kEquipSecondary), (std::vector<int>{3}));
    c.skills[128] = -1;
    EXPECT_EQ(EquipCandidates(h.game(), c, kEquipSecondary), (std::vector<int>{2, 3}))
        << "not the blade held in the primary hand";
    c.items[2].itemFlags = kEquipSecondary;
    EXPECT_EQ(EquipCandidates(h.game(), c, kEquipPrimary), (std::vector<int>{1}));
}

TEST(SkillPlay, ChoosingASkillWithinTheLimitAndTheRingsSkillGoesWithTheRing) {
    GameHarness h;
    setUp(h);
    auto& skills = h.game().db.skillTable;
    auto skill = [&](int n, const std::string& name, int fighterLevel) {
        skills[static_cast<size_t>(n)].skillNumber = static_cast<std::int16_t>(n);
        skills[static_cast<size_t>(n)].name = name;
        skills[static_cast<size_t>(n)].classLevel[1] = fighterLevel;
        skills[static_cast<size_t>(n + 1)].description = name + "の説明";
    };
    skill(10, "剣術", 1);
    skill(20, "受け流し", 1);
    skill(30, "奥義", 50);  // too high a level
    skill(50, "知恵の守り", 0);
    h.game().save.eventFlags[19] = 1;
    Character& a = at(h, 1);
    a.items[1] = {kSkillRing, kEquipAccessory, 1};
    h.script().check([&] { OpenSheet(h.game(), 1, kSheetTown); });
    h.script().key('K').check([&] {
        SkillWindow& w = skillsOf(h);
        EXPECT_EQ(w.lstSkill.texts(),
                  (std::vector<std::string>{"□ 剣術", "□ 受け流し", "□ 知恵の守り"}));
        EXPECT_EQ(w.lblLabel.caption(), "剣術の説明");
    });
    h.script().key(keys::Space).key(keys::Down).key(keys::Space).check([&] {
        EXPECT_EQ(skillsOf(h).lstSkill.list(1), "■ 受け流し");
        EXPECT_EQ(skillsOf(h).lblLabel.caption(), "受け流しの説明");
    });
    // Two checked, one allowed.
    h.script().key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("アルテアが\n一度に装備できるスキルは『１』個までです"));
    });
    h.script().key(keys::Space).key(keys::Up).key(keys::Space).key(keys::Enter).check([&] {
        EXPECT_FALSE(skillsOf(h).visible());
        EXPECT_EQ(at(h, 1).skills[10], 0);
        EXPECT_EQ(at(h, 1).skills[20], -1);
        EXPECT_TRUE(sheetOf(h).lstCommand.hasFocus());
        EXPECT_EQ(sheetOf(h).lstCommand.listIndex(), 0);
    });
    // The ring's skill, chosen, goes when the ring comes off.
    h.script().check([&] {
        at(h, 1).skills.fill(0);
        at(h, 1).skills[50] = -1;
    });
    h.script()
        .key('E')
        .key(keys::End)
        .key(keys::Up)
        .key(keys::Enter)
        .key(keys::Down)
        .key(keys::Enter);
    h.script().key(keys::Esc).check([&] {
        EXPECT_EQ(skillsOf(h).lstSkill.texts(), (std::vector<std::string>{"□ 剣術", "□ 受け流し"}));
    });
    h.script().key(keys::Enter).key('L');
    h.run();
    EXPECT_EQ(at(h, 1).skills[50], 0);
}

TEST(SkillPlay, DualWieldingStaysWhileABladeIsInTheSecondaryHand) {
    GameHarness h;
    setUp(h);
    auto& table = h.game().db.skillTable;
    table[128].skillNumber = 128;
    table[128].name = "二刀流";
    table[128].classLevel[1] = 1;
    Character& a = at(h, 1);
    a.skills[128] = -1;
    a.items[1] = {kTwinBlade, kEquipSecondary, 1};
    h.script().check([&] { OpenSheet(h.game(), 1, kSheetTown); });
    h.script().key('K').key(keys::Space).check([&] {
        EXPECT_TRUE(h.showsText("セカンダリを装備している場合、\n二刀流のスキルは外せません"));
    });
    h.script().key(keys::Space).check([&] { EXPECT_EQ(skillsOf(h).lstSkill.list(0), "■ 二刀流"); });
    h.script().key(keys::Enter).key('L');
    h.run();
    EXPECT_EQ(at(h, 1).skills[128], -1);
}

TEST(SkillWindow, DescriptionsAndLimits) {
    GameHarness h;
    setUp(h);
    Character& a = at(h, 1);
    a.level = 99;
    auto& table = h.game().db.skillTable;
    table[300].skillNumber = 300;
    table[300].name = "最後";
    table[300].classLevel[1] = 1;
    EXPECT_EQ(OfferedSkills(h.game(), a), (std::vector<int>{300}));
    h.game().save.eventFlags[19] = -1;  // a damaged save counts as 0
    EXPECT_EQ(SkillLimit(h.game()), 0);
    h.script().check([&] { ChooseSkills(h.game(), 1); });
    h.script().check([&] { EXPECT_EQ(skillsOf(h).lblLabel.caption(), "") << "no record 301"; });
    h.script().key(keys::Enter);
    h.run();
    EXPECT_EQ(a.skills[300], 0);
    EXPECT_EQ(SkillClassNumber(1), 1);
    EXPECT_EQ(SkillClassNumber(131072), 18);
    EXPECT_EQ(SkillClassNumber(3), 0);
}

TEST(SkillWindow, StoredChoiceDropsTheRestAndArmsTheWards) {
    Character c;
    c.skills[77] = -1;  // no longer offered: dropped
    StoreSkills(c, {36, 54, 51, 0, 400}, {true, true, false, true, true});
    EXPECT_EQ(c.skills[36], -1);
    EXPECT_EQ(c.skills[54], -1);
    EXPECT_EQ(c.skills[51], 0);
    EXPECT_EQ(c.skills[77], 0);
    EXPECT_EQ(c.skills[0], 0) << "no skill 0";
    EXPECT_EQ(c.resistances[17], 100) << "fear";
    EXPECT_EQ(c.resistances[19], 100) << "frost";
}

TEST(PowerPlay, TheFruitIsEatenOnceWhenTheWindowCloses) {
    GameHarness h;
    setUp(h);
    Character& a = at(h, 1);
    a.strength = 10;
    a.items[1] = {kFruit, 0, 1};
    h.script().check([&] { OpenSheet(h.game(), 1, kSheetTown); });
    h.script().key('E').key(keys::Esc).check(
        [&] { EXPECT_TRUE(h.showsText("あなたは力の実の\n真の力を解放しますか？")); });
    h.script().key('Y').check([&] { EXPECT_TRUE(h.showsText("壊れました")); });
    h.script().key(keys::Space).key(keys::Enter).key('L');
    h.run();
    EXPECT_EQ(a.strength, 11);
    EXPECT_EQ(a.items[1].itemId, 0);
}

TEST(Powers, EachCodeAndItsLimits) {
    GameHarness h;
    setUp(h);
    struct Case {
        int code;
        std::function<void(Character&)> prepare;
        std::function<bool(const Character&)> holds;
    };
    const int strengthLimit = AttributeLimit(1, 1, true, 1);
    const Case cases[] = {
        {1, [&](Character& c) { c.strength = 3; },
         [](const Character& c) { return c.strength == 4; }},
        {1, [&](Character& c) { c.strength = static_cast<std::uint8_t>(strengthLimit); },
         [&](const Character& c) { return c.strength == strengthLimit; }},
        {7, [](Character& c) { c.age = 15; }, [](const Character& c) { return c.age == 15; }},
        {7, [](Character& c) { c.age = 30; }, [](const Character& c) { return c.age == 29; }},
        {13,
         [](Character& c) {
             c.items[1] = {kLongSword, 1, 1};
         },
         [](const Character& c) { return c.alignment == kLawful && c.items[1].itemFlags == 0; }},
        {10, [](Character&) {},
         [](const Character& c) { return c.race == 256 && c.alignment == kLawful; }},
        {32, [](Character& c) { c.maxSpellPoints(1, 1) = 9; },
         [](const Character& c) {
             return c.maxSpellPoints(1, 1) == 9 && c.spellPoints(1, 1) == 9;
         }},
        {58, [](Character& c) { c.maxSpellPoints(3, 9) = 2; },
         [](const Character& c) {
             return c.maxSpellPoints(3, 9) == 3 && c.spellPoints(3, 9) == 3;
         }},
        {59, [](Character& c) { c.experience = 1; },
         [](const Character& c) { return c.experience == 500001; }},
        {99, [](Character&) {}, [](const Character& c) { return c.strength == 18; }},
    };
    for (const Case& k : cases) {
        Character& c = at(h, 1);
        PutCharacter(h.game(), 1, {"アルテア", kNeutral, 1, 1, kMale});
        k.prepare(c);
        ApplyPower(h.game(), c, k.code);
        EXPECT_TRUE(k.holds(c)) << "code " << k.code;
    }
    // Code 8 heals every member who can still be healed.
    at(h, 1).hitPoints = 1;
    at(h, 2).hitPoints = 0;
    at(h, 2).status = kStatusDead;
    ApplyPower(h.game(), at(h, 1), 8);
    EXPECT_EQ(at(h, 1).hitPoints, at(h, 1).maxHitPoints);
    EXPECT_EQ(at(h, 2).hitPoints, 0);
}

TEST(PowerPlay, AWornItemThatBreaksIntoAMaterialComesOff) {
    GameHarness h;
    setUp(h);
    ItemRecord& ring = h.game().db.itemTable[kSkillRing];
    ring.specialPower = 15;  // a power that does nothing
    ring.powerBreakChance = 101;
    ring.brokenInto = kHide;
    at(h, 1).items[1] = {kSkillRing, kEquipAccessory | kItemCursedWorn, 1};
    h.game().currentCharacter = 1;
    h.script().check([&] { ReleasePowers(h.game()); });
    h.script().key('Y').key(keys::Space);
    h.run();
    EXPECT_EQ(at(h, 1).items[1], (ItemSlot{kHide, 0, 1})) << "unworn, free to drop";
    EXPECT_EQ(h.game().save.itemFoundCounts[kHide], 1);
}

TEST(AlchemyPlay, TwoHidesMakeABoneHelm) {
    GameHarness h;
    setUp(h);
    auto& t = h.game().db.alchemyTable;
    t[1] = kBoneHelm;
    t[122] = kHide;
    t[243] = kHide;
    t[2] = kShield;  // needs a potion as well
    t[123] = kHide;
    t[244] = kPotion;
    t[3] = 2500;  // a product that is no item is never offered
    t[124] = kHide;
    t[245] = kHide;
    Character& a = at(h, 1);
    a.skills[60] = -1;
    a.items[1] = {kHide, 0, 1};
    EXPECT_EQ(ListedRecipes(h.game(), a), (std::vector<int>{1})) << "one hide serves both";
    h.script().check([&] { OpenSheet(h.game(), 1, kSheetCamp); });
    h.script().key('M').check([&] {
        AlchemyWindow& w = WindowOf<AlchemyWindow>(h.game());
        EXPECT_EQ(w.lstAlchemi1.texts(), (std::vector<std::string>{"骨の兜"}));
        EXPECT_EQ(w.lstAlchemi2.texts(), (std::vector<std::string>{"獣の皮", "獣の皮"}));
    });
    h.script().key(keys::Enter).check([&] {
        EXPECT_TRUE(h.showsText("新しいアイテムを手に入れました"));
    });
    h.script().key(keys::Space).check([&] {
        EXPECT_EQ(sheetOf(h).lstItem.texts(), (std::vector<std::string>{"1 :  骨の兜"}));
    });
    // Leaving the window costs nothing.
    h.script().key('M').key(keys::Esc).check([&] { EXPECT_TRUE(h.showsText("おおっと！")); });
    h.script().key(keys::Space).key('L');
    h.run();
    EXPECT_EQ(h.game().save.itemFoundCounts[kBoneHelm], 1);
    EXPECT_EQ(a.items[1].itemId, kBoneHelm);
}

TEST(Alchemy, AFullPackLosesMaterialsAndProduct) {
    GameHarness h;
    setUp(h);
    auto& t = h.game().db.alchemyTable;
    t[1] = kBoneHelm;
    t[122] = kHide;
    t[243] = kPotion;
    Character& a = at(h, 1);
    a.items[1] = {kHide, 0, 2};
    a.items[2] = {kPotion, 0, 2};
    for (int s = 3; s <= kInventorySlots; ++s)
        a.items[static_cast<size_t>(s)] = {kLongSword, 0, 1};
    EXPECT_EQ(ListedRecipes(h.game(), a), (std::vector<int>{1}));
    h.game().currentCharacter = 1;
    h.script().check([&] { MakeRecipe(h.game(), 1, {kHide, kPotion}); });
    h.script().check([&] { EXPECT_TRUE(h.showsText("アイテムがいっぱいです")); });
    h.script().key(keys::Space);
    h.run();
    EXPECT_EQ(a.items[1], (ItemSlot{kHide, 0, 1}));
    EXPECT_EQ(a.items[2], (ItemSlot{kPotion, 0, 1}));
    EXPECT_EQ(h.game().save.itemFoundCounts[kBoneHelm], 0);
}

}  // namespace
}  // namespace dv
