// The content sources' YAML readers on arbitrary text: the first byte picks the record
// type of a table, the rest is read as one entry's fields. A fault is a ContentError
// naming a line, never a crash; an entry that reads writes back and reads to the same
// record.

#include <yaml-cpp/yaml.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "content/content_error.h"
#include "content/content_set.h"
#include "content/yaml_record.h"
#include "core/data/record_io.h"

namespace {

// The stored bytes of a record (floats compare by their bits, so a NaN equals itself).
template <class R>
std::vector<std::uint8_t> bytesOf(const R& record) {
    std::vector<std::uint8_t> bytes;
    dv::ByteWriter out(bytes);
    dv::writeRecord(out, record);
    return bytes;
}

template <class R>
void readEntry(const YAML::Node& node, R record) {
    try {
        dv::recordFromNode(node, record, "fuzz.yaml", true);
    } catch (const dv::ContentError&) {
        return;
    }
    YAML::Node written;
    if (!dv::recordToNode(record, R{}, written, true)) return;
    R again{};
    dv::recordFromNode(written, again, "again.yaml", true);
    if (bytesOf(again) != bytesOf(record)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    YAML::Node node;
    try {
        node = YAML::Load(text);
    } catch (const YAML::Exception&) {
        return 0;
    }
    try {
        switch (data[0] % 6) {
            case 0:
                readEntry(node, dv::ItemRecord{});
                break;
            case 1:
                readEntry(node, dv::Character{});
                break;
            case 2:
                readEntry(node, dv::SpellRecord{});
                break;
            case 3:
                readEntry(node, dv::ActionRecord{});
                break;
            case 4:
                readEntry(node, dv::SkillRecord{});
                break;
            default: {
                // A whole file of map events for dungeon 21 floor 1.
                try {
                    (void)dv::parseEventFile(text, "events.yaml", 21, 1);
                } catch (const dv::ContentError&) {
                }
                break;
            }
        }
    } catch (const YAML::Exception&) {
        // yaml-cpp's own conversions; the sources' readers turn these into ContentError.
    }
    return 0;
}
