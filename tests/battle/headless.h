#pragma once

// The game state without windows, for the battle's rules: the messages the dialog would
// show are kept, questions get a set answer, nothing is saved.

#include <memory>
#include <string>
#include <vector>

#include "core/game.h"
#include "core/prompt_dialog.h"

namespace dv::test {

class Headless {
  public:
    explicit Headless(std::uint64_t seed = 1) : g_(std::make_unique<Game>()) {
        Game& g = *g_;
        g.rng.seed(seed);
        g.savesOff = true;
        g.answerPrompt = [this](const std::string& text, int mode) {
            messages.push_back(text);
            return mode == kPromptQuestion ? (yes ? std::string("-1") : std::string("0"))
                                           : std::string("0");
        };
        g.place.currentDungeon = 21;
        g.place.currentFloor = 1;
        g.place.partyId = 1;
    }

    Game& game() { return *g_; }
    BattleState& battle() { return g_->battle; }

    // A healthy member in roster slot `slot`, joining the party at the end.
    Character& member(int slot, const std::string& name = "") {
        Game& g = *g_;
        Character& c = g.save.roster[static_cast<size_t>(slot)];
        c = Character{};
        c.rosterId = slot;
        c.name = name.empty() ? "なかま" + std::to_string(slot) : name;
        c.level = 1;
        c.hitPoints = c.maxHitPoints = 50;
        c.strength = c.dexterity = c.agility = c.vitality = 10;
        c.luck = 10;
        c.damagePercent.fill(100);
        c.dungeonId = 21;
        c.floor = 1;
        c.partyId = 1;
        g.place.partyCount += 1;
        c.partyPosition = static_cast<std::uint8_t>(g.place.partyCount);
        g.place.partyMembers[static_cast<size_t>(g.place.partyCount)] = slot;
        return c;
    }
    Character& party(int partySlot) {
        return g_->save
            .roster[static_cast<size_t>(g_->place.partyMembers[static_cast<size_t>(partySlot)])];
    }
    // A plain monster record (type 1, sex 4, ordinary damage percents).
    static Character monsterRecord(int number, const std::string& name, int hitPoints) {
        Character m;
        m.rosterId = number;
        m.name = name;
        m.altName = "なにか";
        m.level = 1;
        m.classBit = 1;
        m.sex = 4;
        m.hitPoints = m.maxHitPoints = hitPoints;
        m.damagePercent.fill(100);
        m.weaponTypePercent.fill(100);
        m.attackCount = 1;
        m.agility = 10;
        return m;
    }
    // A fighter put straight into the battle.
    Character& fighter(int group, int slot, const std::string& name = "ゴブリン", int hp = 10) {
        Character& m = g_->battle.monsters[static_cast<size_t>(group)][static_cast<size_t>(slot)];
        m = monsterRecord(1, name, hp);
        return m;
    }

    bool said(const std::string& part) const {
        for (const std::string& m : messages)
            if (m.find(part) != std::string::npos) return true;
        return false;
    }

    std::vector<std::string> messages;
    bool yes = true;

  private:
    std::unique_ptr<Game> g_;
};

}  // namespace dv::test
