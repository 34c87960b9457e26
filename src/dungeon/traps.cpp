// Every trap's effect on the party.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "combat/combat_core.h"
#include "core/data/message.h"
#include "core/game.h"
#include "core/prompt_dialog.h"
#include "dungeon/chest.h"
#include "dungeon/dungeon_controls.h"
#include "dungeon/maze.h"
#include "dungeon/party_rules.h"
#include "dungeon/view.h"

namespace dv {

namespace {

std::int64_t d(Game& game, std::int64_t n) {
    return game.rng.uniform(1, std::max<std::int64_t>(n, 1));
}

// A uniform 1..luck of the member.
std::int64_t luckRoll(Game& game, const Character& c) {
    return d(game, c.luck);
}

// The status-resistance roll: the resistance of the index, and with spellsToo the spell
// resistance as a second chance; true when the member shook it off.
bool resists(Game& game, const Character& c, int index, bool spellsToo) {
    const int primary = c.resistances[static_cast<size_t>(index)];
    const int secondary = spellsToo ? c.resistances[2] : 0;
    if (primary == 200 || secondary == 200 || primary == 255 || secondary == 255) return true;
    if (game.rng.uniform(1, 100) < primary) return true;
    return game.rng.uniform(1, 100) < secondary;
}

void spared(Game& game, const Character& c) {
    ShowMessage(game, c.name + std::string(Message(1074)));
}

void hurt(Game& game, Character& c, std::int64_t amount) {
    if (IsGone(c)) {
        ShowMessage(game, c.name + std::string(Message(1023)));
        return;
    }
    ShowMessage(game, DamageCharacter(c, std::max<std::int64_t>(amount, 0), false));
}

void afflict(Game& game, Character& c, std::int32_t bit) {
    ShowMessage(game, SetStatus(c, bit));
}

Character* rosterAt(Game& game, int slot) {
    if (slot < 1 || slot >= kRosterSlots) return nullptr;
    return &game.save.roster[static_cast<size_t>(slot)];
}

// Party members in slot order that are not dead, ashes or lost.
std::vector<Character*> everyone(Game& game) {
    std::vector<Character*> all;
    for (int i = 1; i <= game.place.partyCount; ++i)
        if (Character* c = PartyMember(game, i); c && !IsGone(*c)) all.push_back(c);
    return all;
}

// A member drawn among those not gone or hidden (51 draws at most); it becomes the
// current character. Null when the draws find nobody.
Character* randomMember(Game& game) {
    const int count = game.place.partyCount;
    if (count < 1) return nullptr;
    for (int draw = 0; draw < 51; ++draw) {
        const int i = static_cast<int>(game.rng.uniform(1, count));
        Character* c = PartyMember(game, i);
        if (!c || IsGone(*c) || (c->status & kStatusHidden)) continue;
        game.currentCharacter = game.place.partyMembers[static_cast<size_t>(i)];
        return c;
    }
    return nullptr;
}

// One attribute down by one, unless luck or a low value spares the member.
void lower(Game& game, Character* c, std::uint8_t Character::*attribute, const char* what) {
    if (!c) return;
    if (luckRoll(game, *c) >= 11 || c->*attribute <= 2) {
        spared(game, *c);
        return;
    }
    c->*attribute = static_cast<std::uint8_t>(c->*attribute - 1);
    ShowMessage(game, c->name + what);
}

void teleport(Game& game, bool fromEventBattle) {
    Place& p = game.place;
    const int x = static_cast<int>(game.rng.uniform(1, 19));
    const int y = static_cast<int>(game.rng.uniform(1, 19));
    const int facing = static_cast<int>(game.rng.uniform(0, 3));
    if (fromEventBattle || (game.db.mazeAttributes.at(p.currentDungeon, p.currentFloor, x, y) & 2))
        return;
    p.partyX = p.previousX = x;
    p.partyY = p.previousY = y;
    p.facing = facing;
    WritePlaceToMembers(game);
}

// The blast on everyone: spared by a resistance, otherwise the damage of the member's own
// hit points or of fixed dice.
template <class Damage>
void blast(Game& game, int index, bool spellsToo, Damage damage) {
    for (Character* c : everyone(game)) {
        if (resists(game, *c, index, spellsToo)) {
            spared(game, *c);
            continue;
        }
        hurt(game, *c, damage(*c));
    }
}

// The blast on one race or class only: the others are spared without a roll.
template <class Hit>
void singledOut(Game& game, Hit hits) {
    for (Character* c : everyone(game)) {
        if (!hits(*c) || resists(game, *c, 1, false)) {
            spared(game, *c);
            continue;
        }
        hurt(game, *c, d(game, c->hitPoints) + 1);
    }
}

}  // namespace

void SpringTrap(Game& game, const TrapRecord& trap, int opener, bool fromEventBattle) {
    ShowMessage(game, "おおっと！！　" + trap.trapTitle);
    Character* o = rosterAt(game, opener);
    auto third = [&](const Character& c) { return d(game, c.hitPoints / 3) + 1; };
    auto race = [&](std::int32_t bit) {
        singledOut(game, [bit](const Character& c) { return (c.race & bit) != 0; });
    };
    switch (trap.trapKind) {
        case 1:
            if (!o) break;
            if (resists(game, *o, 12, true)) {
                spared(game, *o);
            } else {
                hurt(game, *o, d(game, 20) + 1);
            }
            break;
        case 2:
            if (!o) break;
            if (luckRoll(game, *o) > 10 || resists(game, *o, 22, false)) {
                spared(game, *o);
            } else {
                afflict(game, *o, kStatusPoison);
            }
            break;
        case 3:
            blast(game, 4, true, [&](const Character&) { return d(game, 20) + 1; });
            break;
        case 4:
            if (!o) break;
            if (resists(game, *o, 22, false)) {
                spared(game, *o);
            } else {
                hurt(game, *o, d(game, 20) + 1);
                if (!IsGone(*o)) afflict(game, *o, kStatusPoison);
            }
            break;
        case 5:
            if (!o) break;
            if (luckRoll(game, *o) > 10 || resists(game, *o, 16, false)) {
                spared(game, *o);
            } else {
                afflict(game, *o, kStatusParalysis);
            }
            break;
        case 6:
            blast(game, 1, false, [&](const Character&) { return d(game, 25) + 1; });
            break;
        case 7:
            blast(game, 1, false, [&](const Character&) { return d(game, 25) + d(game, 25) + 1; });
            break;
        case 8:
            blast(game, 13, true, [&](const Character&) { return d(game, 25) + 1; });
            break;
        case 9:
            if (Character* c = randomMember(game)) {
                if (luckRoll(game, *c) >= 11) {
                    spared(game, *c);
                    break;
                }
                // A level 1..9 of one of the four spell kinds.
                const int level = static_cast<int>(game.rng.uniform(1, 9));
                const int kind = static_cast<int>(game.rng.uniform(1, 4)) - 1;
                c->spellPoints(kind, level) = 0;
                ShowMessage(game, c->name + "はMPが減った");
            }
            break;
        case 10:
        case 11: {
            const std::int32_t cls = trap.trapKind == 10 ? 256 : 2;
            for (Character* c : everyone(game)) {
                if (!(c->classBit & cls)) {
                    spared(game, *c);
                    continue;
                }
                hurt(game, *c, d(game, c->level) + 1);
            }
            break;
        }
        case 12:
            teleport(game, fromEventBattle);
            break;
        case 13:
            for (Character* c : everyone(game)) {
                if (resists(game, *c, 22, false)) {
                    spared(game, *c);
                } else {
                    afflict(game, *c, kStatusPoison);
                }
            }
            break;
        case 14:
            blast(game, 8, true, [&](const Character& c) { return d(game, c.hitPoints - 1); });
            break;
        case 15:
            blast(game, 6, true, [&](const Character& c) { return d(game, c.hitPoints / 2); });
            break;
        case 16:
            if (o && o->wisdom > 2 && luckRoll(game, *o) < 11) {
                o->wisdom = static_cast<std::uint8_t>(o->wisdom - 1);
                ShowMessage(game, o->name + "の知恵が下がった");
            } else if (o) {
                spared(game, *o);
            }
            break;
        case 17:
            if (o && o->age >= 14 && luckRoll(game, *o) < 11) {
                o->age = static_cast<std::int16_t>(o->age - 1);
                ShowMessage(game, o->name + "の年齢が下がった");
            } else if (o) {
                spared(game, *o);
            }
            break;
        case 18:
            blast(game, 12, false, third);
            break;
        case 19:
        case 27:
            blast(game, 13, false, third);
            break;
        case 20:
            lower(game, randomMember(game), &Character::piety, "の信仰心が下がった");
            break;
        case 21:
            lower(game, randomMember(game), &Character::luck, "の運が下がった");
            break;
        case 22:
            lower(game, randomMember(game), &Character::agility, "の素早さが下がった");
            break;
        case 23:
            lower(game, randomMember(game), &Character::strength, "の力が下がった");
            break;
        case 24:
            blast(game, 5, true, third);
            break;
        case 25:
            blast(game, 9, true, third);
            break;
        case 26:
            blast(game, 6, true, third);
            break;
        case 28:
            race(256);
            break;
        case 29:
            race(128);
            break;
        case 30:
            singledOut(game, [](const Character& c) { return (c.classBit & 8) == 0; });
            break;
        case 31:
            race(2);
            break;
        case 32:
            race(4);
            break;
        case 33:
            race(1);
            break;
        case 34:
            if (Character* c = randomMember(game)) {
                if (luckRoll(game, *c) >= 11) {
                    spared(game, *c);
                } else {
                    afflict(game, *c, kStatusStone);
                }
            }
            break;
        case 35:
            blast(game, 4, false, third);
            break;
        case 36:
            blast(game, 8, false, third);
            break;
        case 37:
            for (Character* c : everyone(game)) {
                if (resists(game, *c, 24, false)) {
                    spared(game, *c);
                } else {
                    afflict(game, *c, kStatusBlind);
                }
            }
            break;
        case 38:
            race(1024);
            break;
        case 39:
            race(8);
            break;
        case 40:
            race(16);
            break;
        case 41:
            for (Character* c : everyone(game)) {
                if (luckRoll(game, *c) > 8 || resists(game, *c, 12, false)) {
                    spared(game, *c);
                    continue;
                }
                c->status |= kStatusDead;
                c->hitPoints = 0;
                ShowMessage(game, c->name + std::string(Message(1066)));
            }
            break;
        default:
            break;
    }
    RefreshPartyPanel(game);
}

}  // namespace dv
