#pragma once

// The equipment window frmEquip: seven positions and the items that fit each, two-handed
// and dual-wielded weapons, cursed items that stick. Also the true powers that carried
// items release when the window closes.

#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_ex.h"
#include "ui/panel_ex.h"

namespace dv {

struct Game;
struct Character;
struct SkinPictures;

// The positions in list order with the equipment code of each (0 for "L)戻る").
struct EquipPosition {
    const char* text;
    int code;
};
const std::vector<EquipPosition>& EquipPositions();

// The inventory slots a position offers, in slot order (code as in EquipPositions).
std::vector<int> EquipCandidates(const Game& game, const Character& c, int code);

// Puts the item of a slot on at a position, taking off what the position held (slot 0:
// nothing is put on). Returns the message to show ("" for none); refusals change nothing
// but what step one took off.
std::string EquipItem(Game& game, Character& c, int code, int slot);

// Shows frmEquip modally for currentCharacter.
void OpenEquipment(Game& game);

// For every item of currentCharacter with a true power (worn or not): asks whether to
// release it, applies it, and may break the item.
void ReleasePowers(Game& game);
// The effect of one power code on a character (the party for code 8).
void ApplyPower(Game& game, Character& c, int code);

class EquipmentWindow : public Form {
  public:
    EquipmentWindow(Ui& ui, Game& game);
    void dress(const SkinPictures& skin);
    void run();

    PanelEx fraBack{"fraBack"};
    Label lblMsg{"lblMsg"};
    ListEx lstPosition{"lstPosition"};
    Label lblmsgItem{"lblmsgItem"};
    ListEx lstItem{"lstItem"};

  private:
    void showCandidates();
    void choosePosition();
    void chooseItem();
    void backToPositions();
    int positionCode() const;

    Game& game_;
};

}  // namespace dv
