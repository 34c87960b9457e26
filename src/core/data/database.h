#pragma once

// The game's fixed content, read once at start-up from QTR3..QTR6.DAT and only read after.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/data/character.h"
#include "core/data/grid.h"
#include "core/data/records.h"

namespace dv {

inline constexpr int kItemCount = 2001;        // items 0..2000
inline constexpr int kMonsterCount = 2001;     // monsters 0..2000
inline constexpr int kSpellCount = 201;        // spells 0..200
inline constexpr int kTrapCount = 51;          // traps 0..50
inline constexpr int kNpcCount = 21;           // people 0..20
inline constexpr int kSkillRecordCount = 301;  // skills 0..300
inline constexpr int kActionCount = 501;       // monster actions 0..500
inline constexpr int kConversationCount = 51;  // conversations 0..50
inline constexpr int kAlchemyCount = 484;
inline constexpr int kSpareCount = 143;
inline constexpr int kCallCount = 111;

inline constexpr int kFirstDungeon = 20;
inline constexpr int kLastDungeon = 27;
inline constexpr int kMazeFloors = 22;  // floors 0..21
inline constexpr int kMazeSize = 20;    // columns and rows 0..19

// One maze layer, Integer[20..27, 0..21, 0..19, 0..19] = (dungeon, floor, column, row).
// Held on the heap in file order; every access is checked because positions come from
// the save file and from map events.
class MazeLayer {
  public:
    static constexpr std::size_t kElements =
        std::size_t{kLastDungeon - kFirstDungeon + 1} * kMazeFloors * kMazeSize * kMazeSize;

    MazeLayer() : cells_(kElements, 0) {}

    static bool inRange(int dungeon, int floor, int x, int y) {
        return dungeon >= kFirstDungeon && dungeon <= kLastDungeon && floor >= 0 &&
               floor < kMazeFloors && x >= 0 && x < kMazeSize && y >= 0 && y < kMazeSize;
    }
    // Outside the layer reads as 0.
    std::int16_t at(int dungeon, int floor, int x, int y) const {
        return inRange(dungeon, floor, x, y) ? cells_[offset(dungeon, floor, x, y)] : 0;
    }
    // Returns false (and changes nothing) outside the layer.
    bool set(int dungeon, int floor, int x, int y, std::int16_t value) {
        if (!inRange(dungeon, floor, x, y)) return false;
        cells_[offset(dungeon, floor, x, y)] = value;
        return true;
    }

    std::vector<std::int16_t>& cells() { return cells_; }
    const std::vector<std::int16_t>& cells() const { return cells_; }
    // Every cell 0, in place.
    void clear() { std::fill(cells_.begin(), cells_.end(), std::int16_t{0}); }

    bool operator==(const MazeLayer&) const = default;

  private:
    static std::size_t offset(int dungeon, int floor, int x, int y) {
        return ((static_cast<std::size_t>(y) * kMazeSize + static_cast<std::size_t>(x)) *
                    kMazeFloors +
                static_cast<std::size_t>(floor)) *
                   (kLastDungeon - kFirstDungeon + 1) +
               static_cast<std::size_t>(dungeon - kFirstDungeon);
    }

    std::vector<std::int16_t> cells_;
};

struct Database {
    // QTR3.DAT
    std::vector<ItemRecord> itemTable = std::vector<ItemRecord>(kItemCount);
    Grid<std::int16_t, 51, 2> chestItemTable{};  // (row, 0 = level threshold / 1 = item)
    // QTR4.DAT
    std::vector<SpellRecord> spellTable = std::vector<SpellRecord>(kSpellCount);
    std::vector<TrapRecord> trapTable = std::vector<TrapRecord>(kTrapCount);
    std::array<std::int16_t, kAlchemyCount> alchemyTable{};
    Grid<std::int16_t, 61, 9> fusionTable{};  // (recipe, column)
    std::vector<NpcRecord> npcTable = std::vector<NpcRecord>(kNpcCount);
    std::vector<SkillRecord> skillTable = std::vector<SkillRecord>(kSkillRecordCount);
    std::array<std::int16_t, kSpareCount> spareTable{};
    std::array<std::int16_t, kCallCount> callTable{};
    // QTR5.DAT
    std::vector<Character> monsterTable = std::vector<Character>(kMonsterCount);
    // (encounter, column): 0 id, 1 dungeon - 20, 2 floor, 3..6 monster of groups 1..4
    Grid<std::int16_t, 2001, 7> encounterTable{};
    std::vector<ActionRecord> monsterActions = std::vector<ActionRecord>(kActionCount);
    std::vector<ConversationRecord> conversationTable =
        std::vector<ConversationRecord>(kConversationCount);
    // QTR6.DAT
    MazeLayer mazeWalls;
    MazeLayer mazeDoors;
    MazeLayer mazeAttributes;

    bool operator==(const Database&) const = default;
};

inline constexpr int kEncounterId = 0;
inline constexpr int kEncounterDungeon = 1;  // dungeon id - 20
inline constexpr int kEncounterFloor = 2;
inline constexpr int kEncounterFirstGroup = 3;  // columns 3..6 = groups 1..4

// Checked look-ups for numbers that come from files, saves or the player. A number
// outside its table means "none": the look-up gives nullptr and the stored number is
// left as it is.
const ItemRecord* itemAt(const Database& db, std::int64_t itemNumber);             // 1..2000
const Character* monsterAt(const Database& db, std::int64_t monsterNumber);        // 1..2000
const SpellRecord* spellAt(const Database& db, std::int64_t index);                // 0..200
const TrapRecord* trapAt(const Database& db, std::int64_t index);                  // 0..50
const NpcRecord* npcAt(const Database& db, std::int64_t index);                    // 0..20
const SkillRecord* skillAt(const Database& db, std::int64_t index);                // 0..300
const ActionRecord* actionAt(const Database& db, std::int64_t index);              // 0..500
const ConversationRecord* conversationAt(const Database& db, std::int64_t index);  // 0..50
// Element and resistance indexes 0..36; anything else counts as 1 (physical).
int elementIndex(std::int64_t element);
// True for a weapon type that indexes weaponTypePercent (0..20).
bool isWeaponTypeIndex(std::int64_t weaponType);
// True for a skill number 0..300.
bool isSkillNumber(std::int64_t skill);

}  // namespace dv
