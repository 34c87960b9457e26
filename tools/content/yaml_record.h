#pragma once

// Records to YAML and back, driven by the same field tables that read and write the files.
// A record is written as a map of the members that differ from the table's default record;
// arrays as maps index -> value (a list in a source fills elements 1, 2, 3...); a code
// array "xCodes" paired with a String member "x" is written as the text "x" when the codes
// spell it exactly, and the String member itself (empty in our files) as "storedX".

#include <yaml-cpp/yaml.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <set>
#include <string>
#include <string_view>
#include <type_traits>

#include "content/content_error.h"
#include "core/data/names.h"
#include "core/data/record_io.h"

namespace dv {

inline int yamlLine(const YAML::Node& n) {
    return n.Mark().line + 1;
}

std::string storedKey(std::string_view member);

// Numbers -------------------------------------------------------------------------------

template <class T>
YAML::Node numberNode(T v) {
    if constexpr (std::is_floating_point_v<T>) {
        // Exact text for finite values; the bit pattern for anything else.
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.17g", static_cast<double>(v));
        if (std::isfinite(v) && static_cast<T>(std::strtod(buf, nullptr)) == v &&
            !(v == 0 && std::signbit(v)))
            return YAML::Node(std::string(buf));
        std::uint64_t bits = 0;
        if constexpr (sizeof(T) == 4) {
            std::uint32_t b = 0;
            std::memcpy(&b, &v, 4);
            bits = b;
        } else {
            std::memcpy(&bits, &v, 8);
        }
        std::snprintf(buf, sizeof buf, "bits:0x%llx", static_cast<unsigned long long>(bits));
        return YAML::Node(std::string(buf));
    } else {
        return YAML::Node(static_cast<long long>(v));
    }
}

template <class T>
void parseNumber(const YAML::Node& n, T& v, const std::string& file) {
    if (!n.IsScalar()) throw ContentError(file, yamlLine(n), "expected a number");
    const std::string text = n.Scalar();
    if constexpr (std::is_floating_point_v<T>) {
        if (text.rfind("bits:0x", 0) == 0) {
            unsigned long long bits = std::strtoull(text.c_str() + 7, nullptr, 16);
            if constexpr (sizeof(T) == 4) {
                auto b = static_cast<std::uint32_t>(bits);
                std::memcpy(&v, &b, 4);
            } else {
                std::memcpy(&v, &bits, 8);
            }
            return;
        }
        char* end = nullptr;
        double d = std::strtod(text.c_str(), &end);
        if (end == text.c_str() || *end != '\0')
            throw ContentError(file, yamlLine(n), "'" + text + "' is not a number");
        v = static_cast<T>(d);
    } else {
        char* end = nullptr;
        long long x = std::strtoll(text.c_str(), &end, 0);
        if (end == text.c_str() || *end != '\0')
            throw ContentError(file, yamlLine(n), "'" + text + "' is not a whole number");
        constexpr long long lowest = static_cast<long long>(std::numeric_limits<T>::min());
        constexpr long long highest = sizeof(T) >= sizeof(long long)
                                          ? std::numeric_limits<long long>::max()
                                          : static_cast<long long>(std::numeric_limits<T>::max());
        if (x < lowest || x > highest)
            throw ContentError(file, yamlLine(n), text + " does not fit its field");
        v = static_cast<T>(x);
    }
}

// Values --------------------------------------------------------------------------------

template <class T>
bool valueToNode(const T& v, const T& def, YAML::Node& out, bool codesAsText);
template <class T>
void valueFromNode(const YAML::Node& n, T& v, const std::string& file, bool codesAsText);

template <class E, class Seq>
bool elementsToNode(const Seq& v, const Seq& def, YAML::Node& out, bool codesAsText) {
    YAML::Node map(YAML::NodeType::Map);
    bool any = false;
    for (std::size_t i = 0; i < v.size(); ++i) {
        YAML::Node e;
        if (valueToNode<E>(v[i], def[i], e, codesAsText)) {
            map.force_insert(i, e);
            any = true;
        }
    }
    if (any) {
        if constexpr (std::is_arithmetic_v<E>) map.SetStyle(YAML::EmitterStyle::Flow);
        out = map;
    }
    return any;
}

template <class E, class Seq>
void elementsFromNode(const YAML::Node& n, Seq& v, const std::string& file, bool codesAsText) {
    if (n.IsSequence()) {
        if (n.size() + 1 > v.size())
            throw ContentError(file, yamlLine(n),
                               "too many elements (at most " + std::to_string(v.size() - 1) + ")");
        for (std::size_t i = 0; i < n.size(); ++i)
            valueFromNode<E>(n[i], v[i + 1], file, codesAsText);
        return;
    }
    if (!n.IsMap()) throw ContentError(file, yamlLine(n), "expected a list or a map index: value");
    for (auto it = n.begin(); it != n.end(); ++it) {
        std::size_t index = 0;
        parseNumber(it->first, index, file);
        if (index >= v.size())
            throw ContentError(
                file, yamlLine(it->first),
                "index " + std::to_string(index) + " outside 0.." + std::to_string(v.size() - 1));
        valueFromNode<E>(it->second, v[index], file, codesAsText);
    }
}

template <FieldRecord R>
bool recordToNode(const R& r, const R& def, YAML::Node& out, bool codesAsText);
template <FieldRecord R>
void recordFromNode(const YAML::Node& n, R& r, const std::string& file, bool codesAsText,
                    const std::set<std::string>& extraKeys = {});

template <class T>
bool valueToNode(const T& v, const T& def, YAML::Node& out, bool codesAsText) {
    if constexpr (IsStdArray<T>::value) {
        return elementsToNode<typename T::value_type>(v, def, out, codesAsText);
    } else if constexpr (IsGrid<T>::value) {
        return elementsToNode<std::remove_cvref_t<decltype(v.data[0])>>(v.data, def.data, out,
                                                                        codesAsText);
    } else if constexpr (FieldRecord<T>) {
        return recordToNode(v, def, out, codesAsText);
    } else if constexpr (std::is_same_v<T, std::string>) {
        if (v == def) return false;
        out = YAML::Node(v);
        return true;
    } else {
        if (std::memcmp(&v, &def, sizeof(T)) == 0) return false;
        out = numberNode(v);
        return true;
    }
}

template <class T>
void valueFromNode(const YAML::Node& n, T& v, const std::string& file, bool codesAsText) {
    if constexpr (IsStdArray<T>::value) {
        elementsFromNode<typename T::value_type>(n, v, file, codesAsText);
    } else if constexpr (IsGrid<T>::value) {
        elementsFromNode<std::remove_cvref_t<decltype(v.data[0])>>(n, v.data, file, codesAsText);
    } else if constexpr (FieldRecord<T>) {
        recordFromNode(n, v, file, codesAsText);
    } else if constexpr (std::is_same_v<T, std::string>) {
        if (!n.IsScalar()) throw ContentError(file, yamlLine(n), "expected a text");
        v = n.Scalar();
    } else {
        parseNumber(n, v, file);
    }
}

template <class T>
constexpr bool kIsCodeArray = false;
template <std::size_t N>
constexpr bool kIsCodeArray<std::array<std::int16_t, N>> = true;

inline bool endsWithCodes(std::string_view name) {
    return name.size() > 5 && name.substr(name.size() - 5) == "Codes";
}

// The member names of a record that form code/text pairs ("nameCodes" + "name").
template <FieldRecord R>
std::set<std::string> codePairs(const R& r) {
    std::set<std::string> codes, strings, pairs;
    R::fields(r, [&](std::string_view name, const auto& member) {
        using M = std::remove_cvref_t<decltype(member)>;
        if constexpr (kIsCodeArray<M>) {
            if (endsWithCodes(name)) codes.insert(std::string(name.substr(0, name.size() - 5)));
        } else if constexpr (std::is_same_v<M, std::string>) {
            strings.insert(std::string(name));
        }
    });
    for (const auto& c : codes)
        if (strings.count(c)) pairs.insert(c);
    return pairs;
}

template <FieldRecord R>
bool recordToNode(const R& r, const R& def, YAML::Node& out, bool codesAsText) {
    const std::set<std::string> pairs = codePairs(r);
    YAML::Node map(YAML::NodeType::Map);
    bool any = false;
    // Walk both records' members side by side.
    R::fields(r, [&](std::string_view name, const auto& member) {
        using M = std::remove_cvref_t<decltype(member)>;
        const M* defMember = nullptr;
        R::fields(def, [&](std::string_view n2, const auto& m2) {
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(m2)>, M>)
                if (n2 == name) defMember = &m2;
        });
        const std::string key(name);
        if constexpr (kIsCodeArray<M>) {
            const std::string base = endsWithCodes(name) ? key.substr(0, key.size() - 5) : "";
            if (codesAsText && pairs.count(base) && member != *defMember) {
                std::string text = DecodeNameCodes(member);
                M again{};
                if (text.find("\xEF\xBF\xBD") == std::string::npos &&
                    EncodeNameCodes(text, again) && again == member) {
                    map[base] = text;
                    any = true;
                    return;
                }
            }
        }
        YAML::Node e;
        if (valueToNode<M>(member, *defMember, e, codesAsText)) {
            map[pairs.count(key) ? storedKey(key) : key] = e;
            any = true;
        }
    });
    if (any) out = map;
    return any;
}

template <FieldRecord R>
void recordFromNode(const YAML::Node& n, R& r, const std::string& file, bool codesAsText,
                    const std::set<std::string>& extraKeys) {
    if (!n.IsMap()) throw ContentError(file, yamlLine(n), "expected a map of fields");
    const std::set<std::string> pairs = codePairs(r);
    std::set<std::string> known(extraKeys);
    R::fields(r, [&](std::string_view name, auto& member) {
        using M = std::remove_cvref_t<decltype(member)>;
        const std::string key(name);
        const std::string yamlKey = pairs.count(key) ? storedKey(key) : key;
        known.insert(yamlKey);
        if (const YAML::Node v = n[yamlKey]) valueFromNode<M>(v, member, file, codesAsText);
        if constexpr (kIsCodeArray<M>) {
            const std::string base = endsWithCodes(name) ? key.substr(0, key.size() - 5) : "";
            if (codesAsText && pairs.count(base)) {
                known.insert(base);
                if (const YAML::Node t = n[base]) {
                    if (!t.IsScalar()) throw ContentError(file, yamlLine(t), "expected a text");
                    if (!EncodeNameCodes(t.Scalar(), member))
                        throw ContentError(file, yamlLine(t),
                                           "'" + t.Scalar() + "' is longer than " +
                                               std::to_string(member.size() - 1) +
                                               " characters or cannot be stored");
                }
            }
        }
    });
    for (auto it = n.begin(); it != n.end(); ++it) {
        const std::string key = it->first.Scalar();
        if (!known.count(key))
            throw ContentError(file, yamlLine(it->first), "unknown field '" + key + "'");
    }
}

}  // namespace dv
