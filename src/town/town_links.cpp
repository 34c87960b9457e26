#include "town/town_links.h"

#include "characters/roster_window.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/music.h"
#include "core/screens.h"
#include "dungeon/dungeon_controls.h"
#include "items/select_box.h"
#include "items/status_sheet.h"
#include "town/ending.h"
#include "town/member_choice.h"
#include "town/party.h"
#include "town/town_menu.h"

namespace dv {

void ShowTownAfterReturn(Game& game) {
    MainWindow& main = *game.screens->main;
    main.picMap.setVisible(false);
    HideMoveMark(game);
    PlayScene(game, 2);
    BuildMenu(game, 8);
    RebuildParty(game);
    main.setTitle(MainWindow::kTownTitle);
    EndingOnReturn(game);
}

void InstallTownLinks(Game& game) {
    DungeonLinks& l = game.dungeon.links;
    l.rebuildParty = [](Game& g) { RebuildParty(g); };
    l.pickResumeCharacter = [](Game& g) { return PickCharacter(g, kPickResume); };
    l.pickFromList = [](Game& g, const std::string& title, const std::vector<std::string>& rows) {
        std::vector<int> values;
        for (size_t i = 0; i < rows.size(); ++i)
            values.push_back(static_cast<int>(i) + 1);
        int v = PickFromList(g, rows, values, title);
        return v < 1 ? 0 : v;
    };
    l.pickPartyMember = [](Game& g, const std::string& prompt) {
        int slot = PickPartyMember(g, false, prompt);
        for (int i = 1; i <= g.place.partyCount && i <= kPartySlots; ++i)
            if (slot > 0 && g.place.partyMembers[static_cast<size_t>(i)] == slot) return i;
        return 0;
    };
    l.pickItem = [](Game& g, int rosterSlot) {
        int s = PickItem(g, rosterSlot);
        return s < 1 ? 0 : s;
    };
    l.showSheet = [](Game& g) {
        int sel = g.selectedMember;
        if (sel < 1 || sel > g.place.partyCount || sel > kPartySlots) return;
        OpenSheet(g, g.place.partyMembers[static_cast<size_t>(sel)], kSheetCamp);
    };
    l.showReorder = [](Game& g, int x, int y) {
        g.screens->main->town.fraReorder.move(x, y);
        OpenReorderPanel(g);
    };
    l.townShown = [](Game& g) { ShowTownAfterReturn(g); };
}

}  // namespace dv
