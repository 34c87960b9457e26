#pragma once

// The map events of every floor, compiled from content/events/ into a plain table. Each
// entry point (pre-step, arrival, search, item use, post-battle) looks at the entries of
// the party's dungeon and floor in table order and runs the first that matches the cell,
// the facing, the moved flag and the conditions.

#include <array>
#include <cstdint>
#include <span>

namespace dv {

inline constexpr std::int8_t kAnyFacing = -1;

enum class EventTrigger : std::uint8_t {
    PreStep,     // before a forward step, for the side in front; may block the step
    Arrival,     // after every step and turn
    Search,      // the F key
    ItemUse,     // the U key with the item `items[0]`
    PostBattle,  // after winning a battle an event started, on the same cell
};

// The building blocks. Arguments each one reads are listed with it; everything else is 0.
enum class EventAction : std::uint8_t {
    Message,        // texts, one dialog each
    Stairs,         // texts first; then the stairs question; yes -> target (targetFloor, up)
    Teleporter,     // variant: TeleportWording; target; targetFacing (kAnyFacing keeps it)
    Spinner,        // a random facing, no message
    TrapFloor,      // diceCount (d10 each), status (resistance index 1..36, 0 none)
    LockedDoor,     // lockLevel
    KeyDoor,        // items (every non-zero one must be held), itemScope; texts = the locked
                    // door's description, passTexts = the key is used
    FlagGate,       // flag: blocked with texts while it is 0; passTexts when it is open;
                    // variant 1 adds "崖にはつり橋が架けられている"
    RiddleDoor,     // texts (narration), variant: RiddlePrompt, answer; passTexts / failTexts
    PasswordGhost,  // words (ten)
    PersonRoom,     // texts, npc (1..12); result -1
    FixedBattle,    // texts, encounter, music (12..15), battleEvent (non-zero)
    Pool,           // variant: PoolKind; encounter for PoolKind::Monster
    Lever,          // texts, variant: LeverQuestion, flag, flagValue, toggle; passTexts = the
                    // result (e.g. 10106); re-applies the wall patches
    HiddenItem,     // items[0] given when the party lacks it; texts first
    NewStairs,  // item use: "床が抜け落ち、階段があらわれた！", then Stairs to the target
    TransformItem,  // item use: items[0] becomes resultItem; texts
    DigUp,          // item use: texts, then resultItem is given
    RandomPuzzle,   // flag, when 0, gets a uniform 1..flagValue; re-applies the wall patches
    Reward,         // post-battle: texts, resultItem given (0 none), flag set to flagValue
                    // when flag >= 0; a non-zero encounter chains the next battle at once
    SetFlag,        // texts, then flag = flagValue (progress marks, dungeons unlocked, the
                    // skill-slot count of flag 19, the ending's flag 41); re-applies the
                    // wall patches
};

enum class TeleportWording : std::uint8_t {
    None,
    Trap,    // "おおっと、テレポーター！"
    Forced,  // "強制転移だ！"
    Texts,   // the event's texts (e.g. 10513)
    Circle,  // the question "入りますか？"; no = nothing happens
    Mist,    // texts, then a yes/no jump
};

enum class PoolKind : std::uint8_t {
    Swamp,     // "沼の水を飲んでみた・・・": each member poisoned or healed
    Cautious,  // "恐る恐る、水を飲んでみた・・・": the same
    Healing,   // "パーティは回復した"
    Monster,   // a monster rises: encounter
};

enum class LeverQuestion : std::uint8_t {
    Pull,        // "引いてみますか？"
    Push,        // "押しますか？"
    PullLever,   // "レバーを引きますか？"
    LowerLever,  // "レバーを下げますか？"
};

enum class RiddlePrompt : std::uint8_t {
    Name,  // "名は何？"
    What,  // "何と答える？"
};

enum class FlagTest : std::uint8_t { None, Equal, NotEqual, Less, AtLeast };
enum class ItemScope : std::uint8_t { Party, Roster };

struct MapEvent {
    // Where and when.
    std::int16_t dungeon = 0;  // 21..26
    std::int16_t floor = 0;    // 1..21
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int8_t facing = kAnyFacing;  // 0 north .. 3 west
    bool movedOnly = false;           // arrival: not when the party only turned
    EventTrigger trigger = EventTrigger::Arrival;
    EventAction action = EventAction::Message;
    std::uint8_t variant = 0;

    // Conditions (all must hold).
    std::int16_t whenFlag = -1;  // -1: no flag condition
    FlagTest whenFlagTest = FlagTest::None;
    std::int32_t whenFlagValue = 0;
    std::int16_t whenItem = 0;  // 0: no item condition
    bool whenItemHeld = true;   // true: while held; false: while lacking
    ItemScope whenItemScope = ItemScope::Party;
    std::int16_t whenSkill = 0;  // 0: no skill condition; else a party member has it...
    bool whenSkillHeld = true;   // ...or, when false, nobody in the party has it

    // Arguments.
    std::int16_t targetFloor = 0;
    std::int16_t targetX = 0;
    std::int16_t targetY = 0;
    std::int8_t targetFacing = kAnyFacing;
    bool up = false;
    std::int16_t diceCount = 0;
    std::int16_t status = 0;
    std::int16_t lockLevel = 0;
    std::array<std::int16_t, 4> items{};
    ItemScope itemScope = ItemScope::Party;
    std::int16_t resultItem = 0;
    std::int16_t flag = -1;
    std::int32_t flagValue = 0;
    bool toggle = false;
    std::int16_t encounter = 0;
    std::int16_t music = 0;
    std::int16_t battleEvent = 0;  // the current map event number of the battle it starts
    std::int16_t npc = 0;
    std::array<std::int16_t, 8> texts{};      // message numbers, 0 = none
    std::array<std::int16_t, 4> passTexts{};  // shown when the way opens / the action works
    std::array<std::int16_t, 4> failTexts{};  // shown when it refuses
    const char* answer = "";                  // riddle: full-width katakana
    std::array<const char*, 10> words{};      // password ghost
};

// Every event of the game in dispatch order (compiled from content/events/).
std::span<const MapEvent> mapEvents();

}  // namespace dv
