#include "content/people_source.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include "content/content_error.h"
#include "content/yaml_record.h"
#include "core/data/people.h"

namespace dv {

namespace {

// The last person with numbered replies: person 12's range would start past the table.
constexpr int kLastPersonWithReplies = 11;

std::string cString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        }
    }
    return out + "\"";
}

bool knowsWord(int person, const std::string& word) {
    const auto words = PersonKeywords(person);
    return std::find(words.begin(), words.end(), word) != words.end();
}

}  // namespace

std::vector<ReplySpec> parsePeopleReplies(const std::string& text, const std::string& file) {
    YAML::Node root;
    try {
        root = YAML::Load(text);
    } catch (const YAML::Exception& e) {
        throw ContentError(file, e.mark.line + 1, e.msg);
    }
    std::vector<ReplySpec> out;
    if (root.IsNull()) return out;
    if (!root.IsMap()) throw ContentError(file, yamlLine(root), "a map of person: replies");
    std::set<int> people;
    for (auto p = root.begin(); p != root.end(); ++p) {
        int person = 0;
        parseNumber(p->first, person, file);
        const int line = yamlLine(p->first);
        if (person < kFirstPerson || person > kLastPersonWithReplies)
            throw ContentError(
                file, line,
                "person " + std::to_string(person) + ": only persons 1..11 have numbered replies");
        if (!people.insert(person).second)
            throw ContentError(file, line, "person " + std::to_string(person) + " is given twice");
        const YAML::Node words = p->second;
        if (words.IsNull()) continue;
        if (!words.IsMap())
            throw ContentError(file, line,
                               "person " + std::to_string(person) + ": a map of word: [messages]");
        const int first = 20000 + 100 * person + 1;
        const int last = first + 98;
        std::set<std::string> seen;
        for (auto w = words.begin(); w != words.end(); ++w) {
            ReplySpec spec;
            spec.person = person;
            spec.keyword = w->first.Scalar();
            spec.line = yamlLine(w->first);
            if (!knowsWord(person, spec.keyword))
                throw ContentError(file, spec.line,
                                   "person " + std::to_string(person) +
                                       " does not know the word '" + spec.keyword + "'");
            if (!seen.insert(spec.keyword).second)
                throw ContentError(file, spec.line, "'" + spec.keyword + "' is given twice");
            const YAML::Node list = w->second;
            if (!list.IsSequence() || list.size() < 1 ||
                list.size() > static_cast<std::size_t>(kMaxRepliesPerKeyword))
                throw ContentError(file, spec.line,
                                   "'" + spec.keyword + "': a list of one to three messages");
            for (std::size_t i = 0; i < list.size(); ++i) {
                const YAML::Node m = list[i];
                int number = 0;
                parseNumber(m, number, file);
                if (number < first || number > last)
                    throw ContentError(file, yamlLine(m),
                                       "message " + std::to_string(number) + " is outside " +
                                           std::to_string(first) + ".." + std::to_string(last));
                spec.messages.push_back(number);
            }
            out.push_back(std::move(spec));
        }
    }
    return out;
}

std::vector<ReplySpec> readPeopleReplies(const std::filesystem::path& peopleYaml) {
    if (!std::filesystem::exists(peopleYaml)) return {};
    std::ifstream in(peopleYaml, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in && !in.eof()) throw ContentError(peopleYaml.string(), 0, "cannot read");
    return parsePeopleReplies(text.str(), peopleYaml.string());
}

std::string writeReplyTable(const std::vector<ReplySpec>& replies) {
    std::ostringstream out;
    out << "// Compiled from content/people.yaml by dv-gen-people.\n"
           "#include \"core/data/people.h\"\n\nnamespace dv {\n\n";
    if (replies.empty()) {
        out << "std::span<const KeywordReply> KeywordReplies() { return {}; }\n\n"
               "}  // namespace dv\n";
        return out.str();
    }
    out << "namespace {\n\nconstexpr KeywordReply kReplies[] = {\n";
    for (const ReplySpec& r : replies) {
        out << "    {" << r.person << ", " << cString(r.keyword) << ", {";
        for (int i = 0; i < kMaxRepliesPerKeyword; ++i) {
            const int m = i < static_cast<int>(r.messages.size())
                              ? r.messages[static_cast<std::size_t>(i)]
                              : 0;
            out << (i ? ", " : "") << m;
        }
        out << "}},\n";
    }
    out << "};\n\n}  // namespace\n\n"
           "std::span<const KeywordReply> KeywordReplies() { return kReplies; }\n\n"
           "}  // namespace dv\n";
    return out.str();
}

}  // namespace dv
