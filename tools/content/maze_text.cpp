#include "maze_text.h"

#include <sstream>
#include <vector>

#include "content_error.h"

namespace dv {

namespace {

constexpr int kGrid = 2 * FloorGrid::kSize + 1;  // 41 characters and lines

// The state of one side of one cell: bit 1 wall, bit 2 door.
// 0 open, 1 wall, 2 hidden door (door bit only), 3 visible door.
int sideState(const FloorGrid& f, int x, int y, int bit) {
    return ((f.walls[x][y] & bit) ? 1 : 0) | ((f.doors[x][y] & bit) ? 2 : 0);
}

void setSide(FloorGrid& f, int x, int y, int bit, int state) {
    auto w = static_cast<uint16_t>(f.walls[x][y]);
    auto d = static_cast<uint16_t>(f.doors[x][y]);
    w = static_cast<uint16_t>((state & 1) ? (w | bit) : (w & ~bit));
    d = static_cast<uint16_t>((state & 2) ? (d | bit) : (d & ~bit));
    f.walls[x][y] = static_cast<int16_t>(w);
    f.doors[x][y] = static_cast<int16_t>(d);
}

// An edge between two cells carries both cells' sides: a = the west (or north) cell's
// side, b = the east (or south) cell's side.
char pairChar(int a, int b, bool vertical) {
    if (a == b) {
        switch (a) {
            case 0:
                return ' ';
            case 1:
                return vertical ? '|' : '-';
            case 2:
                return 'H';
            default:
                return 'D';
        }
    }
    if (a == 0 && b == 1) return vertical ? '>' : 'v';  // passable eastward / southward only
    if (a == 1 && b == 0) return vertical ? '<' : '^';  // passable westward / northward only
    return static_cast<char>('a' + a * 4 + b);
}

bool parsePair(char c, bool vertical, int& a, int& b) {
    switch (c) {
        case ' ':
            a = b = 0;
            return true;
        case 'H':
            a = b = 2;
            return true;
        case 'D':
            a = b = 3;
            return true;
        case '|':
            if (!vertical) return false;
            a = b = 1;
            return true;
        case '-':
            if (vertical) return false;
            a = b = 1;
            return true;
        case '>':
        case '<':
            if (!vertical) return false;
            a = c == '>' ? 0 : 1;
            b = 1 - a;
            return true;
        case 'v':
        case '^':
            if (vertical) return false;
            a = c == 'v' ? 0 : 1;
            b = 1 - a;
            return true;
        default:
            if (c >= 'a' && c <= 'p') {
                a = (c - 'a') / 4;
                b = (c - 'a') % 4;
                return true;
            }
            return false;
    }
}

// A border edge belongs to one cell only (the floor wraps, so the cell beyond it is
// on the far side of the picture and carries its own side).
char borderChar(int s, bool vertical) {
    switch (s) {
        case 0:
            return ' ';
        case 1:
            return vertical ? '|' : '-';
        case 2:
            return 'H';
        default:
            return 'D';
    }
}

bool parseBorder(char c, int& s) {
    switch (c) {
        case ' ':
            s = 0;
            return true;
        case '|':
        case '-':
            s = 1;
            return true;
        case 'H':
            s = 2;
            return true;
        case 'D':
            s = 3;
            return true;
        default:
            return false;
    }
}

char cellChar(const FloorGrid& f, int x, int y) {
    switch (f.attributes[x][y]) {
        case 0:
            return f.isRock(x, y) ? '#' : '.';
        case 1:
            return '%';
        case 2:
            return '!';
        case 3:
            return '&';
        default:
            return '?';  // shown by a raw line
    }
}

// True when the picture alone gives back the cell exactly.
bool drawable(const FloorGrid& f, int x, int y) {
    return (f.walls[x][y] & ~15) == 0 && (f.doors[x][y] & ~15) == 0 && f.attributes[x][y] >= 0 &&
           f.attributes[x][y] <= 3;
}

}  // namespace

FloorGrid FloorGrid::solidRock() {
    FloorGrid f;
    for (auto& column : f.walls)
        column.fill(15);
    return f;
}

bool FloorGrid::isSolidRock() const {
    return *this == solidRock();
}

std::string writeFloorText(const FloorGrid& f, std::string_view title) {
    constexpr int n = FloorGrid::kSize;
    std::vector<std::string> grid(kGrid, std::string(kGrid, ' '));
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x)
            grid[2 * y + 1][2 * x + 1] = cellChar(f, x, y);
        grid[2 * y + 1][0] = borderChar(sideState(f, 0, y, kWest), true);
        grid[2 * y + 1][kGrid - 1] = borderChar(sideState(f, n - 1, y, kEast), true);
        for (int x = 1; x < n; ++x)
            grid[2 * y + 1][2 * x] =
                pairChar(sideState(f, x - 1, y, kEast), sideState(f, x, y, kWest), true);
    }
    for (int x = 0; x < n; ++x) {
        grid[0][2 * x + 1] = borderChar(sideState(f, x, 0, kNorth), false);
        grid[kGrid - 1][2 * x + 1] = borderChar(sideState(f, x, n - 1, kSouth), false);
        for (int y = 1; y < n; ++y)
            grid[2 * y][2 * x + 1] =
                pairChar(sideState(f, x, y - 1, kSouth), sideState(f, x, y, kNorth), false);
    }
    // Corners are decoration: a '+' wherever an edge meets them.
    for (int l = 0; l < kGrid; l += 2) {
        for (int c = 0; c < kGrid; c += 2) {
            bool edge =
                (l > 0 && grid[l - 1][c] != ' ') || (l + 1 < kGrid && grid[l + 1][c] != ' ') ||
                (c > 0 && grid[l][c - 1] != ' ') || (c + 1 < kGrid && grid[l][c + 1] != ' ');
            grid[l][c] = edge ? '+' : ' ';
        }
    }

    std::ostringstream out;
    out << "; " << title << "\n";
    out << "; x ";
    for (int x = 0; x < n; ++x)
        out << x % 10 << ' ';
    out << "\n";
    for (int l = 0; l < kGrid; ++l) {
        out << grid[l];
        if (l % 2 == 1) out << "  " << l / 2;
        out << "\n";
    }
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            if (!drawable(f, x, y))
                out << "raw " << x << ' ' << y << ' ' << f.walls[x][y] << ' ' << f.doors[x][y]
                    << ' ' << f.attributes[x][y] << "\n";
    return out.str();
}

FloorGrid parseFloorText(std::string_view text, const std::string& fileName) {
    constexpr int n = FloorGrid::kSize;
    std::vector<std::pair<int, std::string>> gridLines;
    std::vector<std::pair<int, std::string>> rest;
    int lineNo = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(pos, end - pos));
        pos = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == ';') continue;
        if (static_cast<int>(gridLines.size()) < kGrid)
            gridLines.emplace_back(lineNo, line);
        else if (line.find_first_not_of(" \t") != std::string::npos)
            rest.emplace_back(lineNo, line);
    }
    if (static_cast<int>(gridLines.size()) < kGrid)
        throw ContentError(
            fileName, lineNo,
            "the floor picture needs 41 lines, found " + std::to_string(gridLines.size()));
    for (auto& [no, line] : gridLines)
        line.resize(kGrid, ' ');  // the rest is a free note

    FloorGrid f;
    auto bad = [&](int l, int c, const char* what) {
        throw ContentError(fileName, gridLines[l].first,
                           std::string(what) + " '" + gridLines[l].second[c] + "' at column " +
                               std::to_string(c + 1));
    };
    for (int y = 0; y < n; ++y) {
        const int l = 2 * y + 1;
        const std::string& row = gridLines[l].second;
        for (int x = 0; x < n; ++x) {
            switch (row[2 * x + 1]) {
                case '.':
                case '#':
                    f.attributes[x][y] = 0;
                    break;
                case '%':
                    f.attributes[x][y] = 1;
                    break;
                case '!':
                    f.attributes[x][y] = 2;
                    break;
                case '&':
                    f.attributes[x][y] = 3;
                    break;
                case '?':
                    break;  // given by a raw line
                default:
                    bad(l, 2 * x + 1, "unknown cell mark");
            }
        }
        int s = 0;
        if (!parseBorder(row[0], s)) bad(l, 0, "unknown border mark");
        setSide(f, 0, y, kWest, s);
        if (!parseBorder(row[kGrid - 1], s)) bad(l, kGrid - 1, "unknown border mark");
        setSide(f, n - 1, y, kEast, s);
        for (int x = 1; x < n; ++x) {
            int a = 0, b = 0;
            if (!parsePair(row[2 * x], true, a, b)) bad(l, 2 * x, "unknown wall mark");
            setSide(f, x - 1, y, kEast, a);
            setSide(f, x, y, kWest, b);
        }
    }
    for (int x = 0; x < n; ++x) {
        int s = 0;
        if (!parseBorder(gridLines[0].second[2 * x + 1], s))
            bad(0, 2 * x + 1, "unknown border mark");
        setSide(f, x, 0, kNorth, s);
        if (!parseBorder(gridLines[kGrid - 1].second[2 * x + 1], s))
            bad(kGrid - 1, 2 * x + 1, "unknown border mark");
        setSide(f, x, n - 1, kSouth, s);
        for (int y = 1; y < n; ++y) {
            int a = 0, b = 0;
            if (!parsePair(gridLines[2 * y].second[2 * x + 1], false, a, b))
                bad(2 * y, 2 * x + 1, "unknown wall mark");
            setSide(f, x, y - 1, kSouth, a);
            setSide(f, x, y, kNorth, b);
        }
    }
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            if (gridLines[2 * y + 1].second[2 * x + 1] == '#' && !f.isRock(x, y))
                throw ContentError(fileName, gridLines[2 * y + 1].first,
                                   "cell (" + std::to_string(x) + ", " + std::to_string(y) +
                                       ") is marked '#' but is not walled on all four sides");

    for (const auto& [no, line] : rest) {
        std::istringstream in(line);
        std::string word;
        long x = -1, y = -1, w = 0, d = 0, a = 0;
        if (!(in >> word) || word != "raw" || !(in >> x >> y >> w >> d >> a))
            throw ContentError(fileName, no, "expected 'raw X Y WALLS DOORS ATTRIBUTES'");
        if (x < 0 || x >= n || y < 0 || y >= n)
            throw ContentError(fileName, no, "cell outside 0..19");
        for (long v : {w, d, a})
            if (v < -32768 || v > 32767) throw ContentError(fileName, no, "value outside 16 bits");
        f.walls[x][y] = static_cast<int16_t>(w);
        f.doors[x][y] = static_cast<int16_t>(d);
        f.attributes[x][y] = static_cast<int16_t>(a);
    }
    return f;
}

}  // namespace dv
