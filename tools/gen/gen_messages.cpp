// Compiles the message table source (YAML map: number -> UTF-8 text) into a C++ source
// that holds the table sorted by number, so the game needs no file for it at run time.
//
//   dv-gen-messages content/messages.yaml out/messages_table.cpp

#include <yaml-cpp/yaml.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

namespace {

std::string cLiteral(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F && c != '?') {  // '?' would risk trigraph-like pairs
            out += static_cast<char>(c);
        } else {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", c);
            out += octal;
        }
    }
    return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: dv-gen-messages MESSAGES.yaml OUTPUT.cpp\n";
        return 2;
    }
    std::map<int, std::string> table;
    try {
        const YAML::Node root = YAML::LoadFile(argv[1]);
        if (!root.IsMap()) {
            std::cerr << argv[1] << ": the message table must be a map of number: text\n";
            return 1;
        }
        for (const auto& entry : root) {
            const auto line = entry.first.Mark().line + 1;
            int number = 0;
            try {
                number = entry.first.as<int>();
            } catch (const YAML::Exception&) {
                std::cerr << argv[1] << ":" << line << ": the key is not a number\n";
                return 1;
            }
            if (number < 1 || number > 99999) {
                std::cerr << argv[1] << ":" << line << ": message number " << number
                          << " is out of range\n";
                return 1;
            }
            if (!entry.second.IsScalar()) {
                std::cerr << argv[1] << ":" << line << ": message " << number << " is not a text\n";
                return 1;
            }
            if (!table.emplace(number, entry.second.as<std::string>()).second) {
                std::cerr << argv[1] << ":" << line << ": message " << number
                          << " is given twice\n";
                return 1;
            }
        }
    } catch (const YAML::Exception& e) {
        std::cerr << argv[1] << ": " << e.what() << "\n";
        return 1;
    }

    const std::string temp = std::string(argv[2]) + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary);
        out << "// Generated from the message table source; do not edit.\n"
               "#include \"core/data/message_table.h\"\n\n"
               "namespace dv {\n\nnamespace {\n\n"
               "constexpr MessageEntry kMessages[] = {\n";
        for (const auto& [number, text] : table) {
            out << "    {" << number << ", std::string_view(" << cLiteral(text) << ", "
                << text.size() << ")},\n";
        }
        if (table.empty()) out << "    {0, std::string_view()},\n";
        out << "};\n\n}  // namespace\n\n"
               "std::span<const MessageEntry> MessageTable() {\n"
            << "    return std::span<const MessageEntry>(kMessages, " << table.size() << ");\n"
            << "}\n\n}  // namespace dv\n";
        if (!out) {
            std::cerr << temp << ": cannot write\n";
            return 1;
        }
    }
    if (std::rename(temp.c_str(), argv[2]) != 0) {
        std::cerr << argv[2] << ": cannot write\n";
        return 1;
    }
    return 0;
}
