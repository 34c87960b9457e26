#pragma once

// The twelve people who live in rooms of the dungeons: the words each of them answers to
// and what they say to anything else. The replies to the words are content: the message
// numbers of each word come from content/people.yaml, compiled into the program.

#include <array>
#include <span>
#include <string_view>

namespace dv {

inline constexpr int kFirstPerson = 1;
inline constexpr int kLastPerson = 12;

inline bool IsPerson(long long n) {
    return n >= kFirstPerson && n <= kLastPerson;
}

// The greeting every person knows, always the first of their words.
inline constexpr std::string_view kGreeting = "こんにちは";

// The person's words in order, the greeting first; empty for a number that is not a person.
std::span<const std::string_view> PersonKeywords(int person);
// What the person says to a word they do not know ("\n" breaks a line); empty for a number
// that is not a person.
std::string_view DefaultReply(int person);

// Person n's replies use messages 20000 + 100 n + 1 upward.
inline constexpr int kFirstReplyMessage = 20100;
inline constexpr int kLastReplyMessage = 21199;
inline constexpr int kMaxRepliesPerKeyword = 3;

// One word's reply: up to three messages shown one dialog each (0 = none).
struct KeywordReply {
    int person;
    std::string_view keyword;
    std::array<int, kMaxRepliesPerKeyword> messages;
};

// The compiled reply table (generated from content/people.yaml at build time).
std::span<const KeywordReply> KeywordReplies();

// The entry of a person's word in a reply table, or nullptr.
const KeywordReply* FindKeywordReply(std::span<const KeywordReply> table, int person,
                                     std::string_view keyword);

}  // namespace dv
