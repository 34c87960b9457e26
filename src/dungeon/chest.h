#pragma once

// Chests and their traps: the chest screen on the main window (inspect, identify the trap
// with a spell, disarm it by naming it, open, walk away), every trap's effect and the
// loot. Chests come from searching (wandering chests) and from battles.

#include <string>
#include <vector>

#include "core/data/character.h"
#include "core/data/records.h"
#include "ui/label.h"
#include "ui/list_ex.h"
#include "ui/panel_ex.h"

namespace dv {

struct Game;
struct SkinPictures;
class MainWindow;

// What lies in front of the party.
struct ChestOrigin {
    int foundLevel = 0;   // a found chest's level 1..5; 0 for a battle chest
    int battleLevel = 0;  // a battle chest's level 1..35
    int trap = 0;         // the trap's row
    int dropItem = 0;     // an item a kill dropped (battle chests), 0 none
    int mapEvent = 0;     // the event that started the battle, 0 none
};

// The chest commands.
enum class ChestCommand { Inspect, Disba, Disarm, Open, Leave };

class ChestScreen {
  public:
    // Adds the panel to the main window and takes the chest timer.
    void attach(MainWindow& main, Game& game);
    void dress(const SkinPictures& skin);

    // Shows the screen for a chest; the map keys stay locked until it is opened or left.
    void open(const ChestOrigin& origin);
    bool isOpen() const { return open_; }
    const ChestOrigin& origin() const { return origin_; }
    const TrapRecord& trap() const { return trap_; }

    PanelEx fraTreasure{"fraTreasure"};
    ListEx lstTreasure{"lstTreasure"};
    Label lblTreasure{"lblTreasure"};

  private:
    ChestCommand commandAt(int line) const;
    void fillCommands(bool withInspect);
    void confirm();
    void act(ChestCommand command);
    void backToList();
    void showName(const std::string& name);
    void timerTick();
    void inspect(Character& member);
    void disba(Character& member);
    void disarm(Character& member);
    void openChest(Character* opener, bool safe);
    void leave();
    void close();

    Game* game_ = nullptr;
    MainWindow* main_ = nullptr;
    ChestOrigin origin_;
    TrapRecord trap_;
    bool open_ = false;
};

// The found chest waiting on the party's cell (pendingChest): its trap drawn from rows
// 1..50, then the chest screen.
void OpenFoundChest(Game& game);

// What the inspection of a member reveals.
enum class Inspection { TrueName, FalseName, TrapSprung };
Inspection InspectionOf(Game& game, const Character& member);

// An inspection as the player sees it: the name read (a false one drawn from all fifty
// rows), empty when the trap went off instead.
struct InspectReading {
    Inspection result = Inspection::FalseName;
    std::string name;
};
InspectReading InspectChest(Game& game, const Character& member, const TrapRecord& trap);

// "D)ＤＩＳＢＡ": false when the member cannot cast it; else one point is spent and
// `shown` is the name it reads (a false one one time in twenty).
bool CastDisba(Game& game, Character& member, const TrapRecord& trap, std::string& shown);

// A disarm with a typed name: a wrong name, or a slip, sets the trap off; a member short
// of skill may only fail and try again.
enum class DisarmResult { Disarmed, Failed, Sprung };
DisarmResult DisarmAttempt(Game& game, const Character& member, const ChestOrigin& origin,
                           const TrapRecord& trap, const std::string& typed);

// Opens a chest: the trap goes off on the opener (a roster slot's member) unless the
// chest was made safe, then the party takes the loot. False when the trap ended the
// party; the caller then runs the wipe-out.
bool OpenChestAndLoot(Game& game, const ChestOrigin& origin, const TrapRecord& trap,
                      Character* opener, bool safe);

// The spell the chest's "D)ＤＩＳＢＡ" casts: the first of spells 1..60 with effect 41,
// or nullptr.
const SpellRecord* DisbaSpell(const Game& game);

// Upper case for a typed trap name (Latin letters, half and full width).
std::string TrapAnswer(const std::string& typed);

// The items a chest may hold: the loot rows of its level for a found chest, the items of
// battle-chest rank up to its level otherwise.
std::vector<int> ChestCandidates(const Game& game, const ChestOrigin& origin);

// Sets a trap off on the party: the announcement and the effect of its kind. opener is
// the roster slot of the member who acted.
void SpringTrap(Game& game, const TrapRecord& trap, int opener, bool fromEventBattle);

}  // namespace dv
