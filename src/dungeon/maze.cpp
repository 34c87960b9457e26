#include "dungeon/maze.h"

#include <algorithm>
#include <string>
#include <vector>

#include "battle/encounter.h"
#include "characters/roster_rules.h"
#include "combat/combat_core.h"
#include "core/data/message.h"
#include "core/data/text.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/music.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"
#include "core/screens.h"
#include "dungeon/chest.h"
#include "dungeon/dungeon_controls.h"
#include "dungeon/expedition.h"
#include "dungeon/map_events.h"
#include "dungeon/party_rules.h"
#include "dungeon/view.h"
#include "dungeon/wandering_chests.h"
#include "items/select_box.h"

namespace dv {

namespace {

struct EncounterParameters {
    int step, base;
};

EncounterParameters parametersForFloor(int floor) {
    switch (floor) {
        case 1:
            return {3, 50};
        case 2:
        case 16:
        case 20:
            return {2, 80};
        case 7:
        case 8:
        case 9:
            return {1, 30};
        case 13:
        case 15:
            return {4, 50};
        case 18:
            return {5, 0};
        case 21:
            return {2, 100};
        default:
            return {2, 50};
    }
}

// Both clocks advance one step; every 1920 steps they meet at 0 again.
void advanceClock(Game& game) {
    SaveData& s = game.save;
    s.lunaPhase = static_cast<std::int16_t>((s.lunaPhase + 1) % kLunaPeriod);
    s.artemisPhase = static_cast<std::int16_t>((s.artemisPhase + 1) % kArtemisPeriod);
    if (s.lunaPhase != 0 || s.artemisPhase != 0) return;
    PlaceWanderingChests(game, true);
    for (int i = 1; i <= game.place.partyCount; ++i)
        if (Character* c = PartyMember(game, i)) c->cycleCount += 1;
}

// Poison and regeneration of one member on a forward step.
void stepEffects(Game& game, int partySlot, Character& c) {
    c.stepsWalked += 1;
    const bool poisoned = (c.status & kStatusPoison) != 0;
    const bool deadly = (c.status & kStatusDeadlyPoison) != 0;
    if (poisoned || deadly) {
        int n = std::max(1, c.maxHitPoints / (poisoned ? 128 : 32));
        // A poison death is a real death: the member stops walking and counts as fallen.
        DamageCharacter(c, game.rng.uniform(1, n), true);
        ShowHpMark(game, partySlot, "-", c.hitPoints);
        if (IsGone(c)) {
            ShowMessage(game, c.name + std::string(Message(1066)));
            RefreshPartyPanel(game);
        }
        return;
    }
    const bool skill89 = c.skills[89] != 0;
    if ((skill89 || c.regeneration > 0) && c.hitPoints < c.maxHitPoints) {
        int amount = c.regeneration;
        if (skill89 && c.gold > 0) {
            c.gold -= 1;
            amount += 1;
        }
        if (c.skills[66] != 0) amount *= 2;
        HealCharacter(c, amount, true);
        ShowHpMark(game, partySlot, "+", c.hitPoints);
    }
}

// After the redraw: the wipe-out test, the events of the cell and the encounter check.
void afterMove(Game& game, bool blocked, bool moved) {
    if (WipeOutTest(game)) {
        WipeOut(game);
        return;
    }
    if (blocked) {
        if (CheckEncounter(game)) StartRandomBattle(game);
        return;
    }
    EventOutcome result = ArrivalCheck(game, moved);
    if (game.place.currentFloor <= 0) return;  // the party left the dungeon
    if (result.battle.encounter > 0) {
        StartEventBattle(game, result.battle);
    } else if (result.handled) {
        if (WipeOutTest(game)) WipeOut(game);
    } else if (CheckEncounter(game)) {
        StartRandomBattle(game);
    }
}

}  // namespace

void LoadFloor(Game& game) {
    DungeonState& d = game.dungeon;
    const Place& p = game.place;
    for (int x = 0; x < kFloorSize; ++x)
        for (int y = 0; y < kFloorSize; ++y) {
            d.floorWalls(x, y) = game.db.mazeWalls.at(p.currentDungeon, p.currentFloor, x, y);
            d.floorDoors(x, y) = game.db.mazeDoors.at(p.currentDungeon, p.currentFloor, x, y);
        }
    d.floorEncounters.clear();
    for (int row = 1; row <= 2000; ++row) {
        if (static_cast<int>(d.floorEncounters.size()) >= kMaxFloorEncounters) break;
        if (game.db.encounterTable(row, kEncounterDungeon) + 20 == p.currentDungeon &&
            game.db.encounterTable(row, kEncounterFloor) == p.currentFloor)
            d.floorEncounters.push_back(game.db.encounterTable(row, kEncounterId));
    }
    d.dungeonMusic = p.currentFloor == 21 ? 11 : 10;
    SetEncounterParameters(game);
    ApplyWallPatches(game);
}

void SetEncounterParameters(Game& game) {
    EncounterParameters e = parametersForFloor(game.place.currentFloor);
    if (PartyHasSkill(game, 14)) {
        e = {1, 0};
    } else if (PartyHasSkill(game, 59)) {
        e.base *= 2;
    } else if (PartyHasSkill(game, 43)) {
        e.base *= 3;
    }
    game.dungeon.encounterStep = e.step;
    game.dungeon.encounterBase = e.base;
}

void Relocate(Game& game, int floor, int x, int y) {
    Place& p = game.place;
    if (floor != p.currentFloor) {
        p.currentFloor = static_cast<std::int16_t>(floor);
        LoadFloor(game);
    }
    p.partyX = p.previousX = x;
    p.partyY = p.previousY = y;
    WritePlaceToMembers(game);
    Redraw(game);
}

void Step(Game& game, int kind) {
    Place& p = game.place;
    bool blocked = false;
    if (kind == 0) {
        EventOutcome pre = PreStepCheck(game);
        if (p.currentFloor <= 0) return;
        // A battle before the step ends the step: the party stays where it fought.
        if (pre.battle.encounter > 0) {
            StartEventBattle(game, pre.battle);
            return;
        }
        blocked = pre.blocked;
        if (!blocked) {
            advanceClock(game);
            p.previousX = p.partyX;
            p.previousY = p.partyY;
            static constexpr int dx[] = {0, 1, 0, -1};
            static constexpr int dy[] = {-1, 0, 1, 0};
            p.partyX = WrapOnce(p.partyX + dx[p.facing & 3]);
            p.partyY = WrapOnce(p.partyY + dy[p.facing & 3]);
            ShowMoveMark(game, 0);
            for (int i = 1; i <= p.partyCount; ++i) {
                Character* c = PartyMember(game, i);
                if (c && !IsGone(*c)) stepEffects(game, i, *c);
            }
        }
    } else {
        p.facing = (p.facing + kind) % 4;
        ShowMoveMark(game, kind);
    }
    Redraw(game);
    afterMove(game, blocked, kind == 0);
}

void WalkForward(Game& game, bool openDoors) {
    const Place& p = game.place;
    const DungeonState& d = game.dungeon;
    if (p.partyX < 0 || p.partyX >= kFloorSize || p.partyY < 0 || p.partyY >= kFloorSize) return;
    const int bit = SideBit(p.facing);
    const bool door = (d.floorDoors(p.partyX, p.partyY) & bit) != 0;
    const bool wall = (d.floorWalls(p.partyX, p.partyY) & bit) != 0;
    if (openDoors ? (!door && wall) : (door || wall)) {
        ShowMessage(game, "いてっ！");
        return;
    }
    Step(game, 0);
}

bool CheckEncounter(Game& game) {
    DungeonState& d = game.dungeon;
    const std::int64_t sides = (game.place.partyBlessings & 4) ? 10000 : 2000;
    const std::int64_t roll = game.rng.uniform(1, sides);
    if (roll < std::int64_t{d.stepsSinceEncounter} * d.encounterStep + d.encounterBase) {
        d.stepsSinceEncounter = 0;
        return true;
    }
    if (d.stepsSinceEncounter < INT32_MAX) d.stepsSinceEncounter += 1;
    return false;
}

bool WipeOutTest(Game& game) {
    return PartyWipedOut(game.save, game.place.partyId);
}

bool CheckLanding(Game& game) {
    Place& p = game.place;
    const int floor = p.currentFloor;
    // A place outside the maze file (a damaged save's dungeon 5, floor 30) is rock too.
    const bool inMaze = p.currentDungeon >= kFirstDungeon && p.currentDungeon <= kLastDungeon;
    const bool onGrid = inMaze && p.partyX >= 0 && p.partyX < kFloorSize && p.partyY >= 0 &&
                        p.partyY < kFloorSize && floor <= 21;
    // The coordinates are checked before the cell is read.
    const bool rock = onGrid && game.dungeon.floorWalls(p.partyX, p.partyY) == 15 &&
                      game.dungeon.floorDoors(p.partyX, p.partyY) == 0;
    if (onGrid && !rock) {
        if (floor >= 1) return false;
        // Materialised under the ground or in the town's walls: everybody dies. The bodies
        // go back to town records so the temple can find them.
        for (int i = 1; i <= p.partyCount; ++i) {
            Character* c = PartyMember(game, i);
            if (!c) continue;
            c->status |= kStatusDead;
            c->hitPoints = 0;
            c->floor = 0;
            c->posX = 0;
            c->posY = 0;
            c->dungeonId = 0;
            c->partyId = 0;
            c->partyPosition = 0;
            c->armorClass = c->baseArmorClass;
        }
        p.partyMembers.fill(0);
        p.partyCount = 0;
        SaveGame(game);
        ShowMessage(game, std::string(Message(floor < 0 ? 3015 : 3016)));
        return true;
    }
    for (int i = 1; i <= p.partyCount; ++i) {
        int slot = p.partyMembers[static_cast<size_t>(i)];
        if (slot >= 1 && slot < kRosterSlots)
            game.save.roster[static_cast<size_t>(slot)] = game.save.roster[0];
    }
    p.partyMembers.fill(0);
    p.partyCount = 0;
    SaveGame(game);
    ShowMessage(game, "石の中にいる\r");
    return true;
}

bool MapKeysLocked(const Game& game) {
    return game.place.currentFloor <= 0 ||
           (game.screens && game.screens->main && game.screens->main->busy);
}

void StartRandomBattle(Game& game) {
    if (MapKeysLocked(game)) return;
    StartEncounter(game, EncounterCall{0, kRandomBattleMusic, 0});
}

void StartEventBattle(Game& game, const EncounterCall& call) {
    EncounterCall c = call;
    // Any non-zero number makes the victory run the post-battle check.
    if (c.mapEvent == 0) c.mapEvent = -1;
    StartEncounter(game, c);
}

void AfterBattle(Game& game, BattleEnd end, int mapEvent) {
    if (end == BattleEnd::WipeOut) {
        WipeOut(game);
        return;
    }
    PlayScene(game, game.dungeon.dungeonMusic);
    MainWindow* main = game.screens ? game.screens->main : nullptr;
    if (main) {
        main->busy = false;
        Redraw(game);
        main->picMap.setFocus();
    }
    if (end != BattleEnd::Victory) return;
    // A chest the monsters left comes first; leaving or opening it runs the event's check.
    if (!game.dungeon.battleChests.empty() && game.screens) {
        const BattleChest chest = game.dungeon.battleChests.front();
        game.dungeon.battleChests.erase(game.dungeon.battleChests.begin());
        ChestOrigin origin;
        origin.battleLevel = chest.level;
        origin.trap = chest.trap;
        origin.dropItem = chest.dropItem;
        origin.mapEvent = mapEvent;
        game.screens->part<ChestScreen>().open(origin);
        return;
    }
    if (mapEvent == 0) return;
    const EncounterCall next = PostBattleCheck(game);
    game.battle.mapEvent = 0;
    if (next.encounter > 0 && game.place.currentFloor > 0) StartEventBattle(game, next);
}

void KeepBattleChest(Game& game, const BattleChest& chest) {
    game.dungeon.battleChests.push_back(chest);
}

void LookForCharacters(Game& game) {
    Place& p = game.place;
    if (p.partyCount >= kPartySlots) {
        ShowMessage(game, "これ以上パーティーを増やせません");
        return;
    }
    std::vector<int> found;
    std::vector<std::string> names;
    for (int slot = 1; slot < kRosterSlots; ++slot) {
        const Character& c = game.save.roster[static_cast<size_t>(slot)];
        if (c.rosterId > 0 && c.dungeonId == p.currentDungeon && c.floor == p.currentFloor &&
            c.posX == p.partyX && c.posY == p.partyY && c.partyId != p.partyId) {
            found.push_back(slot);
            names.push_back(c.name);
        }
    }
    if (found.empty()) {
        ShowMessage(game, "誰もいない");
        return;
    }
    std::vector<int> rows;
    for (size_t i = 0; i < found.size(); ++i)
        rows.push_back(static_cast<int>(i) + 1);
    int pick = PickFromList(game, names, rows, "見つかりました");
    if (pick < 1 || pick > static_cast<int>(found.size())) {
        RefreshPartyPanel(game);
        return;
    }
    Character& c = game.save.roster[static_cast<size_t>(found[static_cast<size_t>(pick - 1)])];
    p.partyCount += 1;
    p.partyMembers[static_cast<size_t>(p.partyCount)] = found[static_cast<size_t>(pick - 1)];
    c.dungeonId = static_cast<std::uint8_t>(p.currentDungeon);
    c.floor = static_cast<std::uint8_t>(p.currentFloor);
    c.posX = static_cast<std::int16_t>(p.partyX);
    c.posY = static_cast<std::int16_t>(p.partyY);
    c.partyId = static_cast<std::uint8_t>(p.partyId);
    c.partyPosition = static_cast<std::uint8_t>(p.partyCount);
    RefreshPartyPanel(game);
}

bool RelativeTeleport(Game& game, int floorOffset, int xOffset, int yOffset) {
    Place& p = game.place;
    Character* first = PartyMember(game, 1);
    const int floor = (first ? first->floor : p.currentFloor) + floorOffset;
    const int x = WrapOnce(p.partyX + xOffset);
    const int y = WrapOnce(p.partyY + yOffset);
    // Typed offsets can leave the floor even after the wrap: the no-teleport test only
    // reads cells that exist.
    const bool onGrid = x >= 0 && x < kFloorSize && y >= 0 && y < kFloorSize;
    if (floor >= 1 && floor <= 20 && onGrid &&
        (game.db.mazeAttributes.at(p.currentDungeon, floor, x, y) & 2)) {
        SaveGame(game);
        ShowMessage(game, "パーティーは元の位置に戻された\r");
        return false;
    }
    for (int i = 1; i <= p.partyCount; ++i)
        if (Character* c = PartyMember(game, i)) {
            c->floor = static_cast<std::uint8_t>(std::clamp(floor, 0, 255));
            c->posX = static_cast<std::int16_t>(x);
            c->posY = static_cast<std::int16_t>(y);
        }
    const int previousFloor = p.currentFloor;
    p.currentFloor = static_cast<std::int16_t>(p.currentFloor + floorOffset);
    p.partyX = p.previousX = x;
    p.partyY = p.previousY = y;
    // Every floor of the dungeon reloads its layout, not only the upper fifteen.
    if (p.currentFloor >= 1 && p.currentFloor <= 21 && p.currentFloor != previousFloor)
        LoadFloor(game);
    SaveGame(game);
    return true;
}

}  // namespace dv
