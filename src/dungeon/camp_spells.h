#pragma once

// Spells cast outside battle from the character sheet: a member casting a spell it knows
// by typing its name, or the spell of an item being used. Healing, curing, light and
// levitation, the location and the wall probe, returning to the surface, the teleport entry
// and the wishes.

#include <string>

#include "core/data/character.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/panel_ex.h"
#include "ui/text_box.h"

namespace dv {

struct Game;
struct SkinPictures;

// Casting modes: a member's own spell, paid with spell points, or an item's spell.
inline constexpr int kCastByMember = -1;
inline constexpr int kCastByItem = 0;

// The cast of currentCharacter. Returns after every message; the sheet may have closed.
void CampCast(Game& game, const std::string& spellName, int mode);

// Whether a spell of this effect is swallowed where the party stands: Pandemonium's middle
// floors (3..5) take the spells that carry the party away (the return to the castle, 54,
// and effect 3) after their points are paid.
bool CampSpellSwallowed(const Game& game, int effect);

// The wishes, in the order of the list.
inline constexpr int kWishCount = 19;
const char* WishText(int entry);
// Grants a wish of the caster (a roster slot) for the chosen member (a roster slot, used by
// entries 3..17): the caster loses a level. False when the entry is not a wish.
bool GrantWish(Game& game, int caster, int entry, int member);

// The teleport entry over the sheet: three signed offsets (floors up, east, south).
class TeleportEntry : public Form {
  public:
    TeleportEntry(Ui& ui, Game& game);
    void dress(const SkinPictures& skin);
    // Shows the boxes at "0" and waits; true with the offsets when Enter was pressed.
    bool ask(int& floors, int& east, int& south);

    PanelEx fraMove{"fraMove"};
    std::array<TextBox, 3> txtMove{TextBox("txtMove0"), TextBox("txtMove1"), TextBox("txtMove2")};
    std::array<Label, 6> lblMove;

  private:
    void boxKey(int box, int& code);

    Game& game_;
    bool accepted_ = false;
};

// A typed offset: digits with an optional leading minus, kept within -99..99.
int TeleportOffset(const std::string& text);

}  // namespace dv
