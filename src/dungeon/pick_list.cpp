#include "dungeon/pick_list.h"

#include <algorithm>

#include "core/game.h"
#include "core/main_window.h"
#include "core/screens.h"
#include "core/skin_pictures.h"
#include "ui/font.h"
#include "ui/form.h"
#include "ui/keys.h"
#include "ui/list_ex.h"
#include "ui/window_system.h"

namespace dv {

int PickFromRows(Game& game, const std::string& title, const std::vector<std::string>& rows) {
    if (rows.empty() || !game.screens || !game.screens->ui) return 0;
    Form form(*game.screens->ui, "frmSelectBox");
    form.bordered = true;
    form.backColor = rgb(10, 12, 36);
    ListEx list("lstSelect");
    const int rowHeight = 20;
    const int height = std::min(400, rowHeight * (static_cast<int>(rows.size()) + 2) + 8);
    form.move(120, (Ui::kHeight - height) / 2, 400, height);
    list.move(4, 4, 392, height - 8);
    list.setFont(Font::standard(16));
    list.setSelectionFont(Font::standard(16));
    list.setCaption(title);
    for (const std::string& r : rows)
        list.addItem(r);
    list.setListIndex(0);
    DressList(list, game.screens->skin);
    form.add(list);
    int picked = 0;
    list.onEnter = [&] {
        picked = list.listIndex() + 1;
        form.hide();
    };
    list.onKeyDown = [&](int& code, int /*shift*/) {
        if (code == keys::Esc || code == keys::Back) {
            code = 0;
            form.hide();
        }
    };
    form.onActivate = [&] { list.setFocus(); };
    form.showModal(game.screens->main);
    return picked;
}

}  // namespace dv
