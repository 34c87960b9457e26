#include "characters/name_entry.h"

#include <algorithm>

#include "core/data/character.h"
#include "core/data/names.h"
#include "core/prompt_dialog.h"

namespace dv {

std::string AskName(Game& game, const std::string& prompt) {
    std::string offered;
    for (;;) {
        // A refused name comes back as typed, the caret after it, to be corrected.
        std::string name =
            PromptDialog(game, prompt, kPromptInput, offered,
                         offered.empty() ? DefaultText::Selected : DefaultText::CaretAtEnd);
        std::erase_if(name, [](char ch) { return ch == '\r' || ch == '\n'; });
        if (name.empty()) return "";
        NameCheck check = checkName(name, kNameLength);
        if (check == NameCheck::Ok) return name;
        ShowMessage(game, std::string(NameCheckMessage(check)));
        offered = name;
    }
}

}  // namespace dv
