#pragma once

// The people's replies: content/people.yaml names, for each word a person answers to, the
// messages that make up the answer. Compiled into the game (core/data/people.h).
//
//   3:                          # the person
//     こんにちは: [20301]         # a word of the person's list: one to three messages
//     ガラクタ: [20302, 20303]    # from 20000 + 100 n + 1 .. 20000 + 100 n + 99
//
// Words left out answer with the person's default reply.

#include <filesystem>
#include <string>
#include <vector>

namespace dv {

struct ReplySpec {
    int person = 0;
    std::string keyword;
    std::vector<int> messages;
    int line = 0;
};

// Reads the replies (a missing file holds none). Throws ContentError for a person outside
// 1..11, a word the person does not know, a word given twice, no or more than three
// messages, or a message outside the person's range.
std::vector<ReplySpec> readPeopleReplies(const std::filesystem::path& peopleYaml);
std::vector<ReplySpec> parsePeopleReplies(const std::string& text, const std::string& file);

// The C++ source of the compiled reply table.
std::string writeReplyTable(const std::vector<ReplySpec>& replies);

}  // namespace dv
