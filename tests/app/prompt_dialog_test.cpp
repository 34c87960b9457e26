// The message dialog in its three modes, its keys, and what it must not let through.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/data/checked.h"
#include "core/main_window.h"
#include "core/prompt_dialog.h"
#include "core/screens.h"
#include "support/game_harness.h"
#include "ui/keys.h"

namespace dv {
namespace {

using test::GameHarness;

struct DialogCase {
    int mode;
    std::vector<int> keys;
    std::string expected;
};

// Runs one dialog from inside the event loop and returns its result.
std::string runDialog(GameHarness& h, int mode, const std::vector<int>& keys,
                      const std::string& defaultText = "") {
    std::string result = "(not returned)";
    bool done = false;
    h.script().check([&] {
        result = PromptDialog(h.game(), "テスト", mode, defaultText);
        done = true;
    });
    for (int k : keys)
        h.script().key(k);
    h.ui().runUntil([&] { return done; });
    return result;
}

TEST(PromptDialog, KeysOfEachMode) {
    const std::vector<DialogCase> cases = {
        {kPromptQuestion, {'Y'}, "-1"},
        {kPromptQuestion, {keys::Enter}, "-1"},
        {kPromptQuestion, {'N'}, "0"},
        {kPromptQuestion, {keys::Esc}, "0"},
        {kPromptQuestion, {keys::Back}, "0"},
        // Other keys do nothing; the answer comes with the first key that counts.
        {kPromptQuestion, {'A', keys::Space, 'Y'}, "-1"},
        {kPromptMessage, {keys::Space}, "0"},
        {kPromptMessage, {keys::Enter}, "0"},
        {kPromptMessage, {keys::Esc}, "0"},
        {kPromptMessage, {keys::Back}, "0"},
        {kPromptMessage, {'Y', 'N', keys::Space}, "0"},
    };
    GameHarness h;
    h.startToTown();
    for (const auto& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + " first key " + std::to_string(c.keys[0]));
        EXPECT_EQ(runDialog(h, c.mode, c.keys), c.expected);
        EXPECT_EQ(h.ui().modalDepth(), 0u);
    }
}

TEST(PromptDialog, InputModeReturnsTheTextOrNothingOnEsc) {
    GameHarness h;
    h.startToTown();
    // The default is selected: typing replaces it.
    std::string typed;
    bool done = false;
    h.script().check([&] {
        typed = PromptDialog(h.game(), "名前を入力してください", kPromptInput, "ななし");
        done = true;
    });
    h.script().check([&] {
        EXPECT_TRUE(h.script().textInputOn());
        EXPECT_TRUE(h.showsText("ななし"));
    });
    h.script().editing("ゆうしゃ", 4).key(keys::Enter).text("勇者").key(keys::Enter);
    h.ui().runUntil([&] { return done; });
    EXPECT_EQ(typed, "勇者");
    EXPECT_FALSE(h.script().textInputOn());

    done = false;
    h.script().check([&] {
        typed = PromptDialog(h.game(), "名前を入力してください", kPromptInput, "ななし");
        done = true;
    });
    h.script().text("X").key(keys::Esc);
    h.ui().runUntil([&] { return done; });
    EXPECT_EQ(typed, "");
}

TEST(PromptDialog, ClickingYesOrNoAnswers) {
    GameHarness h;
    h.startToTown();
    for (bool yes : {true, false}) {
        std::string answer;
        bool done = false;
        h.script().check([&] {
            answer = PromptDialog(h.game(), "城へ戻りますか？", kPromptQuestion);
            done = true;
        });
        h.script().check([&] {
            Label& target =
                yes ? h.game().screens->inpBox->lblYes : h.game().screens->inpBox->lblNo;
            Rect r = target.screenRect();
            h.script().click(r.x + 4, r.y + 4);
        });
        h.ui().runUntil([&] { return done; });
        EXPECT_EQ(answer, yes ? "-1" : "0");
    }
}

TEST(PromptDialog, CtrlSavesInAnyModeWithoutClosing) {
    GameHarness h;
    h.startToTown();
    auto save = h.gameDir() / "QTR1.DAT";
    std::filesystem::remove(save);
    bool done = false;
    h.script().check([&] {
        PromptDialog(h.game(), "メッセージ", kPromptMessage);
        done = true;
    });
    h.script().key(keys::Ctrl).check([&] {
        EXPECT_TRUE(std::filesystem::exists(save));
        EXPECT_EQ(h.ui().modalDepth(), 1u);
    });
    h.script().key(keys::Space);
    h.ui().runUntil([&] { return done; });

    std::filesystem::remove(save);
    done = false;
    h.script().check([&] {
        PromptDialog(h.game(), "入力", kPromptInput, "abc");
        done = true;
    });
    h.script().key(keys::Ctrl, shiftbits::Ctrl).check([&] {
        EXPECT_TRUE(std::filesystem::exists(save));
        EXPECT_EQ(h.ui().modalDepth(), 1u);
    });
    h.script().key(keys::Enter);
    h.ui().runUntil([&] { return done; });
}

TEST(PromptDialog, ClosingKeyDoesNotReachTheMenuBelow) {
    GameHarness h;
    h.startToTown();
    // The inn needs a party: the message opens over the town menu. The Enter that closes
    // it must not choose the entry again, and an Esc that closes it must not also choose
    // the menu's last entry (the outskirts).
    for (int closing : {keys::Enter, keys::Esc, keys::Back}) {
        SCOPED_TRACE(closing);
        h.script().key('T').check([&] { EXPECT_EQ(h.ui().modalDepth(), 1u); });
        h.script().key(closing).check([&] {
            EXPECT_EQ(h.ui().modalDepth(), 0u);
            EXPECT_EQ(h.game().menuState, 8);
            EXPECT_EQ(h.app().mainWindow().lstCommandList.listIndex(), 1);
        });
        h.run();
    }
}

TEST(PromptDialog, OverTheViewTheDialogSitsNearTheTop) {
    GameHarness h;
    h.startToTown();
    h.app().mainWindow().picMap.setVisible(true);
    bool done = false;
    h.script().check([&] {
        PromptDialog(h.game(), "いてっ！", kPromptMessage);
        done = true;
    });
    h.script().check([&] {
        MessageDialog& d = *h.game().screens->inpBox2;
        EXPECT_TRUE(d.visible());
        EXPECT_EQ(d.top(), 33);
        EXPECT_EQ(d.left() + d.width() / 2, 320);
    });
    h.script().key(keys::Space);
    h.ui().runUntil([&] { return done; });
}

TEST(PromptDialog, FailedSaveIsReportedInsideTheDialog) {
    GameHarness h;
    h.startToTown();
    // A save file that is a folder cannot be replaced.
    auto save = h.gameDir() / "QTR1.DAT";
    std::filesystem::remove(save);
    std::filesystem::create_directories(save / "blocker");
    bool done = false;
    h.script().check([&] {
        PromptDialog(h.game(), "メッセージ", kPromptMessage);
        done = true;
    });
    h.script().key(keys::Ctrl).check([&] { EXPECT_EQ(h.ui().modalDepth(), 2u); });
    h.script().key(keys::Space).key(keys::Space);
    h.ui().runUntil([&] { return done; });
    EXPECT_TRUE(std::filesystem::is_directory(save));
}

TEST(ActionErrors, EveryErrorAbandonsTheActionIsShownAndTheGameGoesOn) {
    struct Case {
        const char* what;
        std::function<void()> fail;
        const char* shown;  // part of the message on screen
    };
    const Case cases[] = {
        {"a number leaving its field", [] { checkedField<std::int16_t>(40000, "gold"); }, "gold"},
        {"a library error", [] { (void)std::vector<int>{}.at(3); }, "操作を取りやめました"},
        {"something that is no exception class", [] { throw 42; }, "操作を取りやめました"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameHarness h;
        h.startToTown();
        auto& list = h.app().mainWindow().lstCommandList;
        int reached = 0;
        list.onKeyPress = [&](int& a) {
            if (a == 'z') {
                ++reached;
                c.fail();
                ++reached;  // never: the action stops at the error
            }
        };
        h.script().key('Z').check([&] {
            EXPECT_EQ(h.ui().modalDepth(), 1u);  // the error is on screen
            EXPECT_TRUE(h.showsTextContaining(c.shown));
            EXPECT_EQ(reached, 1);
        });
        h.script().key(keys::Space).key(keys::Esc);
        h.run();
        EXPECT_EQ(h.game().menuState, 9);  // the game still answers its keys
    }
}

}  // namespace
}  // namespace dv
