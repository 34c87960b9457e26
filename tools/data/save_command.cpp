// dalvenor-data save FILE: prints QTR1.DAT as readable text, for players and bug reports.
// Values are shown as stored; numbers the game treats as "none" are shown, not hidden.

#include <charconv>
#include <filesystem>
#include <memory>
#include <sstream>
#include <type_traits>

#include "characters/races_classes.h"
#include "core/data/atomic_file.h"
#include "core/data/data_files.h"
#include "core/data/names.h"
#include "core/data/record_io.h"
#include "core/data/save_data.h"
#include "core/data/text.h"
#include "subcommand.h"

namespace dv::tool {

namespace {

std::string number(double v) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

template <class T>
std::string number(T v) {
    if constexpr (std::is_floating_point_v<T>) {
        return number(static_cast<double>(v));
    } else {
        return std::to_string(static_cast<long long>(v));
    }
}

template <class T>
bool isZero(const T& v) {
    if constexpr (IsStdArray<T>::value) {
        for (const auto& e : v) {
            if (!isZero(e)) return false;
        }
        return true;
    } else if constexpr (IsGrid<T>::value) {
        return isZero(v.data);
    } else if constexpr (FieldRecord<T>) {
        bool zero = true;
        T::fields(v,
                  [&zero](std::string_view, const auto& member) { zero = zero && isZero(member); });
        return zero;
    } else if constexpr (std::is_same_v<T, std::string>) {
        return v.empty();
    } else {
        return v == 0;
    }
}

std::string codesText(std::span<const std::int16_t> codes) {
    std::ostringstream out;
    bool any = false;
    for (std::size_t j = 1; j < codes.size(); ++j) {
        if (codes[j] == 0) continue;
        char hex[8];
        std::snprintf(hex, sizeof hex, "%04X",
                      static_cast<unsigned>(static_cast<std::uint16_t>(codes[j]) ^ kNameCodeKey));
        out << (any ? " " : "") << j << ":" << hex;
        any = true;
    }
    return out.str();
}

// Prints one field of a record: numbers always, arrays by their non-zero elements.
class FieldPrinter {
  public:
    explicit FieldPrinter(std::ostream& out) : out_(out) {}

    template <class T>
    void operator()(std::string_view name, const T& v) {
        if constexpr (std::is_same_v<T, std::string>) {
            if (!v.empty()) out_ << "    " << name << " (text member) = \"" << v << "\"\n";
        } else if constexpr (IsStdArray<T>::value || IsGrid<T>::value) {
            if (isZero(v)) return;
            if constexpr (IsStdArray<T>::value) {
                if (name.starts_with("reserved")) {
                    out_ << "    " << name << " (kept as read) =";
                    for (auto b : v)
                        out_ << " " << number(b);
                    out_ << "\n";
                    return;
                }
            }
            out_ << "    " << name << ":";
            printElements(v);
            out_ << "\n";
        } else {
            out_ << "    " << name << " = " << number(v) << "\n";
        }
    }

  private:
    template <class E, std::size_t N>
    void printElements(const std::array<E, N>& a) {
        for (std::size_t k = 0; k < N; ++k) {
            if (!isZero(a[k])) out_ << " [" << k << "]=" << number(a[k]);
        }
    }

    template <class E, std::size_t... D>
    void printElements(const Grid<E, D...>& g) {
        constexpr auto dims = Grid<E, D...>::kDims;
        for (std::size_t flat = 0; flat < g.data.size(); ++flat) {
            if (g.data[flat] == 0) continue;
            out_ << " (";
            std::size_t rest = flat;
            for (std::size_t d = 0; d < dims.size(); ++d) {
                out_ << (d ? "," : "") << rest % dims[d];
                rest /= dims[d];
            }
            out_ << ")=" << number(g.data[flat]);
        }
    }

    std::ostream& out_;
};

std::string itemFlagsText(std::int32_t flags) {
    std::string text;
    if (flags & kItemEquipSlotMask) text += " worn:" + std::to_string(flags & kItemEquipSlotMask);
    if (flags & kItemCursedWorn) text += " cursed";
    if (flags & kItemUnidentified) text += " unidentified";
    if (flags & kItemUnusable) text += " unusable";
    return text;
}

// The game's word for a coded value, where it has one.
std::string annotation(std::string_view field, std::int64_t value) {
    if (field == "race") return std::string(RaceName(value));
    if (field == "classBit") return std::string(ClassName(value));
    if (field == "sex") return std::string(SexName(value));
    if (field == "alignment") return std::string(AlignmentName(value));
    if (field == "status") return std::string(StatusName(static_cast<std::int32_t>(value)));
    return {};
}

void printCharacter(std::ostream& out, const Character& c, int slot, const Database* items) {
    out << "slot " << slot << ": " << DecodeNameCodes(c.nameCodes) << "\n";
    out << "    name codes (CP932): " << codesText(c.nameCodes) << "\n";
    Character::fields(c, [&](std::string_view name, const auto& member) {
        using T = std::decay_t<decltype(member)>;
        if (name == "nameCodes" || name == "name") return;
        if constexpr (std::is_same_v<T, std::array<ItemSlot, kInventorySlots + 1>>) {
            for (std::size_t s = 0; s < member.size(); ++s) {
                const ItemSlot& item = member[s];
                if (item == ItemSlot{}) continue;
                out << "    items[" << s << "]: item " << item.itemId;
                if (items) {
                    const ItemRecord* record = itemAt(*items, item.itemId);
                    out << " " << (record ? DecodeNameCodes(record->nameCodes) : "(no such item)");
                }
                out << "  count " << item.itemCount << "  flags " << item.itemFlags
                    << itemFlagsText(item.itemFlags) << "\n";
            }
        } else if constexpr (std::is_integral_v<T>) {
            const std::string note = annotation(name, static_cast<std::int64_t>(member));
            out << "    " << name << " = " << number(member)
                << (note.empty() ? "" : " (" + note + ")") << "\n";
        } else {
            FieldPrinter printer(out);
            printer(name, member);
        }
    });
}

template <std::size_t N>
void printNonZero(std::ostream& out, std::string_view title,
                  const std::array<std::int32_t, N>& counts) {
    out << "\n[" << title << "] (non-zero)\n";
    int shown = 0;
    for (std::size_t k = 0; k < N; ++k) {
        if (counts[k] == 0) continue;
        out << (shown % 8 == 0 ? "  " : "  ") << k << ":" << counts[k];
        if (++shown % 8 == 0) out << "\n";
    }
    if (shown % 8 != 0) out << "\n";
    if (shown == 0) out << "  (none)\n";
}

}  // namespace

int runSave(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: dalvenor-data save FILE\n";
        return 2;
    }
    const std::filesystem::path path = args[0];
    const auto bytes = ReadWholeFile(path);
    if (!bytes) {
        err << "dalvenor-data: cannot read " << path.string() << "\n";
        return 1;
    }

    auto save = std::make_unique<SaveData>();
    ByteReader in(*bytes);
    readValue(in, *save);  // as stored: slot 0 and the clocks untouched

    // Item names, when the item file lies beside the save.
    std::unique_ptr<Database> items;
    if (auto q3 = ReadWholeFile(
            FindFileNoCase(path.parent_path().empty() ? "." : path.parent_path(), "QTR3.DAT"))) {
        items = std::make_unique<Database>();
        if (!readQtr3(*q3, *items)) items.reset();
    }

    out << path.string() << ": " << bytes->size() << " bytes";
    if (bytes->size() == kSaveFileSize) {
        out << " (complete)\n";
    } else if (bytes->empty()) {
        out << " (empty: a new game)\n";
    } else {
        out << " (DAMAGED: a save is " << kSaveFileSize << " bytes; "
            << (bytes->size() < kSaveFileSize ? "the missing part reads as zero"
                                              : "extra bytes ignored")
            << ")\n";
    }

    out << "\n[event flags]\n";
    for (std::size_t k = 0; k < save->eventFlags.size(); k += 10) {
        out << "  " << FieldRight(std::to_string(k), 3) << ":";
        for (std::size_t j = k; j < std::min(k + 10, save->eventFlags.size()); ++j) {
            out << " " << save->eventFlags[j];
        }
        out << "\n";
    }
    out << "\n[clocks]\n  lunaPhase " << save->lunaPhase << " (0..479)  artemisPhase "
        << save->artemisPhase << " (0..639)\n";
    printNonZero(out, "defeatedCounts", save->defeatedCounts);
    printNonZero(out, "itemFoundCounts", save->itemFoundCounts);
    printNonZero(out, "shopStock", save->shopStock);

    out << "\n[chestSpots] (non-zero spots)\n";
    int spots = 0;
    for (int s = 0; s < kChestSpotCount; ++s) {
        bool any = false;
        for (int col = 0; col < 6; ++col)
            any = any || save->chestSpots(s, col) != 0;
        if (!any) continue;
        ++spots;
        out << "  spot " << s << ":";
        for (int col = 0; col < 6; ++col)
            out << " " << save->chestSpots(s, col);
        out << "\n";
    }
    if (spots == 0) out << "  (none)\n";

    out << "\n[roster]\n";
    if (!isZero(save->roster[0])) {
        out << "(slot 0 holds data; the game never loads slot 0)\n";
        printCharacter(out, save->roster[0], 0, items.get());
    }
    int characters = 0;
    for (int slot = 1; slot < kRosterSlots; ++slot) {
        if (isZero(save->roster[slot])) continue;
        ++characters;
        printCharacter(out, save->roster[slot], slot, items.get());
    }
    if (characters == 0) out << "  (no characters)\n";
    return 0;
}

}  // namespace dv::tool
