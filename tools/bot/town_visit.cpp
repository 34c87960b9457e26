#include "town_visit.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <set>
#include <string>

#include "adventurers.h"
#include "battle/command_entry.h"
#include "camp_care.h"
#include "characters/creation_rules.h"
#include "characters/equipment_rules.h"
#include "characters/healing.h"
#include "characters/party.h"
#include "characters/roster_rules.h"
#include "combat/spells.h"
#include "core/data/map_event_data.h"
#include "core/game.h"
#include "dungeon/expedition.h"
#include "explorer.h"
#include "gear.h"
#include "items/equipment_window.h"
#include "items/item_actions.h"
#include "run_log.h"
#include "town/inn_rules.h"
#include "town/people_gifts.h"
#include "town/shop_rules.h"
#include "town/temple_rules.h"

namespace dv::bot {

namespace {

// Bonus rolls below this are thrown back, at most kRerolls times.
constexpr int kGoodRoll = 8;
constexpr int kRerolls = 30;
constexpr std::int32_t kPriestClass = 4;
// Below this level a fallen member is replaced rather than waited for, and always when
// fewer than kFewestAble members are left standing to earn the temple's fee.
constexpr int kYoungCompany = 4;
constexpr int kFewestAble = 2;
// A member below 1/kNewcomerGap of the highest level walks in the back row.
constexpr int kNewcomerGap = 3;
constexpr int kHealEffect = 7;
// Gold kept per member for the inn when shopping.
constexpr double kInnReserve = 40;
// Weeks in the cheapest room beyond which a better room is taken when it can be paid.
constexpr int kLongWeeks = 8;
// Nights the casters heal the party in the free room before rooms are paid for.
constexpr long kNursingNights = 60;
// Gold kept per level of the most seasoned member for the temple (a dozen raises, or
// three from the ashes).
constexpr double kRaiseReserve = 3000;
// Healing items carried per member, and antidotes for the party.
constexpr int kRemediesPerMember = 2;
// Empty slots each pack keeps for what the expedition finds.
constexpr int kRoomKept = 5;
constexpr int kAntidotes = 4;
// Wings home carried for the worst moments, once the purse allows.
constexpr int kWings = 1;
// Looks through the packs when sorting the loot, at most.
constexpr int kLootRounds = 200;

int slotOf(const Game& g, int partySlot) {
    return g.place.partyMembers[static_cast<size_t>(partySlot)];
}

bool knowsHealing(const Game& g, const Character& c) {
    for (int i = 1; i <= 200; ++i) {
        const SpellRecord* s = spellAt(g.db, i);
        if (s && s->effect == kHealEffect && (s->flags & kSpellInCamp) && s->kind <= 3 &&
            s->level >= 1 && s->level <= 9 && s->number >= 1 && s->number <= 4 &&
            c.spellsKnown(s->kind, s->level, s->number) != 0)
            return true;
    }
    return false;
}

bool anyoneHurt(const Game& g) {
    for (int i = 1; i <= g.place.partyCount; ++i)
        if (const Character* c = PartyMember(g, i);
            c && !(c->status & kStatusUnhealable) && c->hitPoints < c->maxHitPoints)
            return true;
    return false;
}

// One stay at the inn; 1 when the guest rose a level, 0 when not, -1 when it could not
// stay or died of age.
int stay(Game& g, RunLog& log, int slot, int room, int weeks) {
    Character& c = g.save.roster[static_cast<size_t>(slot)];
    try {
        const StayResult r = StayAtInn(g.save, slot, room, weeks, g.db, g.rng);
        log.tallies().innStays += 1;
        if (room != kFreeRoom) log.tallies().goldInn += StayCost(room, weeks);
        if (r.rest.result == RestResult::kDiedOfAge) {
            log.line(g, "a member died of old age at the inn");
            return -1;
        }
        if (r.rest.result != RestResult::kRoseLevel) return 0;
        log.detail(g, c.name + " rose to level " + std::to_string(c.level));
        return 1;
    } catch (const std::exception& e) {
        log.line(g, std::string("inn refused: ") + e.what());
        return -1;
    }
}

// A new adventurer of a plan in the roster; its slot, 0 when the roster is full.
int newAdventurer(Game& g, const policy::AdventurerPlan& plan, RunLog& log) {
    int points = RollBonusPoints(g.rng);
    for (int n = 0; n < kRerolls && points < kGoodRoll; ++n)
        points = RollBonusPoints(g.rng);
    const CreationChoice choice = policy::PlanChoice(plan, policy::SpreadBonus(plan, points));
    int slot = CommitCharacter(g.save, choice, g.rng);
    // A priest who did not learn the healing prayer is sent away and made again.
    for (int n = 0; n < kRerolls && slot != 0 && plan.classBit == kPriestClass &&
                    !knowsHealing(g, g.save.roster[static_cast<size_t>(slot)]);
         ++n) {
        DeleteCharacter(g.save, slot);
        slot = CommitCharacter(g.save, choice, g.rng);
    }
    if (slot == 0) return 0;
    const Character& c = g.save.roster[static_cast<size_t>(slot)];
    log.line(g, "created " + c.name + " (bonus " + std::to_string(points) + ", hit points " +
                    std::to_string(c.maxHitPoints) + ", gold " +
                    std::to_string(static_cast<long>(c.gold)) + ")");
    return slot;
}

// Gold kept for the temple: two raises of the most seasoned member. A young company keeps
// nothing back: its gear matters more, and a member lost young is replaced.
double templeReserve(const Game& g) {
    int highest = 0;
    for (int i = 1; i <= g.place.partyCount; ++i)
        if (const Character* c = PartyMember(g, i)) highest = std::max<int>(highest, c->level);
    return highest <= kYoungCompany ? 0.0 : kRaiseReserve * highest;
}

// Empty slots of a pack.
int freeSlots(const Character& c) {
    int n = 0;
    for (int s = 1; s <= kInventorySlots; ++s)
        n += c.items[static_cast<size_t>(s)].itemId == 0 ? 1 : 0;
    return n;
}

// Only weapons and armour are sold, never what the world asks for.
bool kept(const Game& g, const ItemRecord& item, int id) {
    return item.kind < 1 || item.kind > 6 || WorldItem(g, id);
}

// The member (party position) for whom an item betters what it wears the most, 0 for
// nobody.
int wearerFor(const Game& g, const ItemRecord& item) {
    const int code = policy::EquipCodeOfKind(item.kind);
    if (code == 0 || item.cursed) return 0;
    int who = 0, gain = 0;
    for (int i = 1; i <= g.place.partyCount; ++i) {
        const Character* c = PartyMember(g, i);
        if (!c || !MayUseItem(item, *c) || (item.kind == 2 && c->classBit != 1)) continue;
        const int better = policy::ItemWorth(item) - policy::WornWorth(g, *c, code);
        if (better > gain) {
            who = i;
            gain = better;
        }
    }
    return who;
}

// The loot of the expeditions: identified at the shop while the gold above the reserve
// allows, worn by whoever it betters, the rest sold.
void sortLoot(Game& g, RunLog& log) {
    const double reserve = templeReserve(g) + kInnReserve * g.place.partyCount;
    std::set<int> refused;
    for (int i = 1, rounds = 0; i <= g.place.partyCount && rounds < kLootRounds; ++i, ++rounds) {
        Character* c = PartyMember(g, i);
        if (!c) continue;
        for (int s = 1, guard = 0; s <= kInventorySlots && guard < 4 * kInventorySlots;
             ++s, ++guard) {
            const ItemSlot& slot = c->items[static_cast<size_t>(s)];
            const ItemRecord* item = itemAt(g.db, slot.itemId);
            if (!item || (slot.itemFlags & kEquipCodeBits) || kept(g, *item, slot.itemId)) continue;
            if (slot.itemFlags & kItemUnidentified) {
                if (!PoolGold(g, c->rosterId) ||
                    c->gold - static_cast<double>(ShopPrice(*item) / 2) < reserve ||
                    !IdentifyForFee(g.db, *c, s)) {
                    // What the purse cannot name goes for a coin once the pack runs short of
                    // room: the things a search turns up need somewhere to go.
                    if (freeSlots(*c) < kRoomKept &&
                        SellItem(g.save, g.db, *c, s, g.place.partyEffects) == Sale::kSold) {
                        log.tallies().itemsSold += 1;
                        s = 0;
                    }
                    continue;
                }
                log.tallies().goldShop += static_cast<double>(ShopPrice(*item) / 2);
            }
            const int who = refused.count(slot.itemId) ? 0 : wearerFor(g, *item);
            if (who != 0) {
                Character* wearer = PartyMember(g, who);
                const int id = slot.itemId;
                if (wearer != c &&
                    GiveItem(g, c->rosterId, s, wearer->rosterId) != GiveOutcome::Given)
                    continue;
                policy::WearBest(g, *wearer);
                // Worn after all, or not (the equipment rules have the last word): then it is
                // sold like the rest on the next look.
                if (policy::WornWorth(g, *wearer, policy::EquipCodeOfKind(item->kind)) >=
                    policy::ItemWorth(*item))
                    log.detail(g, wearer->name + " wears " + item->name);
                else
                    refused.insert(id);
                // Look through this pack again (or all of them, when the item moved).
                i = wearer == c ? i - 1 : 0;
                break;
            }
            if (SellItem(g.save, g.db, *c, s, g.place.partyEffects) == Sale::kSold) {
                log.tallies().itemsSold += 1;
                s = 0;
            }
        }
    }
}

// A pack short of room sells what nobody wears, the world does not ask for and does not
// heal (unnamed things go for a coin): the things a search turns up need somewhere to go.
void makeRoom(Game& g, RunLog& log) {
    for (int i = 1; i <= g.place.partyCount; ++i) {
        Character* c = PartyMember(g, i);
        if (!c) continue;
        for (int s = kInventorySlots; s >= 1 && freeSlots(*c) < kRoomKept; --s) {
            const ItemSlot& slot = c->items[static_cast<size_t>(s)];
            const ItemRecord* item = itemAt(g.db, slot.itemId);
            if (!item || (slot.itemFlags & kEquipCodeBits) || item->kind == 11 ||
                WorldItem(g, slot.itemId) ||
                (!(slot.itemFlags & kItemUnidentified) && IsRemedy(g, slot.itemId)))
                continue;
            if (SellItem(g.save, g.db, *c, s, g.place.partyEffects) == Sale::kSold) {
                log.tallies().itemsSold += 1;
                s = kInventorySlots + 1;
            }
        }
    }
}

// Remedies for the expedition: antidotes, a pair of wings home, then the cheapest healing
// per gold while the shop has them, a few per member.
void buyRemedies(Game& g, RunLog& log, double reserve) {
    const int count = g.place.partyCount;
    if (count == 0 || !PoolGold(g, slotOf(g, 1))) return;
    Character& buyer = *PartyMember(g, 1);
    int heals = 0, cures = 0, wings = 0;
    for (int i = 1; i <= count; ++i)
        if (const Character* c = PartyMember(g, i))
            for (int s = 1; s <= kInventorySlots; ++s) {
                const ItemSlot& slot = c->items[static_cast<size_t>(s)];
                if (!IsRemedy(g, slot.itemId)) continue;
                const ItemRecord* item = itemAt(g.db, slot.itemId);
                const SpellRecord* spell = SpellOfLink(g, item->spellLink);
                (spell->effect == 7    ? heals
                 : spell->effect == 43 ? cures
                                       : wings) += std::max(1, slot.itemCount);
            }
    std::vector<std::pair<double, int>> offer;  // gold per hit point, item
    for (int n = 1; n < kCounterCount; ++n) {
        if (!IsRemedy(g, n) || g.save.shopStock[static_cast<size_t>(n)] <= 0) continue;
        const ItemRecord* item = itemAt(g.db, n);
        const SpellRecord* spell = SpellOfLink(g, item->spellLink);
        const double heal = spell->effect == 7
                                ? spell->diceCount * (spell->diceSides + 1) / 2.0 + spell->diceBonus
                                : 0.0;
        // Cures first, then the wings home, then healing by its price per point.
        offer.emplace_back(heal > 0              ? static_cast<double>(ShopPrice(*item)) / heal
                           : spell->effect == 43 ? -2.0
                                                 : -1.0,
                           n);
    }
    std::sort(offer.begin(), offer.end());
    for (const auto& [perPoint, n] : offer) {
        int& have = perPoint == -2.0 ? cures : perPoint == -1.0 ? wings : heals;
        const int want = perPoint == -2.0   ? kAntidotes
                         : perPoint == -1.0 ? kWings
                                            : kRemediesPerMember * count;
        while (have < want && g.save.shopStock[static_cast<size_t>(n)] > 0) {
            const double price = static_cast<double>(ShopPrice(*itemAt(g.db, n)));
            if (buyer.gold - price < reserve) return;
            const Purchase p = BuyItem(g.save, g.db, buyer, n);
            if (p != Purchase::kBought && p != Purchase::kLastOne) break;
            log.tallies().goldShop += price;
            have += 1;
        }
    }
    // Carried behind the front row, which falls first.
    for (int s = kInventorySlots; s >= 1; --s) {
        const ItemSlot& slot = buyer.items[static_cast<size_t>(s)];
        if (!IsRemedy(g, slot.itemId)) continue;
        for (int i = 2; i <= count; ++i) {
            const Character* c = PartyMember(g, i);
            if (c && c->classBit != 1 &&
                GiveItem(g, buyer.rosterId, s, c->rosterId) == GiveOutcome::Given)
                break;
        }
    }
}

// A member sent away leaves the world's items with one who stays.
void handOver(Game& g, const Company& company, int leaving) {
    int heir = 0;
    for (int slot : company)
        if (slot != leaving && g.save.roster[static_cast<size_t>(slot)].rosterId != 0 &&
            !(g.save.roster[static_cast<size_t>(slot)].status & kTempleStatusMask))
            heir = heir == 0 ? slot : heir;
    if (heir == 0) return;
    Character& from = g.save.roster[static_cast<size_t>(leaving)];
    for (int s = kInventorySlots; s >= 1; --s)
        if (WorldItem(g, from.items[static_cast<size_t>(s)].itemId)) GiveItem(g, leaving, s, heir);
}

}  // namespace

int CreateKeeper(Game& g, RunLog& log) {
    const policy::AdventurerPlan keeper{"留守番", policy::StandardParty()[0].classBit,
                                        policy::StandardParty()[0].bonus};
    return newAdventurer(g, keeper, log);
}

void KeepGold(Game& g, const Company& company, int keeper, bool deposit) {
    if (keeper == 0 || company.empty()) return;
    const auto pair = [&](int member) {
        for (int i = 1; i <= g.place.partyCount; ++i)
            RemoveFromParty(g, slotOf(g, i));
        g.place.partyMembers.fill(0);
        g.place.partyCount = 0;
        AddToParty(g, keeper);
        AddToParty(g, member);
    };
    if (deposit) {
        for (int member : company)
            if (g.save.roster[static_cast<size_t>(member)].rosterId != 0) {
                pair(member);
                PoolGold(g, keeper);
            }
    } else {
        pair(company.front());
        PoolGold(g, company.front());
    }
    RemoveFromParty(g, keeper);
    FormParty(g, company);
}

namespace {

// Whether something in a dungeon asks for the item: a door, a gate, an item use or an
// event's condition there, a person of the dungeon who trades for it, or its opening.
bool usedIn(const Game& g, int id, int dungeon) {
    for (const MapEvent& e : g.dungeon.events) {
        if (e.dungeon != dungeon) continue;
        if (e.whenItem == id) return true;
        if (e.action != EventAction::HiddenItem)
            for (std::int16_t n : e.items)
                if (n == id) return true;
    }
    for (const GiftTrade& t : GiftTrades()) {
        if (t.item != id) continue;
        for (const MapEvent& e : g.dungeon.events)
            if (e.action == EventAction::PersonRoom && e.npc == t.person && e.dungeon == dungeon)
                return true;
    }
    for (int item : DungeonOpeningNeeds(dungeon).items)
        if (item == id) return true;
    return false;
}

}  // namespace

void SecureWorldItems(Game& g, const Company& company, int keeper) {
    const auto standing = [&](int slot) {
        const Character& c = g.save.roster[static_cast<size_t>(slot)];
        return c.rosterId != 0 && !(c.status & kTempleStatusMask);
    };
    std::vector<int> takers;
    for (int slot : company)
        if (standing(slot)) takers.push_back(slot);
    if (keeper >= 1 && keeper < kRosterSlots && standing(keeper)) takers.push_back(keeper);
    for (int slot : company) {
        if (slot < 1 || slot >= kRosterSlots || standing(slot)) continue;
        const Character& c = g.save.roster[static_cast<size_t>(slot)];
        if (c.rosterId == 0) continue;
        for (int s = kInventorySlots; s >= 1; --s) {
            const ItemSlot& it = c.items[static_cast<size_t>(s)];
            if (it.itemId == 0 || (it.itemFlags & kEquipCodeBits) || !WorldItem(g, it.itemId))
                continue;
            for (int to : takers)
                if (freeSlots(g.save.roster[static_cast<size_t>(to)]) > 0 &&
                    GiveItem(g, slot, s, to) == GiveOutcome::Given)
                    break;
        }
    }
}

void StowWorldItems(Game& g, int keeper, int dungeon, RunLog& log) {
    if (keeper < 1 || keeper >= kRosterSlots ||
        g.save.roster[static_cast<size_t>(keeper)].rosterId == 0)
        return;
    Character& k = g.save.roster[static_cast<size_t>(keeper)];
    int back = 0, left = 0;
    // What the dungeon asks for goes to the member with the most room.
    for (int s = kInventorySlots; s >= 1; --s) {
        const int id = k.items[static_cast<size_t>(s)].itemId;
        if (id == 0 || !usedIn(g, id, dungeon)) continue;
        const Character* roomiest = nullptr;
        for (int i = 1; i <= g.place.partyCount; ++i)
            if (const Character* c = PartyMember(g, i);
                c && (!roomiest || freeSlots(*c) > freeSlots(*roomiest)))
                roomiest = c;
        if (!roomiest || freeSlots(*roomiest) == 0) break;
        if (GiveItem(g, keeper, s, roomiest->rosterId) == GiveOutcome::Given) ++back;
    }
    for (int i = 1; i <= g.place.partyCount && freeSlots(k) > 0; ++i) {
        const Character* c = PartyMember(g, i);
        for (int s = kInventorySlots; c && s >= 1 && freeSlots(k) > 0; --s) {
            const ItemSlot& it = c->items[static_cast<size_t>(s)];
            if (it.itemId == 0 || (it.itemFlags & kEquipCodeBits) || !WorldItem(g, it.itemId) ||
                usedIn(g, it.itemId, dungeon))
                continue;
            if (GiveItem(g, c->rosterId, s, keeper) == GiveOutcome::Given) ++left;
        }
    }
    // A newcomer walking behind the others falls more often than they, and one the temple
    // loses takes its pack with it: the world's items go to the seasoned.
    int highest = 0;
    for (int i = 1; i <= g.place.partyCount; ++i)
        if (const Character* c = PartyMember(g, i)) highest = std::max<int>(highest, c->level);
    for (int i = 1; i <= g.place.partyCount; ++i) {
        const Character* c = PartyMember(g, i);
        if (!c || c->level * kNewcomerGap >= highest) continue;
        for (int s = kInventorySlots; s >= 1; --s) {
            const ItemSlot& it = c->items[static_cast<size_t>(s)];
            if (it.itemId == 0 || (it.itemFlags & kEquipCodeBits) || !WorldItem(g, it.itemId))
                continue;
            for (int j = 1; j <= g.place.partyCount; ++j) {
                const Character* to = PartyMember(g, j);
                if (!to || to->level * kNewcomerGap < highest || freeSlots(*to) == 0) continue;
                if (GiveItem(g, c->rosterId, s, to->rosterId) == GiveOutcome::Given) break;
            }
        }
    }
    if (back + left > 0)
        log.detail(g, "the keeper gave back " + std::to_string(back) +
                          " of the world's items and keeps " + std::to_string(left) +
                          " for dungeon " + std::to_string(dungeon));
}

Company CreateCompany(Game& g, RunLog& log) {
    Company company;
    for (const policy::AdventurerPlan& plan : policy::StandardParty()) {
        const int slot = newAdventurer(g, plan, log);
        if (slot == 0) break;
        company.push_back(slot);
    }
    FormParty(g, company);
    return company;
}

void FormParty(Game& g, const Company& company) {
    for (int i = 1; i <= g.place.partyCount; ++i)
        RemoveFromParty(g, slotOf(g, i));
    g.place.partyMembers.fill(0);
    g.place.partyCount = 0;
    std::vector<int> able;
    int highest = 0;
    for (int slot : company)
        if (slot >= 1 && slot < kRosterSlots &&
            g.save.roster[static_cast<size_t>(slot)].rosterId != 0 &&
            !(g.save.roster[static_cast<size_t>(slot)].status & kTempleStatusMask)) {
            able.push_back(slot);
            highest = std::max<int>(highest, g.save.roster[static_cast<size_t>(slot)].level);
        }
    // A newcomer far below the others walks behind them, in the back row: the experience
    // of a few battles at their depth brings it near them (left at the tavern it never
    // would, and the party would lack its class for the rest of the run).
    for (const bool seasoned : {true, false})
        for (int slot : able)
            if ((g.save.roster[static_cast<size_t>(slot)].level * kNewcomerGap >= highest) ==
                seasoned)
                AddToParty(g, slot);
}

void ReplaceFallen(Game& g, Company& company, RunLog& log) {
    const auto plans = policy::StandardParty();
    int able = 0, highest = 0;
    for (int slot : company) {
        const Character& c = g.save.roster[static_cast<size_t>(slot)];
        if (c.rosterId != 0 && !(c.status & kTempleStatusMask)) ++able;
        highest = std::max<int>(highest, c.level);
    }
    for (std::size_t i = 0; i < company.size() && i < plans.size(); ++i) {
        const Character& c = g.save.roster[static_cast<size_t>(company[i])];
        // One the temple could not raise from its ashes is gone for good.
        if (c.rosterId == 0) {
            log.line(g, "a member was lost for good and is replaced by a new adventurer");
            if (const int slot = newAdventurer(g, plans[i], log); slot != 0) company[i] = slot;
            continue;
        }
        if (!(c.status & kTempleStatusMask) || (highest > kYoungCompany && able >= kFewestAble))
            continue;
        log.line(g, c.name + " (level " + std::to_string(c.level) +
                        ") could not be helped at the temple and is replaced by a new adventurer");
        handOver(g, company, company[i]);
        DeleteCharacter(g.save, company[i]);
        const int slot = newAdventurer(g, plans[i], log);
        if (slot != 0) company[i] = slot;
    }
    FormParty(g, company);
}

void Shop(Game& g, RunLog& log) {
    sortLoot(g, log);
    makeRoom(g, log);
    const int count = g.place.partyCount;
    const double reserve = templeReserve(g) + kInnReserve * count;
    for (int i = 1; i <= count; ++i) {
        const int slot = slotOf(g, i);
        if (slot < 1 || slot >= kRosterSlots || !PoolGold(g, slot)) continue;
        Character& c = g.save.roster[static_cast<size_t>(slot)];
        // The gold not kept for the temple and the inn is shared among the members still to
        // shop.
        const double share = std::max(0.0, (c.gold - reserve) / (count - i + 1));
        double spent = 0;
        for (int kind : {3, 2, 1, 6, 4, 5}) {
            const int code = policy::EquipCodeOfKind(kind);
            int best = 0, bestWorth = policy::WornWorth(g, c, code);
            for (int n = 1; n < kCounterCount; ++n) {
                const ItemRecord* item = itemAt(g.db, n);
                if (!item || item->kind != kind || g.save.shopStock[static_cast<size_t>(n)] <= 0)
                    continue;
                if (!MayUseItem(*item, c) || item->cursed ||
                    static_cast<double>(ShopPrice(*item)) > share - spent)
                    continue;
                if (kind == 2 && c.classBit != 1) continue;             // shields for the front row
                if (item->twoHanded != 0 && c.classBit == 1) continue;  // the shield's hand
                if (policy::ItemWorth(*item) > bestWorth) {
                    best = n;
                    bestWorth = policy::ItemWorth(*item);
                }
            }
            if (best == 0) continue;
            const Purchase p = BuyItem(g.save, g.db, c, best);
            if (p != Purchase::kBought && p != Purchase::kLastOne) continue;
            spent += static_cast<double>(ShopPrice(*itemAt(g.db, best)));
            log.detail(g, c.name + " bought " + itemAt(g.db, best)->name);
        }
        log.tallies().goldShop += spent;
        policy::WearBest(g, c);
    }
    buyRemedies(g, log, reserve);
}

void Temple(Game& g, const Company& company, RunLog& log) {
    // The fallen pool their purses with the first member standing, as the item screen lets
    // a fallen member do: one purse raises more of them than six apart.
    int standing = 0;
    for (int slot : company) {
        const Character& c = g.save.roster[static_cast<size_t>(slot)];
        if (standing == 0 && c.rosterId != 0 && !(c.status & kTempleStatusMask)) standing = slot;
    }
    for (int slot : company) {
        const Character& c = g.save.roster[static_cast<size_t>(slot)];
        if (standing == 0 || c.rosterId == 0 || !(c.status & kTempleStatusMask) || c.gold <= 0)
            continue;
        for (int i = g.place.partyCount; i >= 1; --i)
            RemoveFromParty(g, slotOf(g, i));
        g.place.partyMembers.fill(0);
        g.place.partyCount = 0;
        AddToParty(g, standing);
        AddToParty(g, slot);
        PoolGold(g, standing);
    }
    // Every member back on its feet joins the party, whose pooled gold pays for the next.
    for (bool progress = true; progress;) {
        progress = false;
        FormParty(g, company);
        for (const TemplePatient& patient : TemplePatients(g.save)) {
            if (std::find(company.begin(), company.end(), patient.slot) == company.end()) continue;
            const Character& sick = g.save.roster[static_cast<size_t>(patient.slot)];
            int payer = sick.gold >= patient.fee ? patient.slot : 0;
            if (payer == 0 && g.place.partyCount > 0 && PoolGold(g, slotOf(g, 1)) &&
                g.save.roster[static_cast<size_t>(slotOf(g, 1))].gold >= patient.fee)
                payer = slotOf(g, 1);
            if (payer == 0) continue;
            try {
                const TreatmentResult r =
                    PayAndTreat(g.save, payer, patient.slot, patient.fee, g.rng);
                if (!r.paid) continue;
                log.tallies().goldTemple += patient.fee;
                log.line(g, "temple: " + g.save.roster[static_cast<size_t>(patient.slot)].name +
                                ": " + r.message);
                progress = true;
                break;  // the party changed: pool again
            } catch (const std::exception& e) {
                log.line(g, std::string("temple refused: ") + e.what());
            }
        }
    }
    for (const TemplePatient& patient : TemplePatients(g.save))
        if (std::find(company.begin(), company.end(), patient.slot) != company.end())
            log.line(g, "temple: " + g.save.roster[static_cast<size_t>(patient.slot)].name +
                            ": too poor");
    FormParty(g, company);
}

int Inn(Game& g, Intent& intent, RunLog& log) {
    int gained = 0;
    // Nights in the free room give the casters their points back; they heal the others
    // with them, night after night, before anyone pays for a room.
    long nights = 0;
    for (; nights < kNursingNights; ++nights) {
        const int cast = CampCare(g, intent, 100);
        // Nobody left who can heal after a night's rest: the rooms must do it.
        if (!anyoneHurt(g) || (cast == 0 && nights > 0)) break;
        bool rested = false;
        for (int i = 1; i <= g.place.partyCount; ++i) {
            const int slot = slotOf(g, i);
            if (slot < 1 || slot >= kRosterSlots) continue;
            Character& c = g.save.roster[static_cast<size_t>(slot)];
            if (!KnowsFirstLevelSpell(c) || !MayStayAtInn(c)) continue;
            gained += stay(g, log, slot, kFreeRoom, 1);
            rested = true;
        }
        if (!rested) break;
    }
    log.tallies().days += nights;
    if (nights > 0) log.detail(g, std::to_string(nights) + " nights of nursing");
    long longest = 1;
    for (int i = 1; i <= g.place.partyCount; ++i) {
        const int slot = slotOf(g, i);
        if (slot < 1 || slot >= kRosterSlots) continue;
        Character& c = g.save.roster[static_cast<size_t>(slot)];
        if (!MayStayAtInn(c) || !PoolGold(g, slot)) continue;
        const int missing = std::max(0, c.maxHitPoints - c.hitPoints);
        // The cheapest room for a few weeks; the best one the gold pays for when the wounds
        // would take long; what the gold pays for when it does not stretch so far.
        int room = kFreeRoom, weeks = 1;
        const auto weeksIn = [&](int r) {
            const int perWeek = kInnRooms[static_cast<size_t>(r)].hitPointsPerWeek;
            return std::max(1, (missing + perWeek - 1) / perWeek);
        };
        if (missing > 0) {
            room = 1;
            weeks = weeksIn(1);
            if (weeks > kLongWeeks && CanPay(c, StayCost(4, weeksIn(4)))) {
                room = 4;
                weeks = weeksIn(4);
            }
            while (weeks > 0 && !CanPay(c, StayCost(room, weeks)))
                --weeks;
            if (weeks == 0) {
                room = kFreeRoom;
                weeks = 1;
            }
        }
        longest = std::max<long>(longest, room == kFreeRoom ? 1 : 7L * weeks);
        // After a level gained one more night in the free room may bring the next.
        for (int n = 0; n < 20; ++n) {
            const int rose = stay(g, log, slot, room, weeks);
            if (rose <= 0) break;
            gained += rose;
            room = kFreeRoom;
            weeks = 1;
        }
    }
    log.tallies().days += longest;
    log.tallies().levelUps += gained;
    return gained;
}

}  // namespace dv::bot
