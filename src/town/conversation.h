#pragma once

// The conversation with a person of the dungeons, on the main window: the command panel
// (talk, give, buy, sell, leave) and the goods panel. The party walks into the person's
// room, the dungeon calls the talkTo link, and the screen stays until the party leaves.

#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "core/data/people.h"
#include "ui/list_ex.h"
#include "ui/panel_ex.h"

namespace dv {

struct Game;
struct SkinPictures;
class MainWindow;

class Conversation {
  public:
    // Adds the panels to the main window (hidden) and hooks their keys.
    void attach(MainWindow& main, Game& game);
    void dress(const SkinPictures& skin);

    // Opens the screen for person 1..12 (dungeon.currentNpc); other numbers do nothing.
    void open(int person);
    // "立ち去った・・・": the panels close and the map keys work again.
    void close();
    bool isOpen() const { return open_; }

    PanelEx fraNPC{"fraNPC"};
    ListEx lstNPC{"lstNPC"};
    PanelEx fraNPCBuy{"fraNPCBuy"};
    ListEx lstNPCBuy{"lstNPCBuy"};

    // Where the replies come from: the compiled reply table and the message table (tests
    // give their own).
    std::span<const KeywordReply> replies = KeywordReplies();
    std::function<std::string(int)> messageText;

  private:
    void layout();
    void npcKeyDown(int& code);
    void goodsKeyDown(int& code);
    void runCommand(int row);
    void talk();
    void give();
    void openGoods();
    void buy();
    void sell();
    // A member and one of its items for a gift or a sale: the roster slot and inventory
    // slot, or false after a cancel or a refusal (cursed, worn).
    bool pickItem(int& member, int& slot);
    // Shows the numbered messages that exist; false when none does.
    bool showNumbered(std::initializer_list<int> numbers);
    void say(std::string_view text);
    int person() const;

    Game* game_ = nullptr;
    MainWindow* main_ = nullptr;
    bool open_ = false;
    bool partyPanelWasEnabled_ = false;
};

// The talkTo link: the conversation with person n.
void OpenConversation(Game& game, int person);
void CloseConversation(Game& game);

}  // namespace dv
