#pragma once

#include <string>

#include "ui/form.h"
#include "ui/label.h"
#include "ui/panel_ex.h"
#include "ui/text_box.h"

namespace dv {

struct Game;

enum PromptMode { kPromptInput = 1, kPromptMessage = 2, kPromptQuestion = 3 };

// How input mode offers its default text: all of it selected (the next key replaces it),
// or kept with the caret after it (for a text given back to be corrected).
enum class DefaultText { Selected, CaretAtEnd };

// The modal message dialog: a message, a yes/no question, or a line of text input.
struct SkinPictures;

class MessageDialog : public Form {
  public:
    MessageDialog(Ui& ui, Game& game, std::string name);

    // Lays the dialog out for a text and mode and shows it modally.
    void run(const std::string& text, int mode, const std::string& defaultText, bool overView,
             DefaultText offer = DefaultText::Selected);
    int mode() const { return mode_; }
    // Puts the game's frame around the dialog.
    void dress(const SkinPictures& skin);

    PanelEx fraBack{"fraBack"};
    Label lblMsg{"lblMsg"};
    TextBox txtMsg{"txtMsg"};
    Label lblYes{"lblYes"};
    Label lblNo{"lblNo"};

  private:
    void answer(int value);
    void layout(bool overView);

    Game& game_;
    int mode_ = kPromptMessage;
};

// Shows text in the message dialog and waits. Mode 1 returns the typed text (empty when
// the player cancelled), mode 2 returns "0", mode 3 returns "-1" for yes and "0" for no.
// Without windows the game's answerPrompt answers in the same form.
std::string PromptDialog(Game& game, const std::string& text, int mode,
                         const std::string& defaultText = "",
                         DefaultText offer = DefaultText::Selected);
// Mode 2 and mode 3 as plain calls.
void ShowMessage(Game& game, const std::string& text);
bool AskYesNo(Game& game, const std::string& text);

}  // namespace dv
