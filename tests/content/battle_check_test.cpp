// The battle checks on a small content set that holds just what they ask for: each case
// breaks one thing and expects one problem naming the file and line to mend.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "content/check_battle.h"
#include "content/content_error.h"
#include "content/content_set.h"

namespace dv {
namespace {

namespace fs = std::filesystem;

using Lines = std::vector<std::string>;

std::string monster(int n, const std::string& extra = "") {
    return std::to_string(n) + ": {name: 試しの魔物" + std::to_string(n) +
           ", classBit: 1024, level: 40, appearDiceCount: 1, appearDiceSides: 2, hpDiceCount: 4, "
           "hpDiceSides: 8" +
           extra + "}";
}

// The smallest set the battle checks accept: the counted monsters, a random battle on every
// floor the game enters, each bound demon in a row of its own, the rift and the call table.
std::map<std::string, Lines> smallSet() {
    std::map<std::string, Lines> files;
    Lines& monsters = files["monsters.yaml"];
    monsters.push_back(
        "1: {name: 試しの小鬼, classBit: 4, level: 1, appearDiceCount: 1, appearDiceSides: 3, "
        "hpDiceCount: 1, hpDiceSides: 6}");
    monsters.push_back(monster(472));
    for (int n = 698; n <= 769; ++n)
        monsters.push_back(monster(n));
    monsters.push_back(monster(836));
    monsters.push_back(monster(837));
    Lines& encounters = files["encounters.yaml"];
    int row = 1;
    for (auto [dungeon, floors] : {std::pair{21, 5}, {22, 4}, {23, 7}, {24, 7}, {25, 2}, {26, 1}})
        for (int f = 1; f <= floors; ++f)
            encounters.push_back(std::to_string(row++) + ": {dungeon: " + std::to_string(dungeon) +
                                 ", floor: " + std::to_string(f) + ", groups: [1]}");
    for (int n = 698; n <= 769; ++n)
        encounters.push_back(std::to_string(n - 598) + ": {dungeon: 25, floor: " +
                             std::to_string(1 + n % 2) + ", groups: [" + std::to_string(n) + "]}");
    for (int n = 1800; n <= 1824; ++n)
        encounters.push_back(std::to_string(n) + ": {groups: [1]}");
    Lines& calls = files["call_table.yaml"];
    for (int e = 75; e <= 110; ++e)
        calls.push_back(std::to_string(e) + ": 1");
    files["actions.yaml"] = {"1: {kind: 3}"};
    return files;
}

// The 1-based line of the entry `n` in a file of the small set.
int lineOf(const Lines& lines, int n) {
    const std::string key = std::to_string(n) + ":";
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].rfind(key, 0) == 0) return static_cast<int>(i) + 1;
    return 0;
}

// One change to a file: the entry's line replaced by `text`, removed when `text` is empty,
// or `text` appended when the entry is 0.
struct Change {
    std::string file;
    int entry;
    std::string text;
};

struct BattleFault {
    const char* what;
    std::vector<Change> changes;
    std::string file;  // the file the problem names
    int entry;         // the entry whose line (after the changes) it names
    const char* mentions;
};

void PrintTo(const BattleFault& c, std::ostream* out) {
    *out << c.what;
}

class TempDir {
  public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "dv-battle-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path_ = pattern;
    }
    ~TempDir() {
        if (!path_.empty()) fs::remove_all(path_);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

void write(const fs::path& dir, const std::map<std::string, Lines>& files) {
    for (const auto& [name, lines] : files) {
        std::ofstream out(dir / name);
        for (const std::string& l : lines)
            out << l << "\n";
    }
}

std::string describe(const std::vector<CheckProblem>& problems) {
    std::ostringstream s;
    for (const auto& p : problems)
        s << p.where.file << ":" << p.where.line << ": " << p.message << "\n";
    return s.str();
}

TEST(BattleCheck, TheSmallSetPasses) {
    TempDir dir;
    ASSERT_FALSE(dir.path().empty());
    write(dir.path(), smallSet());
    const auto problems = checkBattleContent(readContentSources(dir.path()));
    EXPECT_TRUE(problems.empty()) << describe(problems);
}

// `count` random battles on the first floor, one line each.
std::string manyRows(int first, int count) {
    std::string rows;
    for (int r = first; r < first + count; ++r)
        rows += std::to_string(r) + ": {dungeon: 21, floor: 1, groups: [1]}\n";
    return rows;
}

class BattleFaults : public ::testing::TestWithParam<BattleFault> {};

TEST_P(BattleFaults, AreReportedWithFileAndLine) {
    const BattleFault& c = GetParam();
    std::map<std::string, Lines> files = smallSet();
    for (const Change& change : c.changes) {
        Lines& lines = files[change.file];
        if (change.entry == 0) {
            std::istringstream text(change.text);
            for (std::string line; std::getline(text, line);)
                lines.push_back(line);
            continue;
        }
        const int at = lineOf(lines, change.entry);
        ASSERT_GT(at, 0) << c.what;
        if (change.text.empty())
            lines.erase(lines.begin() + at - 1);
        else
            lines[at - 1] = change.text;
    }
    const int expectedLine = lineOf(files[c.file], c.entry);
    ASSERT_GT(expectedLine, 0) << c.what;
    TempDir dir;
    ASSERT_FALSE(dir.path().empty());
    write(dir.path(), files);
    const auto problems = checkBattleContent(readContentSources(dir.path()));
    ASSERT_EQ(problems.size(), 1u) << c.what << "\n" << describe(problems);
    EXPECT_EQ(problems[0].where.file, (dir.path() / c.file).string()) << c.what;
    EXPECT_EQ(problems[0].where.line, expectedLine) << c.what << "\n" << describe(problems);
    EXPECT_NE(problems[0].message.find(c.mentions), std::string::npos) << c.what << "\n"
                                                                       << problems[0].message;
}

// The first floor already lists one row of the small set, so of 351 rows added there the
// 350th (row 1749) is the first that is never drawn.
INSTANTIATE_TEST_SUITE_P(
    Cases, BattleFaults,
    ::testing::Values(
        BattleFault{"a bound demon left out",
                    {{"monsters.yaml", 700, ""}},
                    "monsters.yaml",
                    699,
                    "monster 700 is missing"},
        BattleFault{"a bound demon no blow and no spell can hurt",
                    {{"monsters.yaml", 700, monster(700, ", resistances: {1: 255, 2: 100}")}},
                    "monsters.yaml",
                    700,
                    "monster 700 cannot be killed (neither blows nor spells"},
        BattleFault{"a bound demon whose spell damage is nothing and blows are absorbed",
                    {{"monsters.yaml", 700,
                      monster(700, ", resistances: {1: 200}, damagePercent: {2: 0}")}},
                    "monsters.yaml",
                    700,
                    "monster 700 cannot be killed"},
        BattleFault{"a bound demon without hit points",
                    {{"monsters.yaml", 700,
                      "700: {name: 試しの魔物700, classBit: 1024, appearDiceCount: 1, "
                      "appearDiceSides: 2}"}},
                    "monsters.yaml",
                    700,
                    "hit points can be 0"},
        BattleFault{"a bound demon met only in a fixed battle",
                    {{"encounters.yaml", 102, "102: {groups: [700]}"}},
                    "monsters.yaml",
                    700,
                    "monster 700 is met in no random battle"},
        BattleFault{"a bound demon placed on a floor never entered",
                    {{"encounters.yaml", 102, "102: {dungeon: 25, floor: 3, groups: [700]}"}},
                    "monsters.yaml",
                    700,
                    "monster 700 is met in no random battle"},
        BattleFault{"the servants counted by ability 308 left out",
                    {{"monsters.yaml", 472, ""}},
                    "monsters.yaml",
                    1,
                    "monster 472 is missing: ability 308"},
        BattleFault{"the souls counted by ability 307 that nothing hurts",
                    {{"monsters.yaml", 836, monster(836, ", resistances: {1: 100, 2: 200}")}},
                    "monsters.yaml",
                    836,
                    "monster 836 cannot be killed"},
        BattleFault{"the children counted by ability 306 left out",
                    {{"monsters.yaml", 837, ""}},
                    "monsters.yaml",
                    836,
                    "monster 837 is missing: ability 306"},
        BattleFault{"a rift encounter left out",
                    {{"encounters.yaml", 1805, ""}},
                    "encounters.yaml",
                    1804,
                    "encounter 1805 is missing"},
        BattleFault{"a rift encounter without monsters",
                    {{"encounters.yaml", 1824, "1824: {groups: [0, 0]}"}},
                    "encounters.yaml",
                    1824,
                    "encounter 1824 is missing or has no monster"},
        BattleFault{"a call table element naming a missing monster",
                    {{"call_table.yaml", 80, "80: 1999"}},
                    "call_table.yaml",
                    80,
                    "call table element 80 names monster 1999"},
        BattleFault{"a call table element naming a monster that comes ten at once",
                    {{"call_table.yaml", 90, "90: 2"},
                     {"monsters.yaml", 0,
                      "2: {name: 試しの大群, classBit: 1, appearDiceCount: 1, appearDiceSides: 6, "
                      "appearDiceBonus: 4, hpDiceCount: 1, hpDiceSides: 4}"}},
                    "call_table.yaml",
                    90,
                    "comes more than nine at once"},
        BattleFault{"a call table element left out",
                    {{"call_table.yaml", 110, ""}},
                    "call_table.yaml",
                    109,
                    "call table element 110 names no monster"},
        BattleFault{"a floor the game enters without random battles",
                    {{"encounters.yaml", 13, ""}},
                    "encounters.yaml",
                    10,
                    "dungeon 23 floor 4 has no random battle"},
        BattleFault{"a floor whose random battles overflow its list",
                    {{"encounters.yaml", 0, manyRows(1400, 351)}},
                    "encounters.yaml",
                    1749,
                    "more than 350 random battles"},
        BattleFault{"a fixed-name monster written with another name",
                    {{"monsters.yaml", 0,
                      "770: {name: 別の名の巨人, classBit: 32, appearDiceCount: 1, "
                      "appearDiceSides: 1, hpDiceCount: 1, hpDiceSides: 4}"}},
                    "monsters.yaml",
                    770,
                    "is named ガルヴァント by the program"},
        BattleFault{"a monster casting a spell no monster can cast",
                    {{"monsters.yaml", 1,
                      "1: {name: 試しの小鬼, classBit: 4, appearDiceCount: 1, appearDiceSides: 3, "
                      "hpDiceCount: 1, hpDiceSides: 6, actions: [1, 1, 1, 1, 1, 1, 1, 1, 1, 1, "
                      "1, 1, 1, 1, 1, 1, 1, 1, 1, 9]}"}},
                    "monsters.yaml",
                    1,
                    "uses action 9, a spell of school 0 and level 8"},
        BattleFault{"a monster casting a spell whose effect does nothing for monsters",
                    {{"spells.yaml", 0,
                      "33: {name: KURAMA, kind: 1, level: 2, number: 3, effect: 24, target: 2, "
                      "flags: 7}"},
                     {"monsters.yaml", 1,
                      "1: {name: 試しの小鬼, classBit: 4, appearDiceCount: 1, appearDiceSides: 3, "
                      "hpDiceCount: 1, hpDiceSides: 6, actions: [1, 1, 1, 1, 1, 1, 1, 1, 1, 1, "
                      "1, 1, 1, 1, 1, 1, 1, 1, 1, 12]}"}},
                    "monsters.yaml",
                    1,
                    "uses action 12, a spell of school 1 and level 2"},
        BattleFault{"a status row aimed at several draws",
                    {{"actions.yaml", 0,
                      "200: {kind: 2, targetKind: 5, drawCount: 1, drawSides: 3, statusChance: "
                      "{15: 40}, message: \"は\\n歌った\"}"}},
                    "actions.yaml",
                    200,
                    "targetKind 5 or 15 strikes nobody"},
        BattleFault{"a row aimed at no one",
                    {{"actions.yaml", 0,
                      "200: {kind: 2, targetKind: 7, statusChance: {15: 40}, message: "
                      "\"は\\n歌った\"}"}},
                    "actions.yaml",
                    200,
                    "targetKind 7 strikes nobody"},
        BattleFault{"a damage row with a dice text the program cannot read",
                    {{"actions.yaml", 0,
                      "200: {kind: 1, targetKind: 2, element: 1, diceCount: \"2\", diceSides: "
                      "\"d6\", diceBonus: \"0\", multiplier: \"1\", message: \"は\\n殴った\"}"}},
                    "actions.yaml",
                    200,
                    "dice 'd6'"},
        BattleFault{"a damage row with an element beyond the resistances",
                    {{"actions.yaml", 0,
                      "200: {kind: 1, targetKind: 2, element: 2, secondResistance: 40, "
                      "diceCount: \"2\", diceSides: \"6\", diceBonus: \"0\", multiplier: "
                      "\"1\", message: \"は\\n燃やした\"}"}},
                    "actions.yaml",
                    200,
                    "resistance indexes 0..36"},
        BattleFault{"a status row whose only chance is the HP drain index",
                    {{"actions.yaml", 0,
                      "200: {kind: 2, targetKind: 2, statusChance: {28: 50}, message: "
                      "\"は\\n吸った\"}"}},
                    "actions.yaml",
                    200,
                    "status chances are for types"},
        BattleFault{"a damage row with status chances it never tries",
                    {{"actions.yaml", 0,
                      "200: {kind: 1, targetKind: 2, element: 1, diceCount: \"da\", diceSides: "
                      "\"db\", diceBonus: \"dc\", multiplier: \"wc\", statusChance: {22: 50}, "
                      "message: \"は\\n噛んだ\"}"}},
                    "actions.yaml",
                    200,
                    "kind 4 does"},
        BattleFault{"a row whose message does not follow the monster's name",
                    {{"actions.yaml", 0,
                      "200: {kind: 2, targetKind: 4, statusChance: {17: 40}, message: "
                      "\"恐ろしい声が響いた\"}"}},
                    "actions.yaml",
                    200,
                    "starts with は or の"},
        BattleFault{"a group shield used without the message it shows",
                    {{"actions.yaml", 0, "300: {kind: 3}"},
                     {"monsters.yaml", 1,
                      "1: {name: 試しの小鬼, classBit: 4, appearDiceCount: 1, appearDiceSides: 3, "
                      "hpDiceCount: 1, hpDiceSides: 6, actions: [1, 1, 1, 1, 1, 1, 1, 1, 1, 1, "
                      "1, 1, 1, 1, 1, 1, 1, 1, 1, 300]}"}},
                    "actions.yaml",
                    300,
                    "action 300: the message"},
        BattleFault{"a monster whose blows would spread disease",
                    {{"monsters.yaml", 1,
                      "1: {name: 試しの小鬼, classBit: 4, appearDiceCount: 1, appearDiceSides: 3, "
                      "hpDiceCount: 1, hpDiceSides: 6, meleeStatusChance: {27: 20}}"}},
                    "monsters.yaml",
                    1,
                    "never make status 27"}));

TEST(BattleCheck, EncounterRowsAndCallTableElementsWrittenTwiceAreRefused) {
    for (const char* file : {"encounters.yaml", "call_table.yaml"}) {
        std::map<std::string, Lines> files = smallSet();
        Lines& lines = files[file];
        const std::string again = lines.back();
        lines.push_back(again);
        TempDir dir;
        ASSERT_FALSE(dir.path().empty());
        write(dir.path(), files);
        try {
            readContentSources(dir.path());
            ADD_FAILURE() << file << ": a repeated entry was accepted";
        } catch (const ContentError& e) {
            EXPECT_EQ(e.file(), (dir.path() / file).string());
            EXPECT_EQ(e.line(), static_cast<int>(lines.size())) << e.what();
            EXPECT_NE(std::string(e.what()).find("written twice"), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace dv
