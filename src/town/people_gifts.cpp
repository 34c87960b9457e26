#include "town/people_gifts.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string_view>

#include "characters/inventory.h"
#include "characters/party.h"
#include "characters/party_items.h"
#include "core/data/people.h"
#include "core/game.h"
#include "core/prompt_dialog.h"
#include "core/save_game.h"
#include "town/people_rules.h"

namespace dv {

namespace {

// Item numbers the people's rules name.
constexpr int kThiefsTally = 609;
constexpr int kJunkDealersKey = 613;
constexpr int kBigFish = 614;
constexpr int kFineWine = 615;
constexpr int kHoney = 617;
constexpr int kGoldenApple = 627;
constexpr int kClouded = 630;
constexpr int kStuffedRat = 634;
constexpr int kLotion = 637;
constexpr int kQueensSeal = 638;
constexpr int kSeventyTwo = 656;
constexpr int kWineFlag = 4;

constexpr std::int32_t kWornBits = 31;

constexpr GiftTrade kTrades[] = {
    {3, kClouded, kJunkDealersKey, -1}, {4, kBigFish, kStuffedRat, -1},
    {5, kFineWine, 0, kWineFlag},       {8, kHoney, kLotion, -1},
    {9, kLotion, kQueensSeal, -1},
};

constexpr WordGiftRule kWordGifts[] = {{6, "卑しい盗賊", kThiefsTally},
                                       {10, "７２匹", kSeventyTwo}};

const GiftTrade* tradeFor(int person, int item) {
    for (const GiftTrade& t : kTrades)
        if (t.person == person && t.item == item) return &t;
    return nullptr;
}

Character* partyMember(Game& game, int partySlot) {
    const int slot = game.place.partyMembers[static_cast<std::size_t>(partySlot)];
    if (slot < 1 || slot >= kRosterSlots) return nullptr;
    return &game.save.roster[static_cast<std::size_t>(slot)];
}

bool partyHolds(Game& game, int itemId) {
    for (int i = 1; i <= game.place.partyCount && i <= kPartySlots; ++i)
        if (const Character* c = partyMember(game, i))
            for (int s = 1; s <= kInventorySlots; ++s)
                if (c->items[static_cast<std::size_t>(s)].itemId == itemId) return true;
    return false;
}

// Shows the numbered texts that exist; false when none does.
bool shown(Game& game, std::initializer_list<int> numbers, const MessageText& text) {
    bool any = false;
    for (int n : numbers) {
        const std::string t = n > 0 && text ? text(n) : std::string();
        if (t.empty()) continue;
        ShowMessage(game, t);
        any = true;
    }
    return any;
}

// One more unit of the gift from the first member (in party order) who has one.
void takeAnother(Game& game, int item) {
    for (int i = 1; i <= game.place.partyCount && i <= kPartySlots; ++i) {
        Character* c = partyMember(game, i);
        if (c && RemoveItemById(*c, game.db, item, game.place.partyEffects)) return;
    }
}

void react(Game& game, int person, int item, const MessageText& text) {
    const auto say = [&game](std::string_view t) { ShowMessage(game, std::string(t)); };
    const auto showNumbered = [&](std::initializer_list<int> numbers) {
        return shown(game, numbers, text);
    };
    // One more unit of the gift goes with it; the reward and the flag as the table says.
    const auto trade = [&game](const GiftTrade& t) {
        takeAnother(game, t.item);
        if (t.reward != 0) GiveItemToParty(game, t.reward, false, Announce::Plain, true);
        if (t.flag >= 0 && t.flag < kEventFlagCount)
            game.save.eventFlags[static_cast<std::size_t>(t.flag)] = 1;
    };
    const GiftTrade* const traded = tradeFor(person, item);
    switch (person) {
        case 1:
            say("ありがたい");
            break;
        case 2:
            say("ありがとう");
            break;
        case 3:
            if (!traded) {
                say("ありがとう");
                break;
            }
            if (!showNumbered({20315})) say("ありがとう");
            trade(*traded);
            break;
        case 4:
            if (!traded) {
                say("ありがとうございます");
                break;
            }
            showNumbered({20414});
            say("これはほんのお礼です\nか、必ず役に立ちますよ");
            trade(*traded);
            break;
        case 5:
            if (!traded) {
                say("ありがとよゥ");
                break;
            }
            if (!showNumbered({20511, 20512, 20513, 20514})) say("ありがとよゥ");
            trade(*traded);
            break;
        case 6:
            say("とりあえずもらっとくぜ");
            break;
        case 7:
            say("ありがとうございます");
            break;
        case 8:
            if (!traded) {
                say("ありがとうございますわ");
                break;
            }
            say("「まぁ、ステキ\nこれ、欲しかったのでございます\nではお礼にこれを差し上げますわ」");
            trade(*traded);
            break;
        case 9:
            if (traded) {
                say("「よくやったァ\nこれは褒美だァ\nワレラにはいらぬモノだが\nキサマらには有益なは"
                    "ずだァ」");
                trade(*traded);
            } else if (item == kGoldenApple) {
                for (std::string_view t : QueensAnswerForTheApple())
                    say(t);
                takeAnother(game, kGoldenApple);
            } else {
                say("ありがたく頂くゥ");
            }
            break;
        case 10:
            say("ありがたし");
            break;
        case 11:
            say("頂いておこう");
            break;
        case kBlackMarketeer:
            say("まぁ、もらっとくよ");
            break;
        default:
            break;
    }
}

}  // namespace

std::span<const GiftTrade> GiftTrades() {
    return kTrades;
}

std::span<const WordGiftRule> WordGifts() {
    return kWordGifts;
}

bool GiveToPerson(Game& game, int person, int member, int slot, const MessageText& text) {
    if (member < 1 || member >= kRosterSlots || slot < 1 || slot > kInventorySlots) return false;
    Character& c = game.save.roster[static_cast<std::size_t>(member)];
    const ItemSlot& s = c.items[static_cast<std::size_t>(slot)];
    if (s.itemId == 0 || (s.itemFlags & (kItemCursedWorn | kWornBits))) return false;
    const int item = s.itemId;
    RemoveItemUnits(c, game.db, slot, 1, game.place.partyEffects);
    react(game, person, item, text);
    return true;
}

bool WordGift(Game& game, int person, const std::string& word, const MessageText& text) {
    const auto rule =
        std::find_if(std::begin(kWordGifts), std::end(kWordGifts),
                     [&](const WordGiftRule& w) { return w.person == person && word == w.word; });
    if (rule == std::end(kWordGifts)) return false;
    const int n = person;
    if (rule->reward == kThiefsTally) {
        if (partyHolds(game, kThiefsTally)) {
            ShowMessage(game, std::string(DefaultReply(n)));
            return true;
        }
        shown(game, {20622, 20623}, text);
        GiveItemToParty(game, kThiefsTally, false, Announce::Plain, false);
        DrawPartyPanel(game);
        SaveGame(game);
        return true;
    }
    if (rule->reward == kSeventyTwo) {
        if (!partyHolds(game, kSeventyTwo) && AllBoundDemonsDefeated(game.save)) {
            shown(game, {21019}, text);
            GiveItemToParty(game, kSeventyTwo, false, Announce::Plain, true);
            SaveGame(game);
        } else if (!shown(game, {21006}, text)) {
            ShowMessage(game, std::string(DefaultReply(n)));
        }
        return true;
    }
    return false;
}

}  // namespace dv
