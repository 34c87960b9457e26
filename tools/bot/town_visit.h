#pragma once

// The bot in town: the party made at the training grounds, the shop, the temple and the
// inn, each through the town's own rules.

#include <vector>

namespace dv {

struct Game;

namespace bot {

// The roster slots of the bot's adventurers, in the order of the standard party's plans
// (front row first).
using Company = std::vector<int>;

struct Intent;
class RunLog;

// Six new adventurers of the standard party (their bonus points rolled and spent as the
// plan says, a low roll thrown back as a player would; a priest without the healing
// prayer sent away and made again).
Company CreateCompany(Game& game, RunLog& log);

// A member who never leaves the town and keeps the company's gold between expeditions
// (the spell home leaves the gold of those it carries behind); 0 when the roster is full.
int CreateKeeper(Game& game, RunLog& log);

// The company's gold into the keeper's purse (deposit) or out of it into the first
// member's, passed through the party's own pooling with the keeper in the party.
void KeepGold(Game& game, const Company& company, int keeper, bool deposit);

// The company's members who need nothing of the temple join the party at the tavern, in
// the plans' order.
void FormParty(Game& game, const Company& company);

// The world's items nothing in the dungeon ahead asks for stay with the keeper in town
// (while his pack has room), and those it asks for come back into the party's packs: the
// story's keys and tokens outgrow six packs long before the end.
void StowWorldItems(Game& game, int keeper, int dungeon, RunLog& log);

// Before the temple: the fallen hand the world's items over to those standing (or the
// keeper), as the item screen lets a fallen member give: one the temple loses for good
// would take them with it.
void SecureWorldItems(Game& game, const Company& company, int keeper);

// A member the temple could not help is sent away and a new adventurer of the same plan
// takes its place, in a young company or one with too few members left (an old company
// waits for the gold).
void ReplaceFallen(Game& game, Company& company, RunLog& log);

// Every member in turn takes the party's gold and buys what betters its weapon and
// armour, keeping enough for the inn; what was bought is worn.
void Shop(Game& game, RunLog& log);

// The dead, the stoned and the paralysed of the company are brought to the temple while
// the gold lasts.
void Temple(Game& game, const Company& company, RunLog& log);

// The casters heal the party night after night in the free room; then every member stays
// at the inn: the room and the weeks that heal what is left, as far as its gold goes, then
// the free room until no more levels come. Returns the levels gained.
int Inn(Game& game, Intent& intent, RunLog& log);

}  // namespace bot
}  // namespace dv
