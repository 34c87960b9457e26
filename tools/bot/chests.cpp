#include "chests.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string>

#include "camp_care.h"
#include "characters/party.h"
#include "core/game.h"
#include "dungeon/chest.h"
#include "dungeon/expedition.h"
#include "run_log.h"

namespace dv::bot {

namespace {

// The trap kinds a careful party lets go off: a needle or an arrow in the opener (at most
// kWorstSingleHit points), poison or paralysis on the opener alone, spell points lost by
// one member, a blade against a class the party does not have. Everything that strikes
// the whole party, kills outright or curses is left alone.
constexpr int kWorstSingleHit = 21;
// The most a blast on everyone takes from each member.
constexpr int kWorstBlast = 26;
constexpr int kHurtOpener[] = {1, 4};
constexpr int kAfflictOpener[] = {2, 5};
constexpr int kHarmless[] = {9, 10};
constexpr int kDisarmTries = 3;
constexpr int kTrapRowsAboveLevel = 15;
constexpr int kLastBlastRow = 30;

bool canTouch(const Character& c) {
    return (c.status & kStatusOutOfFight) == 0;
}

// The row of the trap a name belongs to (0 when none does).
int rowOfName(const Game& g, const std::string& name) {
    for (int row = 1; row <= 50; ++row)
        if (const TrapRecord* t = trapAt(g.db, row); t && t->trapName == name) return row;
    return 0;
}

Character* best(Game& g, int (*score)(const Character&)) {
    Character* pick = nullptr;
    for (int i = 1; i <= g.place.partyCount; ++i) {
        Character* c = PartyMember(g, i);
        if (c && canTouch(*c) && (!pick || score(*c) > score(*pick))) pick = c;
    }
    return pick;
}

template <std::size_t N>
bool among(int kind, const int (&kinds)[N]) {
    return std::find(std::begin(kinds), std::end(kinds), kind) != std::end(kinds);
}

// Whether the party can bear the trap it believes the chest holds.
bool bearable(const Game& g, int row, const Character& opener) {
    const TrapRecord* t = row > 0 ? trapAt(g.db, row) : nullptr;
    if (!t) return false;
    if (among(t->trapKind, kHurtOpener)) return opener.hitPoints > kWorstSingleHit;
    return among(t->trapKind, kAfflictOpener) || among(t->trapKind, kHarmless);
}

// A chest of unknown trap is opened only by a party every member of which would stand a
// blast, with poison curable.
bool sturdy(const Game& g) {
    for (int i = 1; i <= g.place.partyCount; ++i)
        if (const Character* c = PartyMember(g, i);
            c && canTouch(*c) && c->hitPoints <= kWorstBlast)
            return false;
    return g.place.partyCount > 0;
}

// Opens with the trap set off or made safe; false when the trap ended the party.
bool open(Game& g, const ChestOrigin& origin, const TrapRecord& trap, Character& opener, bool safe,
          RunLog& log) {
    g.currentCharacter = opener.rosterId;
    if (!safe) log.tallies().trapsSprung += 1;
    log.tallies().chestsOpened += 1;
    if (OpenChestAndLoot(g, origin, trap, &opener, safe)) return true;
    log.line(g, "a chest's trap ended the party");
    log.tallies().wipeOuts += 1;
    WipeOut(g);
    return false;
}

// One chest; false when the party did not live through it.
bool handle(Game& g, const BattleChest& chest, RunLog& log) {
    ChestOrigin origin;
    origin.battleLevel = chest.level;
    origin.trap = chest.trap;
    origin.dropItem = chest.dropItem;
    const TrapRecord* t = trapAt(g.db, chest.trap);
    const TrapRecord trap = t ? *t : TrapRecord{};
    // The trap's name: the spell when someone has a point for it, else the look of a member
    // with the skill for it. Anyone else would read a name at random and might set the trap
    // off while looking.
    std::string name;
    for (int i = 1; i <= g.place.partyCount && name.empty(); ++i)
        if (Character* c = PartyMember(g, i); c && canTouch(*c)) CastDisba(g, *c, trap, name);
    if (name.empty()) {
        Character* looker =
            best(g, [](const Character& c) { return c.skills[1] != 0 ? int{c.dexterity} : -1; });
        if (looker && looker->skills[1] != 0) {
            g.currentCharacter = looker->rosterId;
            const InspectReading reading = InspectChest(g, *looker, trap);
            if (reading.result == Inspection::TrapSprung)
                return open(g, origin, trap, *looker, false, log);
            name = reading.name;
        }
    }
    Character* opener = best(g, [](const Character& c) { return c.hitPoints; });
    // A battle chest draws its trap from the first (level + 15) rows: past the blasts come
    // the race killers, stone and death, which no party opens blind.
    const bool blindSafe = chest.level + kTrapRowsAboveLevel <= kLastBlastRow;
    const bool willing = name.empty() ? blindSafe && sturdy(g) && CanCurePoison(g)
                                      : opener && bearable(g, rowOfName(g, name), *opener);
    if (!opener || !willing) {
        log.tallies().chestsLeft += 1;
        return true;
    }
    // Only a member with the thief's hands (or great luck) ever takes a trap off safely.
    Character* hands = best(g, [](const Character& c) {
        const bool able = c.skills[12] != 0 || c.skills[2] != 0 || c.luck > 15;
        return able ? c.dexterity + c.level : -1;
    });
    if (hands && (hands->skills[12] != 0 || hands->skills[2] != 0 || hands->luck > 15)) {
        g.currentCharacter = hands->rosterId;
        for (int n = 0; n < kDisarmTries; ++n) {
            switch (DisarmAttempt(g, *hands, origin, trap, name)) {
                case DisarmResult::Disarmed:
                    return open(g, origin, trap, *hands, true, log);
                case DisarmResult::Sprung:
                    return open(g, origin, trap, *hands, false, log);
                case DisarmResult::Failed:
                    break;
            }
        }
    }
    return open(g, origin, trap, *opener, false, log);
}

}  // namespace

int HandleBattleChests(Game& g, RunLog& log) {
    const int before = log.tallies().chestsOpened;
    while (!g.dungeon.battleChests.empty()) {
        const BattleChest chest = g.dungeon.battleChests.front();
        g.dungeon.battleChests.erase(g.dungeon.battleChests.begin());
        if (g.place.currentFloor <= 0 || g.place.partyCount == 0) continue;
        if (!handle(g, chest, log)) {
            g.dungeon.battleChests.clear();
            break;
        }
    }
    return log.tallies().chestsOpened - before;
}

}  // namespace dv::bot
