#include "people_visit.h"

#include <string>

#include "characters/party.h"
#include "core/data/message.h"
#include "core/game.h"
#include "run_log.h"
#include "town/people_gifts.h"

namespace dv::bot {

namespace {

std::string messageText(int n) {
    return std::string(Message(n));
}

}  // namespace

void VisitPerson(Game& g, int person, RunLog& log) {
    for (const WordGiftRule& w : WordGifts())
        if (w.person == person && WordGift(g, person, w.word, messageText))
            log.detail(g, "said " + std::string(w.word) + " to person " + std::to_string(person));
    for (const GiftTrade& t : GiftTrades()) {
        if (t.person != person) continue;
        for (int i = 1; i <= g.place.partyCount; ++i) {
            const Character* c = PartyMember(g, i);
            if (!c) continue;
            int slot = 0;
            for (int s = 1; s <= kInventorySlots && slot == 0; ++s)
                if (c->items[static_cast<size_t>(s)].itemId == t.item) slot = s;
            if (slot == 0) continue;
            if (GiveToPerson(g, person, c->rosterId, slot, messageText)) {
                log.line(g, "gave item " + std::to_string(t.item) + " to person " +
                                std::to_string(person));
                break;
            }
        }
    }
}

}  // namespace dv::bot
