// The window layer's event routing: modal loops, focus, keys, timers, text input.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/keys.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/picture_box.h"
#include "ui/script_backend.h"
#include "ui/text_box.h"
#include "ui/timer.h"
#include "ui/window_system.h"

namespace dv {
namespace {

struct Fixture : ::testing::Test {
    ScriptBackend script;
    Ui ui{script};
};

// A focusable control that records its key events.
struct KeySink : PictureBox {
    explicit KeySink(std::string n) : PictureBox(std::move(n)) {}
    std::vector<std::string> log;
    void handleKeyDown(int& code, int shift) override {
        log.push_back("down " + std::to_string(code));
        PictureBox::handleKeyDown(code, shift);
    }
    void handleKeyPress(int& ascii) override {
        log.push_back("press " + std::to_string(ascii));
        PictureBox::handleKeyPress(ascii);
    }
    void handleKeyUp(int& code, int shift) override {
        log.push_back("up " + std::to_string(code));
        PictureBox::handleKeyUp(code, shift);
    }
};

TEST_F(Fixture, KeyEventsComeDownPressUpInOrder) {
    Form f(ui, "f");
    KeySink sink("sink");
    sink.move(0, 0, 10, 10);
    f.add(sink);
    f.show();
    script.key('A').key(keys::Enter).key(keys::Up);
    ui.runUntil([&] { return script.exhausted(); });
    EXPECT_EQ(sink.log, (std::vector<std::string>{"down 65", "press 97", "up 65", "down 13",
                                                  "press 13", "up 13", "down 38", "up 38"}));
}

TEST_F(Fixture, ModalFormRunsNestedLoopAndTakesAllInput) {
    Form main(ui, "main");
    KeySink below("below");
    below.move(0, 0, 10, 10);
    main.add(below);
    main.show();

    Form dialog(ui, "dialog");
    dialog.move(100, 100, 200, 100);
    std::vector<int> dialogKeys;
    dialog.onKeyDown = [&](int& code, int) {
        dialogKeys.push_back(code);
        if (code == keys::Space) dialog.hide();
    };
    bool returned = false;
    below.onKeyDown = [&](int& code, int) {
        if (code == 'M') {
            dialog.showModal(&main);
            returned = true;
        }
    };
    // M opens the dialog; X goes to the dialog, Space closes it; Z reaches the control.
    script.key('M').key('X').check([&] {
        EXPECT_EQ(ui.inputForm(), &dialog);
        EXPECT_EQ(ui.modalDepth(), 1u);
        EXPECT_FALSE(returned);
    });
    script.key(keys::Space).key('Z');
    ui.runUntil([&] { return script.exhausted(); });
    EXPECT_TRUE(returned);
    EXPECT_EQ(dialogKeys, (std::vector<int>{'X', keys::Space}));
    // The control got M (down, no press: a window opened meanwhile), then Z.
    EXPECT_EQ(below.log.front(), "down 77");
    EXPECT_EQ(below.log[1], "up 32");  // the release of Space goes to the focus after it
    EXPECT_EQ(below.log[2], "down 90");
    EXPECT_EQ(below.log[3], "press 122");
}

TEST_F(Fixture, KeyThatClosesDialogDoesNotLeakIntoControlBelow) {
    Form main(ui, "main");
    KeySink view("view");
    view.move(0, 0, 10, 10);
    main.add(view);
    main.show();
    Form dialog(ui, "dialog");
    dialog.onKeyDown = [&](int& code, int) {
        if (code == keys::Space) dialog.hide();
    };
    int spacePresses = 0;
    view.onKeyPress = [&](int& a) {
        if (a == keys::Space) ++spacePresses;
    };
    view.onKeyDown = [&](int& code, int) {
        if (code == 'M') dialog.showModal(&main);
    };
    script.key('M').key(keys::Space);
    ui.runUntil([&] { return script.exhausted(); });
    EXPECT_EQ(spacePresses, 0);
}

TEST_F(Fixture, FocusReturnsToTheControlThatHadItWhenModalCloses) {
    Form main(ui, "main");
    KeySink a("a"), b("b");
    a.move(0, 0, 10, 10);
    b.move(20, 0, 10, 10);
    main.add(a);
    main.add(b);
    main.show();
    b.setFocus();
    Form dialog(ui, "dialog");
    KeySink inDialog("inDialog");
    dialog.add(inDialog);
    inDialog.onKeyDown = [&](int& code, int) {
        if (code == keys::Esc) dialog.hide();
    };
    b.onKeyDown = [&](int& code, int) {
        if (code == 'D') dialog.showModal(&main);
    };
    script.key('D').check([&] { EXPECT_TRUE(inDialog.hasFocus()); }).key(keys::Esc).key('Q');
    ui.runUntil([&] { return script.exhausted(); });
    EXPECT_TRUE(b.hasFocus());
    EXPECT_EQ(b.log.back(), "up 81");
}

TEST_F(Fixture, DisabledContainerBlocksItsChildren) {
    Form f(ui, "f");
    Panel frame("frame");
    frame.move(0, 0, 100, 100);
    KeySink inner("inner");
    inner.move(10, 10, 20, 20);
    int clicks = 0;
    inner.onClick = [&] { ++clicks; };
    f.add(frame);
    frame.add(inner);
    f.show();
    EXPECT_TRUE(inner.hasFocus());
    frame.setEnabled(false);
    EXPECT_FALSE(inner.hasFocus());
    EXPECT_FALSE(inner.setFocus());
    script.click(15, 15);
    ui.runUntil([&] { return script.exhausted(); });
    EXPECT_EQ(clicks, 0);
    frame.setEnabled(true);
    script.click(15, 15);
    ui.runUntil([&] { return script.exhausted(); });
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(inner.hasFocus());
}

TEST_F(Fixture, TimersFireInsideNestedModalLoops) {
    Form main(ui, "main");
    main.show();
    Timer move(ui, 300);
    int ticks = 0;
    move.onTick = [&] {
        ++ticks;
        move.setEnabled(false);  // a one-shot, as the step mark uses it
    };
    Form dialog(ui, "dialog");
    dialog.onKeyDown = [&](int& code, int) {
        if (code == keys::Enter) dialog.hide();
    };
    main.onKeyDown = [&](int& code, int) {
        if (code == 'M') {
            move.setEnabled(true);
            dialog.showModal(&main);
        }
    };
    script.key('M').advance(299).check([&] { EXPECT_EQ(ticks, 0); });
    script.advance(1).check([&] {
        EXPECT_EQ(ticks, 1);
        EXPECT_EQ(ui.modalDepth(), 1u);
    });
    script.advance(1000).key(keys::Enter);
    ui.runUntil([&] { return script.exhausted(); });
    EXPECT_EQ(ticks, 1);
}

// The close box reaches the window also while a modal window waits; the window's own rule
// decides what it does.
TEST_F(Fixture, CloseRequestReachesTheWindowAlsoWhileModal) {
    Form main(ui, "main");
    main.topLevel = true;
    int closes = 0;
    main.onCloseRequest = [&] { ++closes; };
    main.show();
    Form dialog(ui, "dialog");
    dialog.onKeyDown = [&](int& code, int) {
        if (code == keys::Enter) dialog.hide();
    };
    main.onKeyDown = [&](int& code, int) {
        if (code == 'M') dialog.showModal(&main);
    };
    script.key('M').closeRequest().key(keys::Enter).closeRequest();
    ui.runUntil([&] { return script.exhausted(); });
    EXPECT_EQ(closes, 2);
}

TEST_F(Fixture, TextInputIsOnOnlyWhileATextBoxHasFocus) {
    Form f(ui, "f");
    KeySink sink("sink");
    TextBox box("box");
    sink.move(0, 0, 10, 10);
    box.move(0, 20, 200, 20);
    f.add(sink);
    f.add(box);
    f.show();
    EXPECT_FALSE(script.textInputOn());
    box.setFocus();
    EXPECT_TRUE(script.textInputOn());
    // The candidate window is placed at the caret, inside the box.
    EXPECT_TRUE(box.screenRect().contains(script.textInputRect().x, script.textInputRect().y));
    sink.setFocus();
    EXPECT_FALSE(script.textInputOn());
}

TEST_F(Fixture, CompositionOwnsEnterEscAndBackspace) {
    Form f(ui, "f");
    TextBox box("box");
    box.move(0, 0, 300, 20);
    box.maxLength = 5;
    f.add(box);
    int enters = 0;
    box.onKeyDown = [&](int& code, int) {
        if (code == keys::Enter) ++enters;
    };
    f.show();
    box.setText("old");
    box.selectAll();
    script.editing("なまえ", 3).key(keys::Enter).key(keys::Back).check([&] {
        EXPECT_EQ(enters, 0);
        EXPECT_EQ(box.text(), "old");
        EXPECT_TRUE(box.composing());
    });
    // Committing replaces the selected default; the length limit drops the rest.
    script.text("名前がとても長い").key(keys::Enter);
    ui.runUntil([&] { return script.exhausted(); });
    EXPECT_EQ(box.text(), "名前がとて");
    EXPECT_FALSE(box.composing());
    EXPECT_EQ(enters, 1);
}

TEST_F(Fixture, BackspaceAndCaretKeysEditTheText) {
    Form f(ui, "f");
    TextBox box("box");
    box.move(0, 0, 300, 20);
    f.add(box);
    f.show();
    script.text("ｱｲｳ").key(keys::Left).key(keys::Back).key(keys::End).text("x");
    ui.runUntil([&] { return script.exhausted(); });
    EXPECT_EQ(box.text(), "ｱｳx");
}

TEST_F(Fixture, ExhaustedScriptSaysWhatTheGameWaitsOn) {
    Form f(ui, "frmWaiting");
    Label l("lblQuestion");
    l.move(0, 0, 200, 20);
    l.setCaption("どうしますか？");
    f.add(l);
    f.show();
    try {
        ui.pumpOnce();
        FAIL() << "expected the script to run out";
    } catch (const ScriptExhausted& e) {
        std::string what = e.what();
        EXPECT_NE(what.find("frmWaiting"), std::string::npos) << what;
        EXPECT_NE(what.find("どうしますか？"), std::string::npos) << what;
    }
}

TEST_F(Fixture, ClickGoesToTheTopmostModalFormOnly) {
    Form main(ui, "main");
    KeySink under("under");
    under.move(0, 0, 640, 480);
    int underClicks = 0;
    under.onClick = [&] { ++underClicks; };
    main.add(under);
    main.show();
    Form dialog(ui, "dialog");
    dialog.move(200, 200, 100, 50);
    Label yes("yes");
    yes.move(10, 10, 50, 20);
    yes.onClick = [&] { dialog.hide(); };
    dialog.add(yes);
    under.onKeyDown = [&](int& code, int) {
        if (code == 'M') dialog.showModal(&main);
    };
    script.key('M').click(5, 5).click(215, 215).click(5, 5);
    ui.runUntil([&] { return script.exhausted(); });
    EXPECT_EQ(underClicks, 1);
}

}  // namespace
}  // namespace dv
