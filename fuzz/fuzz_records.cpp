// Each record reader on arbitrary bytes: the first byte picks the record type, the rest is
// read as a run of records. A record read back from what was written must write the same
// bytes again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "core/data/character.h"
#include "core/data/names.h"
#include "core/data/record_io.h"
#include "core/data/records.h"

namespace {

template <class R>
void readRun(std::span<const std::uint8_t> bytes) {
    dv::ByteReader in(bytes);
    while (in.remaining() > 0 && !in.isShort()) {
        R record{};
        dv::readRecord(in, record);
        std::vector<std::uint8_t> first;
        dv::ByteWriter out(first);
        dv::writeRecord(out, record);
        R again{};
        dv::ByteReader back(first);
        dv::readRecord(back, again);
        std::vector<std::uint8_t> second;
        dv::ByteWriter out2(second);
        dv::writeRecord(out2, again);
        if (first != second) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    switch (data[0] % 8) {
        case 0:
            readRun<dv::SpellRecord>(rest);
            break;
        case 1:
            readRun<dv::TrapRecord>(rest);
            break;
        case 2:
            readRun<dv::SkillRecord>(rest);
            break;
        case 3:
            readRun<dv::ActionRecord>(rest);
            break;
        case 4:
            readRun<dv::ConversationRecord>(rest);
            break;
        case 5:
            readRun<dv::NpcRecord>(rest);
            break;
        case 6:
            readRun<dv::ItemRecord>(rest);
            break;
        default: {
            dv::Character c;
            dv::ByteReader in(rest);
            dv::readRecord(in, c);
            c.name = dv::DecodeNameCodes(c.nameCodes);
            c.altName = dv::DecodeNameCodes(c.altNameCodes);
            break;
        }
    }
    return 0;
}
