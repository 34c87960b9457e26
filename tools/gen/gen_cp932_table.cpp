// Writes the code page 932 to Unicode table as a C++ source, asking the system's iconv
// ("CP932") about every one- and two-byte code, so that decoding names at start-up is a
// table look-up that gives exactly what iconv gives.
//
//   dv-gen-cp932-table out/cp932_table.cpp

#include <iconv.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr char16_t kNone = 0xFFFF;

bool isLead(unsigned b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The one character iconv makes of `bytes`, or kNone when it refuses them or makes anything
// else than one character of the basic plane.
char16_t convert(iconv_t cd, const std::string& bytes) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char in[2];
    bytes.copy(in, sizeof in);
    unsigned char out[16];
    char* src = in;
    std::size_t srcLeft = bytes.size();
    char* dst = reinterpret_cast<char*>(out);
    std::size_t dstLeft = sizeof out;
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) ||
        iconv(cd, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1) || srcLeft != 0)
        return kNone;
    const std::size_t n = sizeof out - dstLeft;
    if (n != 4) return kNone;
    const unsigned cp = out[0] | out[1] << 8 | out[2] << 16 | static_cast<unsigned>(out[3]) << 24;
    return cp < kNone ? static_cast<char16_t>(cp) : kNone;
}

void writeRow(std::ostream& out, const std::vector<char16_t>& row) {
    for (std::size_t i = 0; i < row.size(); ++i) {
        char hex[12];
        std::snprintf(hex, sizeof hex, "0x%04X,", static_cast<unsigned>(row[i]));
        out << (i % 12 == 0 ? "\n    " : " ") << hex;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: dv-gen-cp932-table OUTPUT.cpp\n";
        return 2;
    }
    iconv_t cd = iconv_open("UTF-32LE", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        std::cerr << "dv-gen-cp932-table: iconv cannot convert CP932\n";
        return 1;
    }
    std::vector<char16_t> single(256, kNone);
    for (unsigned b = 0; b < 256; ++b) {
        if (!isLead(b)) single[b] = convert(cd, std::string(1, static_cast<char>(b)));
    }
    std::vector<char16_t> pairs;
    for (unsigned lead = 0; lead < 256; ++lead) {
        if (!isLead(lead)) continue;
        for (unsigned trail = 0; trail < 256; ++trail) {
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            pairs.push_back(convert(cd, std::string(bytes, 2)));
        }
    }
    iconv_close(cd);

    std::ofstream out(argv[1]);
    out << "// Made at build time by dv-gen-cp932-table from the system's iconv. Do not edit.\n"
           "#include \"core/data/cp932_table.h\"\n\nnamespace dv {\n\n"
           "const char16_t kCp932Single[256] = {";
    writeRow(out, single);
    out << "\n};\n\nconst char16_t kCp932Pairs[kCp932LeadCount * 256] = {";
    writeRow(out, pairs);
    out << "\n};\n\n}  // namespace dv\n";
    out.close();
    if (!out) {
        std::cerr << "dv-gen-cp932-table: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
