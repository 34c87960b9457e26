#pragma once

// The battle's controls on the main window: the monster list, the monster picture, the
// allies' panel and the help panel, with the command list the main window shares. The
// rules of battle call the hooks below; without the battle screen (the simulator) they do
// nothing.

#include <cstdint>
#include <filesystem>
#include <map>
#include <vector>

#include "battle/command_entry.h"
#include "ui/canvas.h"
#include "ui/control.h"
#include "ui/label.h"
#include "ui/list_ex.h"
#include "ui/panel_ex.h"

namespace dv {

struct Game;
struct SkinPictures;
class MainWindow;

// A picture with see-through parts, drawn over whatever lies below it.
class SeeThroughPicture : public Control {
  public:
    explicit SeeThroughPicture(std::string name = {});
    // Takes a picture scaled down (never up) to fit maxWidth by maxHeight.
    void setPicture(const Canvas& picture, const std::vector<std::uint8_t>& alpha, int maxWidth,
                    int maxHeight);
    void clearPicture();
    bool hasPicture() const { return picture_.width() > 0; }
    const Canvas& picture() const { return picture_; }
    void paint(Canvas& canvas, const Rect& area) override;

  private:
    Canvas picture_;
    std::vector<std::uint8_t> alpha_;
};

class BattleScreen {
  public:
    // Adds the controls to the main window and hooks their keys.
    void attach(MainWindow& main, Game& game);
    void dress(const SkinPictures& skin);

    ListEx lstMonster{"lstMonster"};
    SeeThroughPicture picMonster{"picMonster"};
    PanelEx fraSummon{"fraSummon"};
    Label lblSummon{"lblSummon"};
    PanelEx fraHelp{"fraHelp"};
    Label lblHelp{"lblHelp"};
    // The items or instruments a member may use, over the command list.
    PanelEx fraUseItem{"fraUseItem"};
    ListEx lstUseItem{"lstUseItem"};

    // The command list for game.battle.commandSlot; direction 1 forward, 2 backward.
    void buildCommandMenu(int direction);
    // The list rows from the battle's monster rows and the allies' panel.
    void showRows();
    // The picture of a group's monster (hidden without one).
    void showPicture(int group);
    void refreshHelp();

  private:
    void commandKeyDown(int& code);
    void chooseCommand();
    void monsterKeyDown(int& code);
    void chooseMonster();
    void backToCommands();
    void nextMember();
    void askMonsterGroup();
    void askSpell(Character& member);
    void aim(SpellAim aim);
    void openItems(Character& member, bool instruments);
    void itemKeyDown(int& code);
    void chooseItem();
    void closeItems();
    void askSummonLevel(Character& member);

    Game* game_ = nullptr;
    MainWindow* main_ = nullptr;
    std::vector<BattleCommand> shown_;
    // The command waiting for its monster group.
    BattleCommand pending_ = BattleCommand::Fight;
    // Whether the item list shows instruments (a song) or items.
    bool songList_ = false;
    // Pictures by file, loaded once (an empty canvas: the file could not be read).
    struct Loaded {
        Canvas picture;
        std::vector<std::uint8_t> alpha;
    };
    // A file the player chose is named on standard error when it cannot be shown.
    const Loaded& pictureFile(const std::filesystem::path& path, bool chosen);
    std::map<std::filesystem::path, Loaded> pictures_;
    // The type pictures' entries, so the folder is searched once per type.
    std::map<int, const Loaded*> typePictures_;
};

// Hooks of the rules. A battle begins: the map keys are locked until it is over.
void LockMapKeys(Game& game);
// The opening: the party panel, the monster list and the picture.
void ShowBattleScreen(Game& game);
// The monster list and the allies' panel as the battle's rows say.
void ShowMonsterRows(Game& game);
// The picture of the first listed group.
void ShowFirstGroupPicture(Game& game);
// Command entry from the first member: the menu, its caption and the focus.
void BeginCommandEntry(Game& game);
// A round starts: the command list and the help panel go.
void HideCommandEntry(Game& game);
// The rewards are paid: the picture goes; then the lists and panels.
void ShowMonsterPictureOff(Game& game);
void HideBattleLists(Game& game);
// The party panel comes back into view (a chest is announced over it).
void ShowPartyPanel(Game& game);
// The battle is over: its controls go, the party panel is disabled, the keys are free.
void HideBattleScreen(Game& game);
// The party panel shows each member's command label while commands are entered.
void ShowCommandLabel(Game& game, int slot, std::string_view label);

}  // namespace dv
