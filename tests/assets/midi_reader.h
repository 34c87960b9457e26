// A small Standard MIDI File reader for the music tests: it checks the structure as it
// reads and keeps what the tests look at.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dv::music::testing {

struct MidiNote {
    int channel = 0;
    int pitch = 0;
    int velocity = 0;
    int start = 0;
    int end = 0;
};

struct MidiTrack {
    std::string name;
    int endTick = 0;                    // tick of the end-of-track event
    std::vector<MidiNote> notes;        // in note-off order
    std::vector<std::string> problems;  // note-ons left open, stray note-offs and such
    int firstNoteTick = -1;
    int resetTick = -1;  // first "reset all controllers"
    int programTick = -1;
    int program = -1;
    std::map<int, int> controllersAtEnd;  // last value of each controller
    int pitchBendAtEnd = 8192;
    int tempo = 0;  // microseconds per quarter, 0 = none
    int meterBeats = 0;
    int meterUnit = 0;
};

struct MidiFile {
    int format = -1;
    int division = 0;
    std::vector<MidiTrack> tracks;
};

class Reader {
  public:
    explicit Reader(const std::vector<std::uint8_t>& bytes) : b_(bytes) {}

    // The file, or nothing with the reason in error when it is not well formed.
    std::optional<MidiFile> Read(std::string& error) {
        MidiFile file;
        std::size_t pos = 0;
        if (!Chunk(pos, "MThd", 6, error)) return std::nullopt;
        file.format = Be(pos + 8, 2);
        const int count = Be(pos + 10, 2);
        file.division = Be(pos + 12, 2);
        pos += 14;
        for (int t = 0; t < count; ++t) {
            const std::size_t at = pos;
            if (!Chunk(at, "MTrk", 0, error)) return std::nullopt;
            const std::size_t length = static_cast<std::size_t>(Be(at + 4, 4));
            MidiTrack track;
            if (!Track(at + 8, at + 8 + length, track, error)) return std::nullopt;
            file.tracks.push_back(std::move(track));
            pos = at + 8 + length;
        }
        if (pos != b_.size()) {
            error = "bytes after the last track";
            return std::nullopt;
        }
        return file;
    }

  private:
    int Be(std::size_t at, int n) const {
        int v = 0;
        for (int i = 0; i < n; ++i)
            v = (v << 8) | b_[at + static_cast<std::size_t>(i)];
        return v;
    }

    bool Chunk(std::size_t at, const char* id, int length, std::string& error) const {
        if (at + 8 > b_.size() || std::string(b_.begin() + static_cast<long>(at),
                                              b_.begin() + static_cast<long>(at) + 4) != id) {
            error = std::string("no ") + id + " chunk";
            return false;
        }
        const std::size_t size = static_cast<std::size_t>(Be(at + 4, 4));
        if ((length > 0 && size != static_cast<std::size_t>(length)) || at + 8 + size > b_.size()) {
            error = std::string(id) + " chunk has a bad length";
            return false;
        }
        return true;
    }

    bool Variable(std::size_t& pos, std::size_t end, int& value) const {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            if (pos >= end) return false;
            const int byte = b_[pos++];
            value = (value << 7) | (byte & 0x7F);
            if ((byte & 0x80) == 0) return true;
        }
        return false;
    }

    bool Track(std::size_t pos, std::size_t end, MidiTrack& track, std::string& error) const {
        int tick = 0;
        int status = 0;
        std::map<int, std::vector<MidiNote>> open;  // channel * 128 + pitch
        bool ended = false;
        while (pos < end) {
            if (ended) {
                error = "events after the end of a track";
                return false;
            }
            int delta = 0;
            if (!Variable(pos, end, delta) || pos >= end) {
                error = "cut-off delta time";
                return false;
            }
            tick += delta;
            if (b_[pos] & 0x80) status = b_[pos++];  // otherwise running status
            if (status == 0xFF) {
                if (pos >= end) {
                    error = "cut-off meta event";
                    return false;
                }
                const int type = b_[pos++];
                int length = 0;
                if (!Variable(pos, end, length) || pos + static_cast<std::size_t>(length) > end) {
                    error = "cut-off meta event";
                    return false;
                }
                if (type == 0x03)
                    track.name.assign(b_.begin() + static_cast<long>(pos),
                                      b_.begin() + static_cast<long>(pos) + length);
                if (type == 0x51 && length == 3) track.tempo = Be(pos, 3);
                if (type == 0x58 && length == 4) {
                    track.meterBeats = b_[pos];
                    track.meterUnit = 1 << b_[pos + 1];
                }
                if (type == 0x2F) {
                    ended = true;
                    track.endTick = tick;
                }
                pos += static_cast<std::size_t>(length);
                status = 0;
                continue;
            }
            if (status == 0xF0 || status == 0xF7) {
                int length = 0;
                if (!Variable(pos, end, length)) return false;
                pos += static_cast<std::size_t>(length);
                status = 0;
                continue;
            }
            if (status < 0x80) {
                error = "data byte without a status";
                return false;
            }
            const int kind = status & 0xF0;
            const int channel = status & 0x0F;
            const int size = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            if (pos + static_cast<std::size_t>(size) > end) {
                error = "cut-off channel event";
                return false;
            }
            const int d1 = b_[pos];
            const int d2 = size == 2 ? b_[pos + 1] : 0;
            pos += static_cast<std::size_t>(size);
            const int key = channel * 128 + d1;
            if (kind == 0x90 && d2 > 0) {
                if (!open[key].empty())
                    track.problems.push_back("pitch " + std::to_string(d1) +
                                             " struck again while sounding at " +
                                             std::to_string(tick));
                open[key].push_back({channel, d1, d2, tick, -1});
                if (track.firstNoteTick < 0) track.firstNoteTick = tick;
            } else if (kind == 0x80 || kind == 0x90) {
                if (open[key].empty()) {
                    track.problems.push_back("note-off without a note at " + std::to_string(tick));
                } else {
                    MidiNote note = open[key].front();
                    open[key].erase(open[key].begin());
                    note.end = tick;
                    track.notes.push_back(note);
                }
            } else if (kind == 0xB0) {
                if (d1 == 121 && track.resetTick < 0) track.resetTick = tick;
                track.controllersAtEnd[d1] = d2;
            } else if (kind == 0xC0) {
                if (track.programTick < 0) track.programTick = tick;
                track.program = d1;
            } else if (kind == 0xE0) {
                track.pitchBendAtEnd = d1 | (d2 << 7);
            }
        }
        if (!ended) {
            error = "a track without its end";
            return false;
        }
        for (const auto& [key, notes] : open) {
            for (const MidiNote& n : notes)
                track.problems.push_back("pitch " + std::to_string(n.pitch) + " from " +
                                         std::to_string(n.start) + " never ends");
        }
        return true;
    }

    const std::vector<std::uint8_t>& b_;
};

inline std::optional<MidiFile> ReadMidi(const std::vector<std::uint8_t>& bytes,
                                        std::string& error) {
    if (bytes.size() < 14) {
        error = "too short";
        return std::nullopt;
    }
    return Reader(bytes).Read(error);
}

}  // namespace dv::music::testing
