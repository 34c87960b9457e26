// The people of the dungeons, through the real screens: walking into a person's room opens
// the conversation; words, gifts, buying and selling; leaving gives the map back.

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "core/data/message.h"
#include "core/data/save_file.h"
#include "core/data/text.h"
#include "dungeon/dungeon_fixture.h"
#include "town/conversation.h"
#include "town/people_rules.h"

namespace dv {
namespace {

using test::DungeonFixture;

// Replies written for the tests: person 3 knows its greeting and "ガラクタ" (two dialogs);
// "宝石" names a message nobody wrote.
const KeywordReply kReplies[] = {
    {3, "こんにちは", {20301, 0, 0}},
    {3, "ガラクタ", {20302, 20303, 0}},
    {3, "宝石", {20306, 0, 0}},
};

const std::map<int, std::string>& fixtureMessages() {
    static const std::map<int, std::string> m = {
        {9003, "ガラクタ屋　テスト"},
        {9005, "飲んだくれ　テスト"},
        {20301, "へい、いらっしゃい"},
        {20302, "ガラクタの山にも宝はある"},
        {20303, "目利き次第さ"},
        {20315, "おお、こいつは見事な宝玉だ"},
        {20511, "特上の赤ワインじゃねえか"},
        {20512, "ありがてえ"},
        {20513, "礼に道を教えてやろう"},
        {20514, "月の鍵は地下の奥だ"},
        {20622, "卑しい盗賊だと？"},
        {20623, "こいつを持っていきな"},
        {21006, "七十二の悪魔すべてを倒してから来い"},
        {21019, "見事だ、証をやろう"},
    };
    return m;
}

std::string fixtureText(int n) {
    auto it = fixtureMessages().find(n);
    return it == fixtureMessages().end() ? std::string() : it->second;
}

// Items of the tests.
constexpr int kSword = 40;   // a weapon, price 100
constexpr int kPotion = 41;  // stackable, price 30
constexpr int kToken = 42;   // an event item
constexpr int kRing = 43;    // worn armour of the gift refusal
constexpr int kCursed = 44;  // cursed and stuck

struct Talk : DungeonFixture {
    Talk() : DungeonFixture(2) { setUp(); }

    // The items, the people's goods and the replies of the tests.
    void setUp() {
        Game& g = game();
        auto item = [&](int n, const char* name, const char* alt, int kind, int price) {
            ItemRecord& r = g.db.itemTable[static_cast<size_t>(n)];
            r.itemNumber = static_cast<std::int16_t>(n);
            r.name = name;
            r.altName = alt;
            r.kind = static_cast<std::int16_t>(kind);
            r.price = price;
            r.sexMask = 3;
            r.alignmentMask = 7;
            r.raceMask = 2047;
            r.classMask = 262143;
        };
        item(kSword, "銀の剣", "剣", 1, 100);
        item(kPotion, "傷薬", "薬", 8, 30);
        item(kToken, "しるし", "しるし", 11, 500);
        item(kRing, "鉄の鎧", "鎧", 3, 80);
        item(kCursed, "呪いの剣", "剣", 1, 60);
        for (int id : {609, 613, 614, 615, 617, 627, 630, 634, 637, 638, 656})
            item(id, ("宝" + std::to_string(id)).c_str(), "宝", 11, 0);
        for (int person = 1; person <= 12; ++person) {
            NpcRecord& n = g.db.npcTable[static_cast<size_t>(person)];
            n.npcGoods.fill(kSword);
            n.npcPriceFactor = 0.5f;
        }
        Conversation& c = g.screens->part<Conversation>();
        c.replies = kReplies;
        c.messageText = fixtureText;
        for (int i = 1; i <= 2; ++i)
            member(i).race = 1;
    }
    // The same game with the built game's pictures, for a screenshot.
    void withPictures() {
        h.copyPictures();
        h.startToTown();
        game().dungeon.events = {};
        for (int i = 1; i <= 2; ++i)
            addMember(i, i == 1 ? "アルテア" : "ベルカ");
        setUp();
    }

    Conversation& talk() { return game().screens->part<Conversation>(); }

    Talk& key(int code) {
        DungeonFixture::key(code);
        return *this;
    }
    Talk& expectText(const std::string& text) {
        DungeonFixture::expectText(text);
        return *this;
    }
    Talk& expectNoDialog() {
        DungeonFixture::expectNoDialog();
        return *this;
    }

    // Opens person n's conversation where the party stands.
    void meet(int n) {
        call([this, n] {
            game().dungeon.currentNpc = n;
            OpenConversation(game(), n);
        });
    }
    // Queues the word typed into the talk prompt.
    void say(const std::string& word) {
        key('T').expectText("何を話す？");
        if (!word.empty()) h.script().text(word);
        key(keys::Enter);
    }
    // Expects a dialog showing exactly this text, and closes it.
    Talk& reply(const std::string& text) {
        expectText(text);
        return key(keys::Space);
    }
    // The save on disk.
    SaveData saved() {
        SaveData s;
        LoadSave(s, h.gameDir());
        return s;
    }
    int count(int partySlot, int itemId) {
        int n = 0;
        for (const ItemSlot& s : member(partySlot).items)
            if (s.itemId == itemId) n += s.itemCount;
        return n;
    }
};

TEST(ConversationPlay, WalkingIntoAPersonsRoomOpensTheScreenAndLeavingGivesTheMapBack) {
    Talk f;
    MapEvent room;
    room.dungeon = 21;
    room.floor = 1;
    room.x = 5;
    room.y = 4;
    room.trigger = EventTrigger::Arrival;
    room.action = EventAction::PersonRoom;
    room.npc = 3;
    room.texts[0] = 10101;
    static std::vector<MapEvent> events;
    events = {room};
    f.call([&] {
        f.game().dungeon.events = events;
        f.standAt(1, 5, 5, 0);
    });
    f.key(keys::Up).reply(std::string(Message(10101)));
    f.call([&] {
        Conversation& c = f.talk();
        MainWindow& m = f.main();
        EXPECT_TRUE(c.isOpen());
        EXPECT_EQ(f.game().dungeon.currentNpc, 3);
        EXPECT_TRUE(c.fraNPC.shown());
        EXPECT_FALSE(c.fraNPCBuy.shown());
        EXPECT_TRUE(c.lstNPC.hasFocus());
        EXPECT_EQ(c.lstNPC.listIndex(), 0);
        ASSERT_EQ(m.lstCommandList.listCount(), 1);
        EXPECT_EQ(m.lstCommandList.list(0), "ガラクタ屋　テスト");
        EXPECT_TRUE(m.lstCommandList.shown());
        EXPECT_FALSE(m.lstCommandList.enabled());
        EXPECT_FALSE(m.fraParty.enabled());
        ASSERT_EQ(c.lstNPCBuy.listCount(), 5);
        EXPECT_EQ(c.lstNPCBuy.list(0), ToWide("1 " + FieldLeft("剣", 15)));
        EXPECT_EQ(c.lstNPCBuy.itemData(4), kSword);
    });
    // The map keys wait while the person talks.
    f.key(keys::Up).expectNoDialog();
    f.call([&] { EXPECT_EQ(f.game().place.partyY, 4); });
    f.key('L').reply("立ち去った・・・");
    f.call([&] {
        Conversation& c = f.talk();
        EXPECT_FALSE(c.isOpen());
        EXPECT_FALSE(c.fraNPC.shown());
        EXPECT_FALSE(f.main().lstCommandList.visible());
        EXPECT_EQ(f.main().lstCommandList.listCount(), 0);
        EXPECT_TRUE(f.main().picMap.hasFocus());
    });
    f.key(keys::Up);
    f.call([&] { EXPECT_EQ(f.game().place.partyY, 3) << "the map keys work again"; });
    f.run();
}

TEST(ConversationPlay, WordsAreComparedExactlyAndUnwrittenRepliesFallBack) {
    Talk f;
    f.call([&] { f.standAt(1, 5, 5, 0); });
    f.meet(3);
    const std::string fallback = "その事については、わからないねぇ";
    struct Case {
        const char* word;
        std::vector<std::string> dialogs;
    };
    const Case cases[] = {
        {"こんにちは", {"へい、いらっしゃい"}},
        {"ガラクタ", {"ガラクタの山にも宝はある", "目利き次第さ"}},
        {"ガラクタ ", {fallback}},  // a trailing space is another word
        {"ｶﾞﾗｸﾀ", {fallback}},      // half-width kana are other characters
        {"宝石", {fallback}},       // known, but its reply is not written
        {"ペルース", {fallback}},   // known, with no reply in the table
        {"ドラゴン", {fallback}},   // not one of the person's words
    };
    for (const Case& c : cases) {
        f.say(c.word);
        for (const std::string& d : c.dialogs)
            f.reply(d);
    }
    // Nothing typed: nothing is said, and the list keeps the focus.
    f.say("");
    f.expectNoDialog();
    f.call([&] { EXPECT_TRUE(f.talk().lstNPC.hasFocus()); });
    f.run();
}

TEST(ConversationPlay, WordsWithRulesOfTheirOwn) {
    Talk f;
    f.call([&] {
        f.standAt(1, 5, 5, 0);
        f.game().save.lunaPhase = 8 * 30 + 3;
        f.game().save.artemisPhase = 8 * 40;
    });
    // Person 2 answers "威厳" with three dialogs of its own.
    f.meet(2);
    f.say("威厳");
    f.reply("ボクに威厳が足りないって言うのかい？\nなんだって？");
    f.key(keys::Space).key(keys::Space);
    f.say("ヴァンパイア'");
    f.call([&] { EXPECT_TRUE(f.shows("夜に生きる貴族")); });
    f.key(keys::Space);
    f.key('L').key(keys::Space);
    // The black marketeer under two full moons.
    f.meet(12);
    f.say("こんにちは");
    f.reply("ようこそ、ブラックマーケットへ");
    f.reply("今日は・・・いい夜だな・・・");
    f.say("ブラックマーケット");
    f.reply("何が買えるかは、オマエの目で\n確かめてみるんだな・・・");
    f.say("闇");
    f.reply("買う気が無いなら、立ち去るんだな・・・");
    f.key('L').key(keys::Space);
    // The thief's tally: given once, then the default reply.
    f.meet(6);
    f.say("卑しい盗賊");
    f.reply("卑しい盗賊だと？");
    f.reply("こいつを持っていきな");
    f.reply(std::string(Message(1080)));
    f.call([&] { EXPECT_EQ(f.count(1, 609), 1); });
    f.say("卑しい盗賊");
    f.reply("くだらない質問するヤツの死に様は\n大体くだらないらしいぜ");
    f.key('L').key(keys::Space);
    // Person 10's proof: not before all seventy-two are beaten, then once.
    f.meet(10);
    f.say("７２匹");
    f.reply("七十二の悪魔すべてを倒してから来い");
    f.call([&] {
        for (int m = 698; m <= 769; ++m)
            f.game().save.defeatedCounts[static_cast<size_t>(m)] = 1;
    });
    f.say("７２匹");
    f.reply("見事だ、証をやろう");
    f.reply(std::string(Message(1080)));
    f.say("７２匹");
    f.reply("七十二の悪魔すべてを倒してから来い");
    f.call([&] {
        EXPECT_EQ(f.count(1, 656), 1);
        EXPECT_EQ(f.saved().itemFoundCounts[656], 1) << "the proof is saved";
    });
    f.run();
}

TEST(ConversationPlay, GiftsTheirRewardsAndFlagsAreSaved) {
    Talk f;
    f.call([&] {
        f.standAt(1, 5, 5, 0);
        f.member(1).items[1] = {615, 0, 1};
        f.member(1).items[2] = {630, 0, 1};
        f.member(2).items[1] = {630, 0, 1};
        f.member(2).items[2] = {kSword, 0, 1};
    });
    // The wine sets the drunkard's flag.
    f.meet(5);
    f.key('G').expectText("キャラクターを選んでください").key(keys::Enter);
    f.expectText("アイテムを選んでください").key(keys::Enter);
    for (const char* t :
         {"特上の赤ワインじゃねえか", "ありがてえ", "礼に道を教えてやろう", "月の鍵は地下の奥だ"})
        f.reply(t);
    f.call([&] {
        EXPECT_EQ(f.game().save.eventFlags[4], 1);
        EXPECT_EQ(f.count(1, 615), 0);
        SaveData s = f.saved();
        EXPECT_EQ(s.eventFlags[4], 1);
        EXPECT_EQ(s.roster[1].items[1].itemId, 0);
    });
    // Anything else is simply thanked for.
    f.key('G').key(keys::Down).key(keys::Enter);                                // member 2
    f.expectText("アイテムを選んでください").key(keys::Down).key(keys::Enter);  // the sword
    f.reply("ありがとよゥ");
    f.call([&] { EXPECT_EQ(f.count(2, kSword), 0); });
    f.key('L').key(keys::Space);
    // The junk dealer takes both clouded gems and gives his key.
    f.meet(3);
    f.key('G').key(keys::Enter);
    f.expectText("アイテムを選んでください").key(keys::Enter);  // member 1's gem
    f.reply("おお、こいつは見事な宝玉だ");
    f.reply(std::string(Message(1080)));
    f.call([&] {
        EXPECT_EQ(f.count(1, 630), 0);
        EXPECT_EQ(f.count(2, 630), 0) << "the second gem is taken too";
        EXPECT_EQ(f.count(1, 613), 1);
        EXPECT_EQ(f.saved().roster[1].items[1].itemId, 613);
    });
    f.run();
}

TEST(ConversationPlay, EveryPersonReactsToGifts) {
    const std::string thanksWithGift = "これはほんのお礼です\nか、必ず役に立ちますよ";
    const std::string ladysThanks =
        "「まぁ、ステキ\nこれ、欲しかったのでございます\nではお礼にこれを差し上げますわ」";
    const std::string queensThanks =
        "「よくやったァ\nこれは褒美だァ\nワレラにはいらぬモノだが\nキサマらには有益なはずだァ」";
    const std::string got(Message(1080));
    struct Case {
        int person;
        int item;
        std::vector<std::string> dialogs;
        int more;       // further dialogs closed unread
        bool takesTwo;  // a second unit is taken from member 2
        int reward;
    };
    const Case cases[] = {
        {1, kSword, {"ありがたい"}, 0, false, 0},
        {2, kSword, {"ありがとう"}, 0, false, 0},
        {3, kSword, {"ありがとう"}, 0, false, 0},
        {4, 614, {thanksWithGift, got}, 0, true, 634},
        {4, kSword, {"ありがとうございます"}, 0, false, 0},
        {5, kSword, {"ありがとよゥ"}, 0, false, 0},
        {6, kSword, {"とりあえずもらっとくぜ"}, 0, false, 0},
        {7, kSword, {"ありがとうございます"}, 0, false, 0},
        {8, 617, {ladysThanks, got}, 0, true, 637},
        {8, kSword, {"ありがとうございますわ"}, 0, false, 0},
        {9, 637, {queensThanks, got}, 0, true, 638},
        {9, 627, {"「よくやったァ\nキサマらに有益な情報を与えよゥ」"}, 9, true, 0},
        {9, kSword, {"ありがたく頂くゥ"}, 0, false, 0},
        {10, kSword, {"ありがたし"}, 0, false, 0},
        {11, kSword, {"頂いておこう"}, 0, false, 0},
        {12, kSword, {"まぁ、もらっとくよ"}, 0, false, 0},
    };
    Talk f;
    f.call([&] { f.standAt(1, 5, 5, 0); });
    for (const Case& c : cases) {
        f.call([&] {
            for (int i = 1; i <= 2; ++i) {
                f.member(i).items = {};
                f.member(i).items[1] = {c.item, 0, 1};
            }
        });
        f.meet(c.person);
        f.key('G').key(keys::Enter).key(keys::Enter);
        for (const std::string& d : c.dialogs)
            f.reply(d);
        for (int i = 0; i < c.more; ++i)
            f.key(keys::Space);
        f.call([&] {
            SCOPED_TRACE(std::to_string(c.person) + " " + std::to_string(c.item));
            EXPECT_EQ(f.count(1, c.item), 0);
            EXPECT_EQ(f.count(2, c.item), c.takesTwo ? 0 : 1);
            if (c.reward != 0) {
                EXPECT_EQ(f.count(1, c.reward), 1);
            }
            EXPECT_EQ(f.h.ui().modalDepth(), 0u);
        });
        f.key('L').key(keys::Space);
    }
    f.run();
}

TEST(ConversationPlay, GiftsAndSalesRefuseCursedWornAndEventItems) {
    Talk f;
    f.call([&] {
        f.standAt(1, 5, 5, 0);
        Character& c = f.member(1);
        c.items[1] = {kCursed, 1 | kItemCursedWorn, 1};
        c.items[2] = {kRing, 3, 1};
        c.items[3] = {kToken, 0, 1};
    });
    f.meet(7);
    struct Case {
        int command;
        int downs;
        const char* answer;
    };
    const Case cases[] = {
        {'G', 0, "呪われている！"}, {'G', 1, "装備している"},   {'S', 0, "呪われている！"},
        {'S', 1, "装備している"},   {'S', 2, "興味を示さない"},
    };
    for (const Case& c : cases) {
        f.key(c.command).expectText("キャラクターを選んでください").key(keys::Enter);
        f.expectText("アイテムを選んでください");
        for (int i = 0; i < c.downs; ++i)
            f.key(keys::Down);
        f.key(keys::Enter).reply(c.answer);
    }
    // Cancelling either pick does nothing.
    f.key('G').key(keys::Esc).expectNoDialog();
    f.key('S').key(keys::Enter).key(keys::Esc).expectNoDialog();
    f.call([&] {
        const Character& c = f.member(1);
        EXPECT_EQ(c.items[1].itemId, kCursed);
        EXPECT_EQ(c.items[2].itemId, kRing);
        EXPECT_EQ(c.items[3].itemId, kToken);
        EXPECT_EQ(c.gold, 0);
    });
    f.run();
}

TEST(ConversationPlay, BuyingAndSellingMoveGoldAndItemsAndAreSaved) {
    Talk f;
    f.call([&] {
        f.standAt(1, 5, 5, 0);
        f.member(1).gold = 50;
        f.member(2).gold = 150;
        f.member(2).items[1] = {kPotion, kItemUnidentified, 3};
    });
    f.meet(4);
    // Member 1 cannot pay; member 2 pays, member 1 (the first with room) receives.
    f.key('B');
    f.call([&] {
        EXPECT_TRUE(f.talk().fraNPCBuy.shown());
        EXPECT_FALSE(f.talk().fraNPC.shown());
        EXPECT_TRUE(f.talk().lstNPCBuy.hasFocus());
    });
    f.key(keys::Enter).reply("ありがとう");
    f.call([&] {
        EXPECT_EQ(f.member(1).gold, 50);
        EXPECT_EQ(f.member(2).gold, 50);
        EXPECT_EQ(f.count(1, kSword), 1);
        EXPECT_EQ(f.game().save.itemFoundCounts[kSword], 1);
        SaveData s = f.saved();
        EXPECT_EQ(s.roster[2].gold, 50);
        EXPECT_EQ(s.roster[1].items[1].itemId, kSword);
        EXPECT_EQ(s.roster[1].items[1].itemFlags & kItemUnidentified, 0) << "bought identified";
    });
    // Now nobody has 100.
    f.key(keys::Down).key(keys::Enter).reply(std::string(Message(3020)));
    f.key(keys::Esc);
    f.call([&] {
        EXPECT_TRUE(f.talk().fraNPC.shown());
        EXPECT_TRUE(f.talk().lstNPC.hasFocus());
    });
    // Selling: the sword at half its price, an unidentified potion for 1.
    f.key('S').key(keys::Enter);
    f.expectText("アイテムを選んでください").key(keys::Enter).reply("アイテムを売った");
    f.key('S').key(keys::Down).key(keys::Enter);
    f.expectText("アイテムを選んでください").key(keys::Enter).reply("アイテムを売った");
    f.call([&] {
        EXPECT_EQ(f.member(1).gold, 100);
        EXPECT_EQ(f.count(1, kSword), 0);
        EXPECT_EQ(f.member(2).gold, 51);
        EXPECT_EQ(f.count(2, kPotion), 2);
        SaveData s = f.saved();
        EXPECT_EQ(s.roster[1].gold, 100);
        EXPECT_EQ(s.roster[2].gold, 51);
        EXPECT_EQ(s.roster[2].items[1].itemCount, 2);
    });
    f.run();
}

TEST(ConversationPlay, AFullPartyCannotOpenTheGoodsAndEmptyGoodsSellNothing) {
    Talk f;
    f.call([&] {
        f.standAt(1, 5, 5, 0);
        for (int i = 1; i <= 2; ++i) {
            f.member(i).gold = 1000;
            for (int s = 1; s <= kInventorySlots; ++s)
                f.member(i).items[static_cast<size_t>(s)] = {kPotion, 0, 9};
        }
    });
    f.meet(1);
    f.key('B').reply(std::string(Message(1053)));
    f.call([&] {
        EXPECT_FALSE(f.talk().fraNPCBuy.shown());
        EXPECT_TRUE(f.talk().lstNPC.hasFocus());
    });
    f.key('L').key(keys::Space);
    // A person whose goods list is empty: the rows show no names and sell nothing.
    f.call([&] {
        f.game().db.npcTable[8].npcGoods.fill(0);
        f.member(1).items[1] = {};
    });
    f.meet(8);
    f.key('B').key(keys::Enter).expectNoDialog();
    f.call([&] {
        EXPECT_EQ(f.talk().lstNPCBuy.list(0), ToWide("1 " + FieldLeft("", 15)));
        EXPECT_EQ(f.member(1).gold, 1000);
        EXPECT_EQ(f.member(1).items[1].itemId, 0);
    });
    f.run();
}

TEST(ConversationPlay, Screenshot) {
    Talk f;
    f.withPictures();
    // A corridor ahead, closed at its end, so the view shows the room's walls.
    for (int y = 2; y <= 5; ++y)
        f.walls(1, 5, y, SideBit(1) | SideBit(3) | (y == 2 ? SideBit(0) : 0));
    f.call([&] {
        f.game().options.drawMode = 2;
        f.talk().messageText = [](int n) { return std::string(Message(n)); };
        f.standAt(1, 5, 5, 0);
        f.member(1).gold = 1200;
        f.member(2).gold = 300;
    });
    f.meet(3);
    f.key(keys::Down).call([&] {
        // The panels lie inside the window, over the view.
        const Rect r = f.talk().fraNPC.screenRect();
        EXPECT_LE(r.x + r.w, 640);
        EXPECT_TRUE(f.main().picMap.shown());
        f.h.ui().render();
        if (const char* dir = std::getenv("DV_SCREENSHOT_DIR"))
            f.h.savePng(std::string(dir) + "/screenshot-conversation.png");
    });
    f.key('B').call([&] {
        const Rect r = f.talk().fraNPCBuy.screenRect();
        EXPECT_EQ(r.x, 64);
        EXPECT_LE(r.x + r.w, 640);
        f.h.ui().render();
        if (const char* dir = std::getenv("DV_SCREENSHOT_DIR"))
            f.h.savePng(std::string(dir) + "/screenshot-conversation-goods.png");
    });
    f.run();
}

TEST(PeopleRules, PricesAndTheMoons) {
    ItemRecord item;
    item.price = 1234;
    SaveData save;
    struct Case {
        int luna, artemis, person;
        std::int64_t price;
    };
    const Case cases[] = {
        {240, 320, 12, 123},   // both full: a tenth, rounded down
        {269, 359, 12, 123},   // still phase 8 of both
        {270, 320, 12, 1234},  // the first moon has waned
        {240, 360, 12, 1234},  // the second has
        {240, 320, 11, 1234},  // only the black market
    };
    for (const Case& c : cases) {
        save.lunaPhase = static_cast<std::int16_t>(c.luna);
        save.artemisPhase = static_cast<std::int16_t>(c.artemis);
        EXPECT_EQ(GoodsPrice(item, c.person, save), c.price) << c.luna << " " << c.artemis;
    }
    item.price = -5;
    EXPECT_EQ(GoodsPrice(item, 1, save), 0) << "a damaged price costs nothing";

    item.price = 15;
    EXPECT_EQ(SaleValue(item, 0.5f, false), 7.5) << "fractional gold is kept";
    EXPECT_EQ(SaleValue(item, 0.5f, true), 1);
    item.price = 100;
    EXPECT_EQ(SaleValue(item, 0.4f, false), std::strtod("40.0000005960464", nullptr))
        << "the product through its 15-digit decimal text";
    EXPECT_EQ(SaleValue(item, -1.0f, false), 0);
    EXPECT_EQ(SaleValue(item, std::numeric_limits<float>::infinity(), false), 0);
}

}  // namespace
}  // namespace dv
