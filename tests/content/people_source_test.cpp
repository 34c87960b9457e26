// The people's words and replies: the program's lists, content/people.yaml and its table.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "content/content_check.h"
#include "content/content_error.h"
#include "content/people_source.h"
#include "core/data/people.h"

namespace dv {
namespace {

TEST(People, EveryPersonGreetsFirstAndHasADefaultReply) {
    for (int n = kFirstPerson; n <= kLastPerson; ++n) {
        SCOPED_TRACE(n);
        ASSERT_FALSE(PersonKeywords(n).empty());
        EXPECT_EQ(PersonKeywords(n)[0], kGreeting);
        EXPECT_FALSE(DefaultReply(n).empty());
    }
    for (int n : {-1, 0, 13, 20}) {
        EXPECT_TRUE(PersonKeywords(n).empty());
        EXPECT_TRUE(DefaultReply(n).empty());
    }
    EXPECT_EQ(PersonKeywords(12).size(), 2u);
    EXPECT_EQ(PersonKeywords(6).size(), 18u);
}

TEST(PeopleReplies, WordsAndTheirMessagesAreRead) {
    const auto replies = parsePeopleReplies(R"(
3:
  こんにちは: [20301]
  ガラクタ: [20302, 20303, 20304]
11:
  運命: [21190]
)",
                                            "people.yaml");
    ASSERT_EQ(replies.size(), 3u);
    EXPECT_EQ(replies[1].person, 3);
    EXPECT_EQ(replies[1].keyword, "ガラクタ");
    EXPECT_EQ(replies[1].messages, (std::vector<int>{20302, 20303, 20304}));
    EXPECT_EQ(replies[1].line, 4);
    EXPECT_EQ(replies[2].person, 11);

    const std::string table = writeReplyTable(replies);
    EXPECT_NE(table.find("{3, "), std::string::npos);
    EXPECT_NE(table.find("{20302, 20303, 20304}"), std::string::npos);
    EXPECT_NE(table.find("{21190, 0, 0}"), std::string::npos);
    EXPECT_NE(writeReplyTable({}).find("return {};"), std::string::npos);
    EXPECT_TRUE(parsePeopleReplies("# nothing written yet\n", "people.yaml").empty());
}

TEST(PeopleReplies, MistakesAreRefusedWithTheirLine) {
    struct Case {
        const char* text;
        int line;
        const char* says;
    };
    const Case cases[] = {
        {"12:\n  こんにちは: [21201]\n", 1, "only persons 1..11"},
        {"0:\n  こんにちは: [20001]\n", 1, "only persons 1..11"},
        {"3:\n  ドラゴン: [20301]\n", 2, "does not know the word 'ドラゴン'"},
        {"3:\n  \"こんにちは \": [20301]\n", 2, "does not know"},
        {"3:\n  こんにちは: [20301]\n  こんにちは: [20302]\n", 3, "given twice"},
        {"3:\n  こんにちは: []\n", 2, "one to three"},
        {"3:\n  こんにちは: [20301, 20302, 20303, 20304]\n", 2, "one to three"},
        {"3:\n  こんにちは: 20301\n", 2, "one to three"},
        {"3:\n  こんにちは: [20401]\n", 2, "outside 20301..20399"},
        {"3:\n  こんにちは: [20300]\n", 2, "outside"},
        {"3: [1, 2]\n", 1, "a map of word"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            parsePeopleReplies(c.text, "people.yaml");
            ADD_FAILURE() << "accepted";
        } catch (const ContentError& e) {
            EXPECT_EQ(e.line(), c.line);
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
    }
}

TEST(PeopleReplies, TheCheckNamesMessagesTheTableDoesNotHold) {
    const auto dir =
        std::filesystem::temp_directory_path() /
        ("dalvenor-people-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    {
        std::ofstream out(dir / "people.yaml");
        out << "4:\n  こんにちは: [20401]\n  オーク: [20402, 20403]\n";
    }
    const auto problems = checkReplyMessages(dir / "people.yaml", {20401, 20402});
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].where.line, 3);
    EXPECT_NE(problems[0].message.find("20403"), std::string::npos);
    EXPECT_TRUE(checkReplyMessages(dir / "missing.yaml", {}).empty());
    std::filesystem::remove_all(dir);
}

TEST(PeopleReplies, TheCompiledTableNamesOnlyKnownWords) {
    // Whatever the content holds, the table the game links passed the same rules.
    for (const KeywordReply& r : KeywordReplies()) {
        const auto words = PersonKeywords(r.person);
        EXPECT_NE(std::find(words.begin(), words.end(), r.keyword), words.end()) << r.keyword;
        EXPECT_GE(r.messages[0], 20000 + 100 * r.person + 1);
    }
    const auto source = readPeopleReplies(std::filesystem::path(DV_CONTENT_DIR) / "people.yaml");
    EXPECT_EQ(source.size(), KeywordReplies().size());
}

}  // namespace
}  // namespace dv
