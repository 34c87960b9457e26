#include "musicgen/composer.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>
#include <stdexcept>

namespace dv::music {

namespace {

using Scale = std::array<int, 7>;

Scale ScaleOf(Mode mode) {
    switch (mode) {
        case Mode::Major:
            return {0, 2, 4, 5, 7, 9, 11};
        case Mode::Minor:
            return {0, 2, 3, 5, 7, 8, 10};
        case Mode::HarmonicMinor:
            return {0, 2, 3, 5, 7, 8, 11};
        case Mode::Dorian:
            return {0, 2, 3, 5, 7, 9, 10};
        case Mode::Phrygian:
            return {0, 1, 3, 5, 7, 8, 10};
        case Mode::Lydian:
            return {0, 2, 4, 6, 7, 9, 11};
        case Mode::Mixolydian:
            return {0, 2, 4, 5, 7, 9, 10};
    }
    return {0, 2, 4, 5, 7, 9, 11};
}

// How far the mode's tonic lies above the tonic of the major scale with the same notes.
int ModeOffset(Mode mode) {
    switch (mode) {
        case Mode::Major:
            return 0;
        case Mode::Minor:
        case Mode::HarmonicMinor:
            return 9;
        case Mode::Dorian:
            return 2;
        case Mode::Phrygian:
            return 4;
        case Mode::Lydian:
            return 5;
        case Mode::Mixolydian:
            return 7;
    }
    return 0;
}

int Mod12(int n) {
    return ((n % 12) + 12) % 12;
}

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
    throw std::invalid_argument(where + ": " + what);
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : text) {
        if (c == separator) {
            parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.push_back(current);
    return parts;
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

// Bars of whitespace-separated tokens.
std::vector<std::vector<std::string>> Bars(const std::string& text) {
    std::vector<std::vector<std::string>> bars;
    for (const std::string& bar : Split(text, '|'))
        bars.push_back(Words(bar));
    return bars;
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    std::uint32_t h =
        a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

struct Degree {
    int index = 0;       // 0..6
    int accidental = 0;  // semitones
    int octave = 0;
};

// "#4'" and the like; returns false when the text is not a degree.
bool ReadDegree(const std::string& text, std::size_t& pos, Degree& out) {
    out = {};
    if (pos < text.size() && (text[pos] == '#' || text[pos] == 'b')) {
        out.accidental = text[pos] == '#' ? 1 : -1;
        ++pos;
    }
    if (pos >= text.size() || text[pos] < '1' || text[pos] > '7') return false;
    out.index = text[pos] - '1';
    ++pos;
    return true;
}

struct Chord {
    int start = 0;
    int end = 0;
    int root = 0;                // pitch class
    int bass = 0;                // pitch class
    std::vector<int> intervals;  // from the root: 0, third, fifth and maybe the seventh

    bool Has(int pitchClass) const {
        for (int i : intervals)
            if (Mod12(root + i) == pitchClass) return true;
        return false;
    }
};

struct MelodyNote {
    int start = 0;
    int end = 0;
    Degree degree;
};

struct Placed {
    const Section* section = nullptr;
    int layer = 0;
    int start = 0;  // tick
    int bars = 0;
    std::vector<MelodyNote> melody;
};

class Composer {
  public:
    explicit Composer(const Piece& piece)
        : piece_(piece), scale_(ScaleOf(piece.mode)), tonicClass_(Mod12(piece.tonic)) {
        const bool unit = piece.meterUnit == 2 || piece.meterUnit == 4 || piece.meterUnit == 8;
        if (piece.beatsPerMinute < 20 || piece.beatsPerMinute > 300 || piece.meterBeats < 1 ||
            piece.meterBeats > 12 || !unit || piece.steps < 1)
            Fail(piece.title, "tempo, metre or steps out of range");
        score_.title = piece.title;
        score_.beatsPerMinute = piece.beatsPerMinute;
        score_.meterBeats = piece.meterBeats;
        score_.meterUnit = piece.meterUnit;
        bar_ = score_.TicksPerBar();
        const bool compound = piece.meterUnit == 8 && piece.meterBeats % 3 == 0;
        beat_ = compound ? bar_ * 3 / piece.meterBeats : bar_ / piece.meterBeats;
        SetKey();
    }

    Score Run() {
        PlaceSections();
        int channel = 0;
        for (std::size_t i = 0; i < piece_.parts.size(); ++i) {
            const Part& part = piece_.parts[i];
            Track track;
            track.name = part.name;
            track.role = part.role;
            track.program = part.program;
            track.volume = part.volume;
            track.pan = part.pan;
            track.reverb = part.reverb;
            track.chorus = part.chorus;
            if (part.role == Role::Drums) {
                track.channel = kDrumChannel;
            } else {
                if (channel == kDrumChannel) ++channel;
                if (channel > 15) Fail(piece_.title, "too many instruments");
                track.channel = channel++;
            }
            partIndex_ = static_cast<std::uint32_t>(i);
            noteCount_ = 0;
            for (const Placed& placed : placed_) {
                const std::string& layer = part.layers[static_cast<std::size_t>(placed.layer)];
                if (layer.empty() || !PlaysIn(part, placed.section->name)) continue;
                RenderPart(part, layer, placed, track.notes);
            }
            Tidy(track.notes);
            score_.tracks.push_back(std::move(track));
        }
        for (const Chord& chord : chords_) {
            std::uint16_t mask = static_cast<std::uint16_t>(1u << chord.bass);
            for (int i : chord.intervals)
                mask = static_cast<std::uint16_t>(mask | 1u << Mod12(chord.root + i));
            score_.chords.push_back({chord.start, chord.end, mask});
        }
        return std::move(score_);
    }

  private:
    static bool PlaysIn(const Part& part, const std::string& section) {
        if (part.only.empty()) return true;
        const auto names = Words(part.only);
        return std::find(names.begin(), names.end(), section) != names.end();
    }

    void SetKey() {
        static constexpr int kSharps[12] = {0, -5, 2, -3, 4, -1, -6, 1, -4, 3, -2, 5};
        score_.keySharps = kSharps[Mod12(tonicClass_ - ModeOffset(piece_.mode))];
        score_.keyMinor = scale_[2] == 3;
    }

    int DegreeSemitones(const Degree& d) const {
        return scale_[static_cast<std::size_t>(d.index)] + d.accidental + 12 * d.octave;
    }

    void PlaceSections() {
        std::map<std::string, const Section*> byName;
        for (const Section& s : piece_.sections)
            byName[s.name] = &s;
        int tick = 0;
        for (const std::string& entry : Words(piece_.form)) {
            const std::size_t colon = entry.find(':');
            const std::string name = entry.substr(0, colon);
            const auto found = byName.find(name);
            if (found == byName.end()) Fail(piece_.title, "no section " + name);
            Placed placed;
            placed.section = found->second;
            const std::string layer = colon == std::string::npos ? "0" : entry.substr(colon + 1);
            if (layer.size() != 1 || layer[0] < '0' || layer[0] > '3')
                Fail(piece_.title, "layer of " + entry + " is not 0..3");
            placed.layer = layer[0] - '0';
            placed.start = tick;
            const std::string where = piece_.title + " " + name;
            placed.bars = ReadChords(where, placed.section->chords, tick);
            if (!placed.section->melody.empty())
                placed.melody = ReadMelody(where, placed.section->melody, placed.bars, tick);
            tick += placed.bars * bar_;
            placed_.push_back(std::move(placed));
        }
        score_.bars = tick / bar_;
        if (chords_.empty()) Fail(piece_.title, "no chords");
    }

    int ReadChords(const std::string& where, const std::string& text, int start) {
        const auto bars = Bars(text);
        for (std::size_t b = 0; b < bars.size(); ++b) {
            const auto& names = bars[b];
            if (names.empty() || bar_ % static_cast<int>(names.size()) != 0)
                Fail(where, "chord bar " + std::to_string(b + 1) + " cannot be shared");
            const int length = bar_ / static_cast<int>(names.size());
            for (std::size_t i = 0; i < names.size(); ++i) {
                Chord chord = ReadChord(where, names[i]);
                chord.start = start + static_cast<int>(b) * bar_ + static_cast<int>(i) * length;
                chord.end = chord.start + length;
                chords_.push_back(std::move(chord));
            }
        }
        return static_cast<int>(bars.size());
    }

    Chord ReadChord(const std::string& where, const std::string& name) const {
        std::size_t pos = 0;
        Degree degree;
        if (!ReadDegree(name, pos, degree)) Fail(where, "chord " + name);
        const std::string rest = name.substr(pos);
        const std::size_t slash = rest.find('/');
        std::string kind = rest.substr(0, slash);
        const bool seventh = !kind.empty() && kind.back() == '7';
        if (seventh) kind.pop_back();

        Chord chord;
        chord.root = Mod12(tonicClass_ + DegreeSemitones(degree));
        const auto diatonic = [&](int steps) {
            const int i = degree.index + steps;
            return Mod12(scale_[static_cast<std::size_t>(i % 7)] -
                         scale_[static_cast<std::size_t>(degree.index)] - degree.accidental);
        };
        int third = 0, fifth = 0, seven = 10;
        if (kind.empty()) {
            third = diatonic(2);
            fifth = diatonic(4);
            seven = diatonic(6);
        } else if (kind == "M") {
            third = 4, fifth = 7;
        } else if (kind == "maj" && seventh) {
            third = 4, fifth = 7, seven = 11;
        } else if (kind == "m") {
            third = 3, fifth = 7;
        } else if (kind == "o") {
            third = 3, fifth = 6, seven = 9;
        } else if (kind == "+") {
            third = 4, fifth = 8;
        } else if (kind == "s4") {
            third = 5, fifth = 7;
        } else if (kind == "s2") {
            third = 2, fifth = 7;
        } else {
            Fail(where, "chord " + name);
        }
        chord.intervals = {0, third, fifth};
        if (seventh) chord.intervals.push_back(seven);
        chord.bass = chord.root;
        if (slash != std::string::npos) {
            std::size_t at = slash + 1;
            Degree bass;
            if (!ReadDegree(rest, at, bass) || at != rest.size()) Fail(where, "chord " + name);
            chord.bass = Mod12(tonicClass_ + DegreeSemitones(bass));
        }
        return chord;
    }

    std::vector<MelodyNote> ReadMelody(const std::string& where, const std::string& text, int bars,
                                       int start) const {
        const auto tokens = Bars(text);
        if (static_cast<int>(tokens.size()) != bars)
            Fail(where, "melody has " + std::to_string(tokens.size()) + " bars, chords " +
                            std::to_string(bars));
        if (bar_ % piece_.steps != 0) Fail(where, "steps do not divide the bar");
        const int step = bar_ / piece_.steps;
        std::vector<MelodyNote> notes;
        bool holding = false;
        for (std::size_t b = 0; b < tokens.size(); ++b) {
            if (static_cast<int>(tokens[b].size()) != piece_.steps)
                Fail(where, "melody bar " + std::to_string(b + 1) + " has " +
                                std::to_string(tokens[b].size()) + " steps");
            for (std::size_t s = 0; s < tokens[b].size(); ++s) {
                const std::string& t = tokens[b][s];
                const int tick = start + static_cast<int>(b) * bar_ + static_cast<int>(s) * step;
                if (t == "-") {
                    if (holding) notes.back().end = tick + step;
                    continue;
                }
                if (t == ".") {
                    holding = false;
                    continue;
                }
                std::size_t pos = 0;
                MelodyNote note;
                if (!ReadDegree(t, pos, note.degree)) Fail(where, "melody note " + t);
                for (; pos < t.size(); ++pos) {
                    if (t[pos] == '\'')
                        ++note.degree.octave;
                    else if (t[pos] == ',')
                        --note.degree.octave;
                    else
                        Fail(where, "melody note " + t);
                }
                note.start = tick;
                note.end = tick + step;
                notes.push_back(note);
                holding = true;
            }
        }
        return notes;
    }

    int ChordAt(int tick) const {
        const auto it = std::upper_bound(chords_.begin(), chords_.end(), tick,
                                         [](int t, const Chord& c) { return t < c.start; });
        return static_cast<int>(it - chords_.begin()) - 1;
    }

    int Velocity(const Part& part, int tick, int layer, int pitchLift = 0) {
        int v = part.velocity;
        if (tick % bar_ == 0)
            v += 8;
        else if (tick % beat_ == 0)
            v += 3;
        else
            v -= 3;
        static constexpr int kLayerLift[4] = {-10, 0, 6, 10};
        v += kLayerLift[layer] + pitchLift;
        v += static_cast<int>(Mix(piece_.seed, partIndex_, noteCount_++) % 7) - 3;
        return std::clamp(v, 1, 127);
    }

    // The sounding end of a note written from start to end.
    static int Sounding(const Part& part, int start, int end) {
        const int written = end - start;
        const int sounding = std::max(30, written * part.articulation / 100);
        return start + std::min(sounding, written - 6);
    }

    void Add(const Part& part, std::vector<Note>& notes, int start, int end, int pitch, int layer,
             int lift = 0) {
        if (pitch < 0 || pitch > 127) Fail(piece_.title + " " + part.name, "pitch out of range");
        notes.push_back(
            {start, Sounding(part, start, end), pitch, Velocity(part, start, layer, lift)});
    }

    void RenderPart(const Part& part, const std::string& layer, const Placed& placed,
                    std::vector<Note>& notes) {
        switch (part.role) {
            case Role::Lead:
            case Role::Harmony:
                RenderTune(part, placed, notes);
                break;
            case Role::Drone:
                RenderDrone(part, placed, notes);
                break;
            case Role::Drums:
                RenderDrums(part, layer, placed, notes);
                break;
            case Role::Bass:
            case Role::Chords:
            case Role::Arpeggio:
                RenderPattern(part, layer, placed, notes);
                break;
        }
    }

    void RenderTune(const Part& part, const Placed& placed, std::vector<Note>& notes) {
        for (const MelodyNote& m : placed.melody) {
            const int pitch = piece_.tonic + DegreeSemitones(m.degree) + part.shift;
            if (part.role == Role::Lead) {
                const int lift = std::clamp((pitch - piece_.tonic - part.shift - 5) / 3, -4, 4);
                Add(part, notes, m.start, m.end, pitch, placed.layer, lift);
                continue;
            }
            const int harmony = HarmonyBelow(m, pitch);
            if (harmony >= part.low) Add(part, notes, m.start, m.end, harmony, placed.layer);
        }
    }

    // A chord note at least a minor third under the tune, or a third lower in the scale
    // where the tune passes between chord notes.
    int HarmonyBelow(const MelodyNote& m, int pitch) const {
        const Chord& chord = chords_[static_cast<std::size_t>(ChordAt(m.start))];
        if (chord.Has(Mod12(pitch))) {
            for (int p = pitch - 3; p >= pitch - 9; --p)
                if (chord.Has(Mod12(p))) return p;
        }
        Degree lower = m.degree;
        lower.accidental = 0;
        lower.index -= 2;
        if (lower.index < 0) {
            lower.index += 7;
            --lower.octave;
        }
        return pitch - (DegreeSemitones(m.degree) - DegreeSemitones(lower));
    }

    void RenderDrone(const Part& part, const Placed& placed, std::vector<Note>& notes) {
        const int root = part.low + Mod12(tonicClass_ - part.low);
        const int end = placed.start + placed.bars * bar_;
        Add(part, notes, placed.start, end - 4, root, placed.layer);
        Add(part, notes, placed.start, end - 4, root + 7, placed.layer);
    }

    int BassPitch(const Part& part, const Chord& chord) const {
        return part.low + Mod12(chord.bass - part.low);
    }

    // The chord's note at the interval, placed above the bass pitch.
    static int Above(const Chord& chord, int bass, int interval) {
        const int step = Mod12(chord.root + interval - bass);
        return bass + (step == 0 ? 12 : step);
    }

    int Approach(const Part& part, int chordIndex, int from) const {
        const Chord& next = chords_[static_cast<std::size_t>(chordIndex + 1) % chords_.size()];
        const int target = BassPitch(part, next);
        // The neighbouring note of the scale on the side the bass comes from (from below
        // when the root stays).
        const int direction = target >= from ? -1 : 1;
        for (int p = target + direction;; p += direction) {
            const int rel = Mod12(p - tonicClass_);
            if (std::find(scale_.begin(), scale_.end(), rel) != scale_.end()) return p;
        }
    }

    std::vector<int> Voicing(const Part& part, int chordIndex) {
        const auto cached = voicings_.find({&part, chordIndex});
        if (cached != voicings_.end()) return cached->second;
        const Chord& chord = chords_[static_cast<std::size_t>(chordIndex)];
        std::vector<int> classes;
        for (int i : chord.intervals)
            classes.push_back(Mod12(chord.root + i));
        if (part.voices == 3 && classes.size() == 4) classes.erase(classes.begin() + 2);
        if (part.voices == 2) classes = {classes[0], classes[2]};
        std::vector<int> best;
        long bestCost = 0;
        const auto previous = lastVoicing_.find(&part);
        for (std::size_t r = 0; r < classes.size(); ++r) {
            for (int bottom = part.low; bottom <= part.high; ++bottom) {
                if (Mod12(bottom) != classes[r]) continue;
                std::vector<int> v = {bottom};
                for (std::size_t k = 1; k < classes.size(); ++k) {
                    const int pc = classes[(r + k) % classes.size()];
                    v.push_back(v.back() + (Mod12(pc - v.back()) == 0 ? 12 : Mod12(pc - v.back())));
                }
                while (static_cast<int>(v.size()) < part.voices)
                    v.push_back(v[v.size() - classes.size()] + 12);
                if (v.back() > part.high) continue;
                long cost = 0;
                if (previous != lastVoicing_.end() && previous->second.size() == v.size()) {
                    for (std::size_t k = 0; k < v.size(); ++k)
                        cost += std::abs(v[k] - previous->second[k]);
                } else {
                    cost = std::abs(v.front() + v.back() - part.low - part.high);
                }
                if (best.empty() || cost < bestCost) {
                    best = v;
                    bestCost = cost;
                }
            }
        }
        if (best.empty()) Fail(piece_.title + " " + part.name, "no voicing in range");
        lastVoicing_[&part] = best;
        voicings_[{&part, chordIndex}] = best;
        return best;
    }

    int ArpeggioPitch(const Part& part, const Chord& chord, int index) const {
        int found = -1;
        for (int p = part.low; p <= 127; ++p) {
            if (chord.Has(Mod12(p)) && ++found == index) return p;
        }
        Fail(piece_.title + " " + part.name, "arpeggio too high");
    }

    void RenderPattern(const Part& part, const std::string& layer, const Placed& placed,
                       std::vector<Note>& notes) {
        const std::string where = piece_.title + " " + part.name;
        const auto bars = Bars(layer);
        for (int b = 0; b < placed.bars; ++b) {
            const auto& tokens = bars[static_cast<std::size_t>(b) % bars.size()];
            if (tokens.empty() || bar_ % static_cast<int>(tokens.size()) != 0)
                Fail(where, "pattern bar does not divide the bar");
            const int step = bar_ / static_cast<int>(tokens.size());
            const int barStart = placed.start + b * bar_;
            for (std::size_t s = 0; s < tokens.size(); ++s) {
                const std::string& t = tokens[s];
                if (t == "-" || t == ".") continue;
                const int start = barStart + static_cast<int>(s) * step;
                std::size_t held = s + 1;
                while (held < tokens.size() && tokens[held] == "-")
                    ++held;
                const int end = barStart + static_cast<int>(held) * step;
                for (int at = start; at < end;) {
                    const int chordIndex = ChordAt(at);
                    const Chord& chord = chords_[static_cast<std::size_t>(chordIndex)];
                    const int until = std::min(end, chord.end);
                    RenderStep(part, t, chordIndex, at, until, placed.layer, where, notes);
                    at = until;
                }
            }
        }
    }

    void RenderStep(const Part& part, const std::string& t, int chordIndex, int start, int end,
                    int layer, const std::string& where, std::vector<Note>& notes) {
        const Chord& chord = chords_[static_cast<std::size_t>(chordIndex)];
        if (part.role == Role::Chords) {
            if (t != "x" && t != "X") Fail(where, "chord step " + t);
            const int lift = t == "X" ? 10 : 0;
            for (int pitch : Voicing(part, chordIndex))
                Add(part, notes, start, end, pitch, layer, lift);
        } else if (part.role == Role::Arpeggio) {
            if (t.size() != 1 || t[0] < '0' || t[0] > '9') Fail(where, "arpeggio step " + t);
            Add(part, notes, start, end, ArpeggioPitch(part, chord, t[0] - '0'), layer);
        } else {
            Add(part, notes, start, end, BassNote(part, chordIndex, t, where), layer);
        }
    }

    int BassNote(const Part& part, int chordIndex, const std::string& token,
                 const std::string& where) const {
        const Chord& chord = chords_[static_cast<std::size_t>(chordIndex)];
        const int bass = BassPitch(part, chord);
        const auto& iv = chord.intervals;
        if (token == "R") return bass;
        if (token == "8") return bass + 12;
        if (token == "3") return Above(chord, bass, iv[1]);
        if (token == "5") return Above(chord, bass, iv[2]);
        if (token == "L") return Above(chord, bass, iv[2]) - 12;
        if (token == "7") return Above(chord, bass, iv.size() > 3 ? iv[3] : 12);
        if (token == "A") return Approach(part, chordIndex, bass);
        Fail(where, "bass step " + token);
    }

    void RenderDrums(const Part& part, const std::string& layer, const Placed& placed,
                     std::vector<Note>& notes) {
        const std::string where = piece_.title + " " + part.name;
        if (part.crash > 0)
            Add(part, notes, placed.start, placed.start + beat_, part.crash, placed.layer, 12);
        for (int b = 0; b < placed.bars; ++b) {
            const bool fill = !part.fill.empty() && placed.bars > 1 && b == placed.bars - 1;
            for (const std::string& line : Split(fill ? part.fill : layer, ';')) {
                const std::size_t colon = line.find(':');
                if (colon == std::string::npos) Fail(where, "drum line " + line);
                // A General MIDI drum: two digits.
                const auto head = Words(line.substr(0, colon));
                if (head.size() != 1 || head[0].size() != 2 ||
                    !std::all_of(head[0].begin(), head[0].end(),
                                 [](char c) { return c >= '0' && c <= '9'; }))
                    Fail(where, "drum line " + line);
                const int pitch = std::stoi(head[0]);
                const auto bars = Split(line.substr(colon + 1), '|');
                std::string steps;
                for (char c : bars[static_cast<std::size_t>(b) % bars.size()])
                    if (c != ' ') steps += c;
                if (steps.empty() || bar_ % static_cast<int>(steps.size()) != 0)
                    Fail(where, "drum bar does not divide the bar");
                const int step = bar_ / static_cast<int>(steps.size());
                for (std::size_t s = 0; s < steps.size(); ++s) {
                    const char c = steps[s];
                    if (c == '.' || c == '-') continue;
                    if (c != 'X' && c != 'x' && c != 'o') Fail(where, "drum step " + line);
                    const int start = placed.start + b * bar_ + static_cast<int>(s) * step;
                    const int lift = c == 'X' ? 14 : (c == 'o' ? -24 : 0);
                    Add(part, notes, start, start + std::min(step, 240), pitch, placed.layer, lift);
                }
            }
        }
    }

    // Sorts the notes and shortens a note that would still sound when its pitch starts again.
    static void Tidy(std::vector<Note>& notes) {
        std::stable_sort(notes.begin(), notes.end(), [](const Note& a, const Note& b) {
            return a.pitch != b.pitch ? a.pitch < b.pitch : a.start < b.start;
        });
        std::vector<Note> kept;
        for (const Note& n : notes) {
            if (!kept.empty() && kept.back().pitch == n.pitch && kept.back().end > n.start) {
                if (kept.back().start == n.start) {
                    kept.back().velocity = std::max(kept.back().velocity, n.velocity);
                    kept.back().end = std::max(kept.back().end, n.end);
                    continue;
                }
                kept.back().end = n.start;
            }
            kept.push_back(n);
        }
        std::stable_sort(kept.begin(), kept.end(), [](const Note& a, const Note& b) {
            return a.start != b.start ? a.start < b.start : a.pitch < b.pitch;
        });
        notes = std::move(kept);
    }

    const Piece& piece_;
    Scale scale_;
    int tonicClass_;
    int bar_ = 0;
    int beat_ = 0;
    Score score_;
    std::vector<Chord> chords_;
    std::vector<Placed> placed_;
    std::map<std::pair<const Part*, int>, std::vector<int>> voicings_;
    std::map<const Part*, std::vector<int>> lastVoicing_;
    std::uint32_t partIndex_ = 0;
    std::uint32_t noteCount_ = 0;
};

}  // namespace

Score Compose(const Piece& piece) {
    return Composer(piece).Run();
}

}  // namespace dv::music
