#include "skill_choice.h"

#include <algorithm>
#include <string>
#include <vector>

#include "characters/party.h"
#include "core/game.h"
#include "items/skill_window.h"
#include "run_log.h"

namespace dv::bot {

namespace {

// Best first. Skills that draw more monsters, double the harm taken or throw away a
// young caster's power are never taken.
constexpr int kFighter[] = {55, 83, 127, 51, 33, 16, 110, 32, 120, 36, 118, 147, 63, 134, 54};
constexpr int kMage[] = {22, 19, 70, 150, 20, 29, 21, 74, 75, 194, 144};
constexpr int kPriest[] = {52, 158, 157, 156, 259, 257, 155, 249, 246, 27, 143};

template <std::size_t N>
std::vector<int> pick(const std::vector<int>& offered, const int (&order)[N], int limit) {
    std::vector<int> chosen;
    for (int s : order)
        if (static_cast<int>(chosen.size()) < limit &&
            std::find(offered.begin(), offered.end(), s) != offered.end())
            chosen.push_back(s);
    return chosen;
}

}  // namespace

int ChooseBotSkills(Game& g, RunLog& log) {
    int changed = 0;
    const int limit = SkillLimit(g);
    for (int i = 1; i <= g.place.partyCount; ++i) {
        Character* c = PartyMember(g, i);
        if (!c) continue;
        const std::vector<int> offered = OfferedSkills(g, *c);
        const int cls = SkillClassNumber(c->classBit);
        const std::vector<int> chosen = cls == 3   ? pick(offered, kPriest, limit)
                                        : cls == 2 ? pick(offered, kMage, limit)
                                                   : pick(offered, kFighter, limit);
        std::vector<bool> checked;
        bool same = true;
        for (int s : offered) {
            const bool on = std::find(chosen.begin(), chosen.end(), s) != chosen.end();
            checked.push_back(on);
            if (on != (c->skills[static_cast<size_t>(s)] != 0)) same = false;
        }
        if (same) continue;
        StoreSkills(*c, offered, checked);
        std::string text = c->name + " checks skills";
        for (int s : chosen)
            text += " " + std::to_string(s);
        log.line(g, text);
        ++changed;
    }
    return changed;
}

}  // namespace dv::bot
