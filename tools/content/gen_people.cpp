// dv-gen-people PEOPLE_YAML OUTPUT_CPP: compiles the people's replies into the table the
// game links (dv_content_events).
#include <fstream>
#include <iostream>

#include "content/people_source.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: dv-gen-people PEOPLE_YAML OUTPUT_CPP\n";
        return 2;
    }
    try {
        const std::string table = dv::writeReplyTable(dv::readPeopleReplies(argv[1]));
        std::ofstream out(argv[2], std::ios::trunc);
        out << table;
        if (!out) {
            std::cerr << argv[2] << ": cannot write\n";
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
