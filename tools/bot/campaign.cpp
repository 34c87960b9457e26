#include "campaign.h"

#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <tuple>
#include <utility>

#include "bot_game.h"
#include "characters/party.h"
#include "core/game.h"
#include "dungeon/expedition.h"
#include "errands.h"
#include "explorer.h"
#include "run_log.h"
#include "skill_choice.h"
#include "town_visit.h"

namespace dv::bot {

namespace {

// Floors in use per dungeon 21..26.
constexpr int kFloors[] = {5, 4, 7, 7, 2, 1};
// The party level wanted per floor, from the levels each dungeon is drawn for and the
// simulator's win rates (docs/balance.md, "The bot"); from Pandemonium on from the whole
// runs, whose parties of twice the simulator's levels were still wiped out there (the
// Lemegeton's first runs at 90..110 were).
constexpr int kNeeded[6][7] = {
    {1, 2, 4, 5, 6, 0, 0},        {7, 9, 13, 16, 0, 0, 0},   {18, 22, 26, 30, 34, 38, 42},
    {45, 50, 55, 60, 70, 80, 90}, {150, 170, 0, 0, 0, 0, 0}, {200, 0, 0, 0, 0, 0, 0},
};

// Fewer members than this walk a floor less deep than their levels allow, and fewer than
// kFewMembers go where half their level would.
constexpr int kFullEnough = 5;
constexpr int kFewMembers = 4;

// The words the floors teach for their riddle doors.
const char* const kRiddleWords[] = {"ハイエナ", "ヴァンパイア", "バベル", "エデン"};

// The ending marks every member who came back with the fruit.
bool endingSeen(const Game& g) {
    for (int i = 1; i <= g.place.partyCount; ++i)
        if (const Character* c = PartyMember(g, i); c && c->completionMark != 0) return true;
    return false;
}

int deepestFor(int dungeon, int level) {
    int deepest = 0;
    for (int f = 1; f <= kFloors[dungeon - 21]; ++f)
        if (LevelNeeded(dungeon, f) <= level) deepest = f;
    return deepest;
}

}  // namespace

int LevelNeeded(int dungeon, int floor) {
    if (dungeon < 21 || dungeon > 26 || floor < 1 || floor > kFloors[dungeon - 21]) return 999;
    return kNeeded[dungeon - 21][floor - 1];
}

bool RunCampaign(const Database& db, const SaveData& save, const CampaignOptions& o,
                 std::ostream& out) {
    Intent intent;
    intent.trace = o.trace;
    for (const char* w : kRiddleWords)
        intent.riddleWords.emplace_back(w);
    RunLog log(out, o.quiet);
    std::unique_ptr<Game> game = MakeBotGame(db, save, o.seed, intent, log);
    Game& g = *game;
    const std::string goal = o.goalDungeon == 0 ? std::string("the ending")
                                                : "dungeon " + std::to_string(o.goalDungeon) +
                                                      " floor " + std::to_string(o.goalFloor);
    log.line(g, "seed " + std::to_string(o.seed) + ", goal: " + goal);
    // A new game opens with four skill slots.
    if (g.save.eventFlags[19] == 0) g.save.eventFlags[19] = 4;
    Company company = CreateCompany(g, log);
    const int keeper = CreateKeeper(g, log);
    FormParty(g, company);
    Shop(g, log);
    ChooseBotSkills(g, log);
    KeepGold(g, company, keeper, true);
    Explorer explorer(g, intent, log);
    explorer.setFleeBelow(o.fleeBelow);
    // A dungeon with nothing left to do down to a floor and what the party knew then.
    std::map<int, std::pair<int, std::string>> exhausted;
    // Errands that came to nothing: the cell, at what the party knew and its level then.
    std::set<std::tuple<int, int, int, int, std::string, int>> failedErrands;
    bool reached = false;
    for (int n = 0; n < o.maxExpeditions && log.tallies().days <= o.maxDays && !reached; ++n) {
        // A party of a few walks where half its level would: it earns the temple's fee for
        // the others without joining them.
        const int level =
            g.place.partyCount < kFewMembers ? RunLog::partyLevel(g) / 2 : RunLog::partyLevel(g);
        const std::string known = PartyKnowledge(g);
        int dungeon = 0, deepest = 0, goalFloor = 0;
        bool grind = false;
        if (o.goalDungeon != 0) {
            dungeon = o.goalDungeon;
            deepest = std::min(o.goalFloor, std::max(1, deepestFor(dungeon, level)));
            goalFloor = deepest == o.goalFloor ? o.goalFloor : 0;
            grind = goalFloor == 0;
        } else {
            // The deepest dungeon the levels allow that has something left to do; a
            // shallower one only when the deeper ones wait for what it holds.
            int deepestOpen = 0;
            for (int d = 26; d >= 21 && dungeon == 0; --d) {
                if (!DungeonOffered(g, d) || deepestFor(d, level) < 1) continue;
                if (deepestOpen == 0) deepestOpen = d;
                const auto it = exhausted.find(d);
                if (it != exhausted.end() &&
                    it->second == std::make_pair(deepestFor(d, level), known))
                    continue;
                dungeon = d;
            }
            if (dungeon == 0) {
                dungeon = deepestOpen == 0 ? 21 : deepestOpen;
                grind = true;
            }
            deepest = std::max(1, deepestFor(dungeon, level));
        }
        // What the world still asks for of another dungeon comes first when the party can
        // fetch it now: the deep work waits for one trip to the cell that provides the
        // next link of the chain (the dungeon it works in gives its links as it is walked).
        std::optional<Errand> errand;
        if (o.goalDungeon == 0) errand = NextErrand(g, level);
        const auto errandKey = [&](const Errand& e) {
            return std::make_tuple(e.dungeon, e.cell.floor, e.cell.x, e.cell.y, known, level);
        };
        if (errand && (errand->dungeon == dungeon || failedErrands.count(errandKey(*errand))))
            errand.reset();
        if (errand) {
            log.line(g, "errand: " + errand->chain);
            StowWorldItems(g, keeper, errand->dungeon, log);
            const ExpeditionResult r = explorer.runErrand(errand->dungeon, errand->cell);
            if (r.wipedOut) {
                log.line(g,
                         "the party was wiped out in dungeon " + std::to_string(errand->dungeon));
                break;
            }
            if (!r.backInTown) {
                log.line(g, "the party could not find its way home");
                break;
            }
            if (PartyKnowledge(g) == known) failedErrands.insert(errandKey(*errand));
        }
        if (!errand) {
            // A party short of members keeps a floor higher until the temple has them back.
            if (g.place.partyCount < kFullEnough && goalFloor == 0)
                deepest = std::max(1, deepest - 1);
            StowWorldItems(g, keeper, dungeon, log);
            const ExpeditionResult r = explorer.run(dungeon, deepest, goalFloor, grind);
            if (r.wipedOut) {
                log.line(g, "the party was wiped out in dungeon " + std::to_string(dungeon));
                break;
            }
            if (!r.backInTown) {
                log.line(g, "the party could not find its way home");
                break;
            }
            // Keyed by the floors the level opens, not the level itself: a party rising with
            // every expedition still turns back to the shallow dungeons for what it left
            // there.
            if (!grind && !r.workLeft) exhausted[dungeon] = {deepestFor(dungeon, level), known};
            if (o.goalDungeon != 0 && r.goalReached) reached = true;
        }
        if (o.goalDungeon == 0 && endingSeen(g)) reached = true;
        KeepGold(g, company, keeper, false);
        SecureWorldItems(g, company, keeper);
        Temple(g, company, log);
        ReplaceFallen(g, company, log);
        const int gained = Inn(g, intent, log);
        if (gained > 0) log.line(g, "rested: " + std::to_string(gained) + " levels gained");
        Shop(g, log);
        ChooseBotSkills(g, log);
        KeepGold(g, company, keeper, true);
    }
    log.summary(g, reached, goal);
    return reached;
}

}  // namespace dv::bot
