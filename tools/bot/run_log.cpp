#include "run_log.h"

#include <algorithm>
#include <ostream>
#include <vector>

#include "characters/party.h"
#include "core/game.h"

namespace dv::bot {

std::string RunLog::levels(const Game& g) {
    std::vector<int> all;
    for (int i = 1; i <= g.place.partyCount; ++i)
        if (const Character* c = PartyMember(g, i)) all.push_back(c->level);
    std::sort(all.begin(), all.end());
    std::string text;
    for (int l : all)
        text += (text.empty() ? "" : ",") + std::to_string(l);
    return text;
}

int RunLog::lowestLevel(const Game& g) {
    int lowest = 0;
    for (int i = 1; i <= g.place.partyCount; ++i)
        if (const Character* c = PartyMember(g, i))
            lowest = lowest == 0 ? c->level : std::min<int>(lowest, c->level);
    return lowest;
}

int RunLog::partyLevel(const Game& g) {
    std::vector<int> all;
    for (int i = 1; i <= g.place.partyCount; ++i)
        if (const Character* c = PartyMember(g, i)) all.push_back(c->level);
    if (all.empty()) return 0;
    std::sort(all.begin(), all.end());
    return all[(all.size() - 1) / 2];
}

void RunLog::line(const Game& g, const std::string& text) {
    out_ << "day " << t_.days << " step " << t_.steps << " [" << levels(g) << "] " << text << "\n";
}

void RunLog::detail(const Game& g, const std::string& text) {
    if (!quiet_) line(g, text);
}

void RunLog::floorReached(const Game& g) {
    const std::pair<int, int> key{g.place.currentDungeon, g.place.currentFloor};
    if (floors_[key]) return;
    floors_[key] = true;
    line(g, "first reached dungeon " + std::to_string(key.first) + " floor " +
                std::to_string(key.second) + " (battles " + std::to_string(t_.battles) +
                ", deaths " + std::to_string(t_.deaths) + ")");
}

void RunLog::summary(const Game& g, bool reached, const std::string& goal) {
    out_ << "\n" << (reached ? "reached " : "did not reach ") << goal << "\n";
    out_ << "days " << t_.days << ", steps " << t_.steps << ", expeditions " << t_.expeditions
         << ", battles " << t_.battles << " (won " << t_.won << ", fled " << t_.fled << "), deaths "
         << t_.deaths << ", wipe-outs " << t_.wipeOuts << ", inn stays " << t_.innStays
         << ", levels gained " << t_.levelUps << "\n";
    out_ << "chests opened " << t_.chestsOpened << " (traps sprung " << t_.trapsSprung << "), left "
         << t_.chestsLeft << ", items sold " << t_.itemsSold << ", potions used " << t_.potionsUsed
         << ", spells home " << t_.returnSpells << "; gold paid: temple "
         << static_cast<long long>(t_.goldTemple) << ", inn " << static_cast<long long>(t_.goldInn)
         << ", shop " << static_cast<long long>(t_.goldShop) << "\n";
    out_ << "party levels " << levels(g) << "\n";
}

}  // namespace dv::bot
