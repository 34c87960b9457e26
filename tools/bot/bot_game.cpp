#include "bot_game.h"

#include <iostream>

#include "core/game.h"
#include "core/prompt_dialog.h"
#include "dungeon/maze.h"
#include "people_visit.h"
#include "town/town_return.h"

namespace dv::bot {

namespace {

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

std::string answer(Intent& intent, const std::string& text, int mode) {
    if (intent.trace) std::cerr << text << "\n";
    if (mode == kPromptInput) {
        // A member to choose (a spell's target, who opens a lock): its roster slot.
        if (!contains(text, "何と答える") && !contains(text, "名は何"))
            return std::to_string(intent.pickSlot);
        if (intent.riddleWords.empty()) return "";
        const std::string& word = intent.riddleWords[intent.nextWord % intent.riddleWords.size()];
        ++intent.nextWord;
        return word;
    }
    if (mode != kPromptQuestion) return "0";
    bool yes = true;
    if (contains(text, "城へ戻りますか")) {
        yes = intent.home;
    } else if (contains(text, "上がりますか") || contains(text, "下がりますか") ||
               contains(text, "入りますか")) {
        yes = intent.transit;
    } else if (contains(text, "引いてみますか") || contains(text, "押しますか") ||
               contains(text, "レバーを")) {
        yes = intent.pullLever;
    } else if (contains(text, "かい？")) {
        // The watch ghost's wrong form of its word; its genuine form ends in "だね？".
        yes = false;
    }
    // Everything else (levers, friendly meetings, the ghost's words, the jumps of the
    // mist) is taken up: the party wants what the world offers.
    return yes ? "-1" : "0";
}

}  // namespace

std::unique_ptr<Game> MakeBotGame(const Database& db, const SaveData& save, std::uint64_t seed,
                                  Intent& intent, RunLog& log) {
    auto game = std::make_unique<Game>();
    Game& g = *game;
    g.db = db;
    g.save = save;
    g.rng.seed(seed);
    g.savesOff = true;
    g.answerPrompt = [&intent](const std::string& text, int mode) {
        return answer(intent, text, mode);
    };
    // The dungeon's own hand-over after a battle (as the app wires it): the event's
    // post-battle check, the chained battle, the wipe-out's way home. Chests the monsters
    // leave wait for the explorer, which opens them with the chest's own rules.
    g.links.battleChest = [](Game& gm, const BattleChest& chest) { KeepBattleChest(gm, chest); };
    // A person's room: the bot's own visit through the people's gift rules.
    g.links.talkTo = [&log](Game& gm, int npc) { VisitPerson(gm, npc, log); };
    // The town after a return: the party as the tavern keeps it, the ending when earned.
    g.links.townShown = [](Game& gm) { ShowTownAfterReturn(gm); };
    g.links.battleOver = [](Game& gm, BattleEnd end, int mapEvent) {
        AfterBattle(gm, end, mapEvent);
    };
    return game;
}

}  // namespace dv::bot
