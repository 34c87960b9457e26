#include "musicgen/midi_file.h"

#include <algorithm>
#include <string>

namespace dv::music {

namespace {

struct Event {
    int tick = 0;
    int order = 0;  // at one tick: settings, then note-offs, then note-ons
    std::vector<std::uint8_t> bytes;
};

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutVariable(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1)
        out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 127));
}

Event Meta(int tick, std::uint8_t type, const std::vector<std::uint8_t>& data) {
    Event e{tick, 0, {0xFF, type}};
    PutVariable(e.bytes, static_cast<std::uint32_t>(data.size()));
    e.bytes.insert(e.bytes.end(), data.begin(), data.end());
    return e;
}

Event NameEvent(const std::string& name) {
    return Meta(0, 0x03, std::vector<std::uint8_t>(name.begin(), name.end()));
}

Event Controller(int channel, int number, int value) {
    return {0, 0, {static_cast<std::uint8_t>(0xB0 | channel), Byte(number), Byte(value)}};
}

// Events in time order (stable within a tick, by order), then the end of the track at length.
std::vector<std::uint8_t> TrackChunk(std::vector<Event> events, int length) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<std::uint8_t> body;
    int now = 0;
    for (const Event& e : events) {
        PutVariable(body, static_cast<std::uint32_t>(e.tick - now));
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        now = e.tick;
    }
    PutVariable(body, static_cast<std::uint32_t>(length - now));
    body.insert(body.end(), {0xFF, 0x2F, 0x00});

    std::vector<std::uint8_t> chunk = {'M', 'T', 'r', 'k'};
    PutBigEndian(chunk, static_cast<std::uint32_t>(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

std::vector<std::uint8_t> ConductorChunk(const Score& score) {
    std::vector<Event> events;
    events.push_back(NameEvent(score.title));
    int unitPower = 0;
    while ((1 << unitPower) < score.meterUnit)
        ++unitPower;
    // Compound metres click on the dotted quarter.
    const bool compound = score.meterUnit == 8 && score.meterBeats % 3 == 0;
    const int clocksPerClick = compound ? 36 : 24 * 4 / score.meterUnit;
    events.push_back(
        Meta(0, 0x58,
             {static_cast<std::uint8_t>(score.meterBeats), static_cast<std::uint8_t>(unitPower),
              static_cast<std::uint8_t>(clocksPerClick), 8}));
    events.push_back(Meta(0, 0x59,
                          {static_cast<std::uint8_t>(static_cast<std::int8_t>(score.keySharps)),
                           static_cast<std::uint8_t>(score.keyMinor ? 1 : 0)}));
    std::vector<std::uint8_t> tempo;
    PutBigEndian(tempo, static_cast<std::uint32_t>(60'000'000 / score.beatsPerMinute), 3);
    events.push_back(Meta(0, 0x51, tempo));
    return TrackChunk(std::move(events), score.Length());
}

std::vector<std::uint8_t> InstrumentChunk(const Track& track, int length) {
    const int ch = track.channel;
    std::vector<Event> events;
    events.push_back(NameEvent(track.name));
    events.push_back(Controller(ch, 121, 0));  // reset all controllers
    events.push_back(Controller(ch, 0, 0));    // bank: General MIDI
    events.push_back(Controller(ch, 32, 0));
    events.push_back({0, 0, {static_cast<std::uint8_t>(0xC0 | ch), Byte(track.program)}});
    events.push_back(Controller(ch, 7, track.volume));
    events.push_back(Controller(ch, 10, track.pan));
    events.push_back(Controller(ch, 11, 127));
    events.push_back(Controller(ch, 91, track.reverb));
    events.push_back(Controller(ch, 93, track.chorus));
    for (const Note& n : track.notes) {
        events.push_back({n.end, 1, {static_cast<std::uint8_t>(0x80 | ch), Byte(n.pitch), 0x40}});
        events.push_back(
            {n.start, 2, {static_cast<std::uint8_t>(0x90 | ch), Byte(n.pitch), Byte(n.velocity)}});
    }
    return TrackChunk(std::move(events), length);
}

}  // namespace

std::vector<std::uint8_t> WriteMidi(const Score& score) {
    std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd'};
    PutBigEndian(out, 6, 4);
    PutBigEndian(out, 1, 2);
    PutBigEndian(out, static_cast<std::uint32_t>(score.tracks.size() + 1), 2);
    PutBigEndian(out, kTicksPerQuarter, 2);
    const auto append = [&out](const std::vector<std::uint8_t>& chunk) {
        out.insert(out.end(), chunk.begin(), chunk.end());
    };
    append(ConductorChunk(score));
    for (const Track& track : score.tracks)
        append(InstrumentChunk(track, score.Length()));
    return out;
}

}  // namespace dv::music
