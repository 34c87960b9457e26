#include "core/prompt_dialog.h"

#include <algorithm>
#include <stdexcept>

#include "core/game.h"
#include "core/main_window.h"
#include "core/save_game.h"
#include "core/screens.h"
#include "core/skin_pictures.h"
#include "ui/keys.h"
#include "ui/window_system.h"

namespace dv {

namespace {
constexpr int kDialogWidth = 520;
constexpr int kMargin = 16;
constexpr int kTextFont = 16;
// 500 twips below the main window's top.
constexpr int kOverViewTop = 33;
}  // namespace

MessageDialog::MessageDialog(Ui& ui, Game& game, std::string name)
    : Form(ui, std::move(name)), game_(game) {
    bordered = true;
    backColor = rgb(10, 12, 36);
    borderColor = rgb(150, 160, 210);
    keyPreview = true;
    add(fraBack);
    for (Label* l : {&lblMsg, &lblYes, &lblNo}) {
        l->setFont(Font::standard(kTextFont));
        add(*l);
    }
    txtMsg.font = Font::standard(kTextFont);
    add(txtMsg);
    lblYes.setCaption("&Y)ES [Enter]");
    lblNo.setCaption("&N)O [ESC or BS]");
    lblYes.useMnemonic = lblNo.useMnemonic = true;
    lblYes.wordWrap = lblNo.wordWrap = false;
    lblYes.foreColor = lblNo.foreColor = rgb(255, 230, 150);
    lblYes.onClick = [this] { answer(-1); };
    lblNo.onClick = [this] { answer(0); };

    onKeyDown = [this](int& code, int /*shift*/) {
        // Ctrl saves the game at any moment, even in the middle of a question.
        if (code == keys::Ctrl) {
            SaveGame(game_);
            code = 0;
            return;
        }
        if (mode_ == kPromptQuestion) {
            if (code == 'Y' || code == keys::Enter) answer(-1);
            if (code == 'N' || code == keys::Esc || code == keys::Back) answer(0);
        } else if (mode_ == kPromptMessage) {
            if (code == keys::Space || code == keys::Enter || code == keys::Esc ||
                code == keys::Back)
                hide();
        }
    };
    txtMsg.onKeyDown = [this](int& code, int /*shift*/) {
        if (code == keys::Enter) {
            code = 0;
            hide();
        } else if (code == keys::Esc) {
            code = 0;
            txtMsg.setText("");
            hide();
        }
    };
}

void MessageDialog::dress(const SkinPictures& skin) {
    DressPanel(fraBack, skin);
    bordered = false;
}

void MessageDialog::answer(int value) {
    game_.dialogAnswer = static_cast<std::int16_t>(value);
    hide();
}

void MessageDialog::layout(bool overView) {
    const int inner = kDialogWidth - 2 * kMargin;
    lblMsg.move(kMargin, kMargin, inner, 10);
    int lines = static_cast<int>(lblMsg.layoutLines().size());
    int lh = lblMsg.lineHeight();
    int maxLines = (Ui::kHeight - 4 * kMargin - 40) / lh;
    lines = std::clamp(lines, 1, maxLines);
    lblMsg.move(kMargin, kMargin, inner, lines * lh);
    int y = kMargin + lines * lh + 10;
    if (mode_ == kPromptInput) {
        txtMsg.move(kMargin, y, inner, kTextFont + 10);
        y += kTextFont + 10;
    } else if (mode_ == kPromptQuestion) {
        int w = inner / 2;
        lblYes.move(kMargin + 8, y, w - 8, lh);
        lblNo.move(kMargin + w + 8, y, w - 8, lh);
        y += lh;
    }
    int h = y + kMargin;
    int x = (Ui::kWidth - kDialogWidth) / 2;
    int top = overView ? kOverViewTop : (Ui::kHeight - h) / 2;
    if (!overView && owner() && owner()->visible() && owner() != this) {
        Rect o = owner()->screenRect();
        x = o.x + (o.w - kDialogWidth) / 2;
        top = o.y + (o.h - h) / 2;
    }
    move(std::max(0, x), std::max(0, top), kDialogWidth, h);
    fraBack.move(0, 0, kDialogWidth, h);
}

void MessageDialog::run(const std::string& text, int mode, const std::string& defaultText,
                        bool overView, DefaultText offer) {
    mode_ = (mode == kPromptInput || mode == kPromptQuestion) ? mode : kPromptMessage;
    lblMsg.setCaption(text);
    txtMsg.setText("");
    txtMsg.setVisible(mode_ == kPromptInput);
    lblYes.setVisible(mode_ == kPromptQuestion);
    lblNo.setVisible(mode_ == kPromptQuestion);
    if (mode_ == kPromptInput) {
        txtMsg.setText(defaultText);
        if (offer == DefaultText::Selected) {
            txtMsg.selectAll();
        } else {
            // Past the last character: the box keeps the caret at its end.
            txtMsg.setSelection(static_cast<int>(defaultText.size()), 0);
        }
    }
    // Owned by the character sheet while it is shown, else by the main window.
    Form* owner = nullptr;
    if (game_.screens) {
        if (game_.screens->sheet && game_.screens->sheet->visible())
            owner = game_.screens->sheet;
        else if (game_.screens->main && game_.screens->main->visible())
            owner = game_.screens->main;
    }
    setOwner(owner);
    layout(overView);
    showModal(owner);
}

namespace {
MessageDialog& pickDialog(Game& game, bool overView) {
    Screens& s = *game.screens;
    MessageDialog* d = overView ? s.inpBox2 : s.inpBox;
    if (!d->isModal()) return *d;
    // A message raised while this dialog is already waiting (a failed save from Ctrl
    // inside a dialog) gets a window of its own.
    for (auto& spare : s.spareDialogs)
        if (!spare->isModal()) return *spare;
    s.spareDialogs.push_back(std::make_unique<MessageDialog>(
        *s.ui, game, "dlgInpBox" + std::to_string(s.spareDialogs.size() + 3)));
    s.spareDialogs.back()->dress(s.skin);
    return *s.spareDialogs.back();
}
}  // namespace

std::string PromptDialog(Game& game, const std::string& text, int mode,
                         const std::string& defaultText, DefaultText offer) {
    if (!game.screens || !game.screens->inpBox) {
        if (game.answerPrompt) return game.answerPrompt(text, mode);
        throw std::logic_error("a message needs the game's windows: " + text);
    }
    // Over the first-person view the dialog sits near the top of the window.
    bool overView = game.screens->main && game.screens->main->picMap.shown();
    MessageDialog& d = pickDialog(game, overView);
    d.run(text, mode, defaultText, overView, offer);
    if (d.mode() == kPromptInput) {
        std::string typed = d.txtMsg.text();
        d.txtMsg.setText("");
        return typed;
    }
    if (d.mode() == kPromptMessage) return "0";
    return std::to_string(game.dialogAnswer);
}

void ShowMessage(Game& game, const std::string& text) {
    PromptDialog(game, text, kPromptMessage);
}

bool AskYesNo(Game& game, const std::string& text) {
    return PromptDialog(game, text, kPromptQuestion) == "-1";
}

}  // namespace dv
