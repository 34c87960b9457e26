#pragma once

// The pick-list window frmSelectBox: choose a party member, an item or an entry of a
// short list. Enter or a click returns the entry's value, Esc or Backspace -1.

#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_ex.h"
#include "ui/panel_ex.h"

namespace dv {

struct Game;
struct SkinPictures;

// A party member's roster slot, or -1. With withItems the chosen member's inventory shows
// beside the list.
int PickPartyMember(Game& game, bool withItems, const std::string& caption);
// An inventory slot of the character (roster slot), or -1; an empty inventory shows
// "アイテムを持っていません".
int PickItem(Game& game, int character);
// The value of the chosen text (empty texts are left out), or -1.
int PickFromList(Game& game, const std::vector<std::string>& texts, const std::vector<int>& values,
                 const std::string& caption);

class SelectBox : public Form {
  public:
    SelectBox(Ui& ui, Game& game);
    void dress(const SkinPictures& skin);

    // Shows the entries modally; returns the chosen value or -1.
    int run(const std::string& prompt, const std::vector<std::string>& texts,
            const std::vector<int>& values, bool withItems);

    PanelEx fraBack{"fraBack"};
    Label lblMsg{"lblMsg"};
    ListEx lst{"lst"};
    Label lblmsgItem{"lblmsgItem"};
    ListEx lstItem{"lstItem"};

  private:
    void showMemberItems();
    void layout(int rows, bool withItems);

    Game& game_;
    bool withItems_ = false;
    int result_ = -1;
};

}  // namespace dv
