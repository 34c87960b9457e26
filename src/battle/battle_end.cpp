#include "battle/battle_end.h"

#include <algorithm>
#include <string>

#include "battle/battle_screen.h"
#include "characters/party.h"
#include "combat/combat_core.h"
#include "combat/fighters.h"
#include "combat/status_table.h"
#include "core/data/text.h"
#include "core/game.h"
#include "core/music.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"

namespace dv {

namespace {

constexpr int kVictoryMusic = 16;
// What a cure of every ailment takes away.
// The statuses a battle leaves behind when it ends.
constexpr std::int32_t kBattleOnly = kStatusSleep | kStatusSilence | kStatusFear |
                                     kStatusConfusion | kStatusFrozen | kStatusShocked |
                                     kStatusBattleWard | kStatusHidden | kStatusDecapitationWard |
                                     kStatusDrainWard | kStatusAttackReduced | kStatusMagicReflect |
                                     kStatusPhysicalReflect | kStatusGuard;

std::string wide(std::int64_t n) {
    return ToWide(std::to_string(n));
}

// Heals rollDice(piety \ 2, level \ 3) of the member's own values, quietly.
void skillHeal(Game& game, Character& c) {
    HealCharacter(c, WideDice(game, std::clamp(c.piety / 2, 0, 32767), c.level / 3, 0), true);
}

void healingSkills(Game& game) {
    const int count = PartySize(game);
    auto each = [&](auto&& fn) {
        for (int i = 1; i <= count; ++i)
            if (Character* c = PartyMember(game, i); c && !(c->status & kStatusGone)) fn(*c);
    };
    if (PartyHasSkill(game, 157)) each([&](Character& c) { skillHeal(game, c); });
    if (PartyHasSkill(game, 155) && count > 0) {
        for (int n = 0; n < 51; ++n) {
            Character* c = PartyMember(game, Die(game, count));
            if (c && !(c->status & (kStatusGone | kStatusHidden))) {
                skillHeal(game, *c);
                break;
            }
        }
    }
    if (PartyHasSkill(game, 156))
        each([](Character& c) { c.status &= ~(kStatusParalysis | kStatusPoison | kStatusStone); });
    if (PartyHasSkill(game, 158))
        each([](Character& c) {
            c.status &= ~(kStatusDisease | kStatusFly | kStatusCarrot | kCureStatusBits);
        });
    each([](Character& c) {
        if (HasSkill(c, 51)) HealCharacter(c, c.maxHitPoints / 8, true);
    });
    each([](Character& c) {
        if (!HasSkill(c, 73)) return;
        for (int kind = 0; kind <= 3; ++kind)
            for (int level = 1; level <= 9; ++level)
                c.spellPoints(kind, level) = c.maxSpellPoints(kind, level);
    });
}

}  // namespace

void PayRewards(Game& game) {
    BattleState& b = game.battle;
    const int count = PartySize(game);
    const bool leaderTakesAll = PartyHasSkill(game, 100);
    int able = 0;
    int sharers = 0;
    for (int i = 1; i <= count; ++i) {
        const Character* c = PartyMember(game, i);
        if (!c || (c->status & kStatusOutOfFight)) continue;
        ++able;
        if (!HasSkill(*c, 65)) ++sharers;
    }
    if (leaderTakesAll) sharers = 1;

    PlayScene(game, kVictoryMusic);
    ShowMonsterPictureOff(game);

    std::int64_t bonus = 0;
    const double pool = b.experiencePool;
    if (PartyHasSkill(game, 203)) bonus = RoundHalfEven(pool * 0.03);
    if (PartyHasSkill(game, 204)) bonus = RoundHalfEven(pool * 0.05 + static_cast<double>(bonus));
    if (PartyHasSkill(game, 205)) bonus = RoundHalfEven(pool * 0.1 + static_cast<double>(bonus));
    if (PartyHasSkill(game, 206)) bonus = RoundHalfEven(pool * 0.15 + static_cast<double>(bonus));
    b.experiencePool = ClampLong(std::int64_t{b.experiencePool} + bonus);
    if (PartyHasSkill(game, 82)) b.goldPool = ClampLong(std::int64_t{b.goldPool} * 2);
    // Nobody to share with: no experience, and the gold goes to whoever is still standing.
    const std::int64_t experience = sharers > 0 ? b.experiencePool / sharers : 0;
    const int goldSharers = sharers > 0 ? sharers : able;
    const std::int64_t gold = goldSharers > 0 ? b.goldPool / goldSharers : 0;

    healingSkills(game);

    Say(game,
        std::string("モンスターを倒した") + "\r" + "経験値" + wide(experience) + "ＥＸＰ獲得");
    Say(game, std::string("パーティーはそれぞれ") + "\r" + wide(gold) + "Ｇ手に入れた");
    HideBattleLists(game);

    for (int i = 1; i <= count; ++i) {
        Character* c = PartyMember(game, i);
        if (!c || (c->status & kStatusOutOfFight)) continue;
        if (leaderTakesAll) {
            if (!HasSkill(*c, 100)) continue;
            c->experience += static_cast<double>(experience);
            c->gold += static_cast<double>(gold);
            continue;
        }
        c->gold += static_cast<double>(gold);
        if (!HasSkill(*c, 65)) c->experience += static_cast<double>(experience);
    }
}

void Victory(Game& game) {
    BattleState& b = game.battle;
    PayRewards(game);
    b.battlePhase = kNoBattle;
    b.partyFirstStrike = false;
    b.lastEnd = BattleEnd::Victory;
    // Counted before the clean-up saves, so the save holds them.
    for (int i = 1; i <= PartySize(game); ++i)
        if (Character* c = PartyMember(game, i); c && !(c->status & kStatusOutOfFight))
            c->victories += 1;
    // The chest is rolled while the spell that makes chests likelier still holds (the
    // clean-up ends it).
    const int chance = (game.place.partyEffects & 512) ? 20 : 11;
    const bool chest = b.killCount >= 1 && Die(game, 30) <= chance;
    EndBattleCleanup(game);
    if (chest) {
        const std::int64_t average = std::int64_t{b.killedLevelSum} / b.killCount;
        BattleChest found;
        found.level = static_cast<int>(std::min<std::int64_t>(average + 1, 35));
        found.trap = Die(game, std::clamp<std::int64_t>(average + 15, 1, 41));
        found.dropItem = b.dropItem;
        ShowPartyPanel(game);
        Say(game, "モンスターは宝箱を持っていた");
        CallLink(game.links.battleChest, game, found);
    }
    CallLink(game.links.battleOver, game, BattleEnd::Victory, b.mapEvent);
}

void EndBattleCleanup(Game& game) {
    BattleState& b = game.battle;
    const std::int32_t effects = game.place.partyEffects;
    for (int i = 1; i <= PartySize(game); ++i) {
        Character* c = PartyMember(game, i);
        if (!c) continue;
        c->status &= ~kBattleOnly;
        if (c->status & kStatusLost) {
            *c = game.save.roster[0];
            continue;
        }
        c->armorClass = c->baseArmorClass - ((effects & 128) ? 5 : (effects & 64) ? 3 : 0);
        c->actionCode = 0;
        c->actionSpell = 0;
        c->actionItemSlot = 0;
    }
    b.partyAreaEffects = {};
    b.monsterAreaEffects = {};
    game.place.partyEffects &= ~512;
    game.place.partyBlessings &= ~(2 | 8 | 16 | 32 | 64 | 128);
    b.partyShields[2] = b.partyShields[3] = 0;
    b.monsterShields[2] = b.monsterShields[3] = 0;
    b.summonRow.clear();
    b.summonsShown = false;
    // An erased member leaves the party at once, so nothing is given to an empty record.
    RebuildParty(game);
    HideBattleScreen(game);
    SaveGame(game);
}

void PartyWipedOut(Game& game) {
    BattleState& b = game.battle;
    b.battlePhase = kNoBattle;
    b.partyFirstStrike = false;
    b.lastEnd = BattleEnd::WipeOut;
    HideBattleScreen(game);
    CallLink(game.links.battleOver, game, BattleEnd::WipeOut, b.mapEvent);
}

}  // namespace dv
