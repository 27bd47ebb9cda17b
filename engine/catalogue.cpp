#include "engine/catalogue.h"

#include <bit>

#include "engine/bet_slip.h"

namespace quorvel {

namespace {

// How a "Bet" list entry is made up: every line of each multiple size in
// `sizes` (bit k set: every k-leg line, k = 1 for the singles), then, when
// `stakesAbout` is set, every stakes-about half.
struct Shape {
    const char* text;
    int selections;
    unsigned sizes;
    bool stakesAbout;
};

constexpr unsigned legs(int from, int to) {
    unsigned sizes = 0;
    for (int k = from; k <= to; ++k) {
        sizes |= 1u << k;
    }
    return sizes;
}

constexpr unsigned kSingles = legs(1, 1), kDoubles = legs(2, 2), kTrebles = legs(3, 3);

// Every entry in list order, grouped by number of selections.
constexpr Shape kShapes[] = {
    {"Single", 1, kSingles, false},

    {"Singles", 2, kSingles, false},
    {"Double", 2, kDoubles, false},
    {"Doubles + Singles", 2, legs(1, 2), false},

    {"Singles", 3, kSingles, false},
    {"Doubles", 3, kDoubles, false},
    {"Doubles + Singles", 3, legs(1, 2), false},
    {"Doubles + Treble (Trixie)", 3, legs(2, 3), false},
    {"Treble", 3, kTrebles, false},
    {"Patent", 3, legs(1, 3), false},
    {"Round-Robin", 3, legs(2, 3), true},

    {"Singles", 4, kSingles, false},
    {"Doubles", 4, kDoubles, false},
    {"Doubles + Singles", 4, legs(1, 2), false},
    {"Doubles + Treble", 4, legs(2, 3), false},
    {"Trebles", 4, kTrebles, false},
    {"Singles, Doubles, Trebles", 4, legs(1, 3), false},
    {"Accumulator", 4, legs(4, 4), false},
    {"Lucky 15", 4, legs(1, 4), false},
    {"Yankee", 4, legs(2, 4), false},
    {"Flag", 4, legs(2, 4), true},

    {"Singles", 5, kSingles, false},
    {"Doubles", 5, kDoubles, false},
    {"Trebles", 5, kTrebles, false},
    {"4-timers", 5, legs(4, 4), false},
    {"Accumulator", 5, legs(5, 5), false},
    {"Lucky 31", 5, legs(1, 5), false},
    {"Canadian / Super Yankee", 5, legs(2, 5), false},

    {"Singles", 6, kSingles, false},
    {"Doubles", 6, kDoubles, false},
    {"Trebles", 6, kTrebles, false},
    {"4-timers", 6, legs(4, 4), false},
    {"5-timers", 6, legs(5, 5), false},
    {"Accumulator", 6, legs(6, 6), false},
    {"Lucky 63", 6, legs(1, 6), false},
    {"Heinz", 6, legs(2, 6), false},
    {"Doubles + Trebles", 6, legs(2, 3), false},
};

constexpr int kShapeCount = static_cast<int>(std::size(kShapes));

// The entry selected when the list is filled, by number of selections 1..6.
constexpr int kDefaultIndex[kMaxSelections] = {0, 1, 5, 7, 6, 7};

constexpr int choose(int n, int k) {
    int c = 1;
    for (int i = 1; i <= k; ++i) {
        c = c * (n - k + i) / i;
    }
    return c;
}

constexpr int lineCount(const Shape& shape) {
    int count = 0;
    for (int k = 1; k <= shape.selections; ++k) {
        if ((shape.sizes >> k) & 1u) {
            count += choose(shape.selections, k);
        }
    }
    if (shape.stakesAbout) {
        count += shape.selections * (shape.selections - 1);
    }
    return count;
}

constexpr bool noBetHasMoreThan(std::size_t lines) {
    for (const Shape& shape : kShapes) {
        if (static_cast<std::size_t>(lineCount(shape)) > lines) {
            return false;
        }
    }
    return true;
}

static_assert(noBetHasMoreThan(kMaxLinesPerBet));

constexpr int totalLineCount() {
    int total = 0;
    for (const Shape& shape : kShapes) {
        total += lineCount(shape);
    }
    return total;
}

constexpr BetLine makeLine(LineKind kind, int legCount, const int* legNumbers) {
    BetLine line{kind, static_cast<std::uint8_t>(legCount), {}, 0};
    for (int i = 0; i < legCount; ++i) {
        line.legs[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(legNumbers[i]);
        line.legSet = static_cast<std::uint8_t>(line.legSet | 1u << (legNumbers[i] - 1));
    }
    return line;
}

// The leg sets that `lines` are worked out from (see BetType::workedSets).
constexpr std::uint64_t workedSets(std::span<const BetLine> lines) {
    std::uint64_t sets = 0;
    for (const BetLine& line : lines) {
        if (line.kind == LineKind::StakesAbout) {
            sets |= std::uint64_t{1} << (1u << (line.legs[0] - 1u));
            sets |= std::uint64_t{1} << (1u << (line.legs[1] - 1u));
            continue;
        }
        for (unsigned set = line.legSet; set != 0; set &= ~std::bit_floor(set)) {
            sets |= std::uint64_t{1} << set;
        }
    }
    return sets;
}

// Appends the lines of one entry in canonical order: each size's leg sets in
// lexicographic order, then the halves i→j for i < j, then j→i.
template <std::size_t N>
constexpr void appendLines(const Shape& shape, std::array<BetLine, N>& lines, std::size_t& next) {
    const int n = shape.selections;
    for (int k = 1; k <= n; ++k) {
        if (((shape.sizes >> k) & 1u) == 0) {
            continue;
        }
        int set[kMaxSelections] = {};
        for (int i = 0; i < k; ++i) {
            set[i] = i + 1;
        }
        const LineKind kind = k == 1 ? LineKind::Single : LineKind::Multiple;
        while (true) {
            lines[next++] = makeLine(kind, k, set);
            int i = k - 1;
            while (i >= 0 && set[i] == n - k + i + 1) {
                --i;
            }
            if (i < 0) {
                break;
            }
            ++set[i];
            for (int j = i + 1; j < k; ++j) {
                set[j] = set[j - 1] + 1;
            }
        }
    }
    if (shape.stakesAbout) {
        for (int reversed = 0; reversed < 2; ++reversed) {
            for (int i = 1; i <= n; ++i) {
                for (int j = i + 1; j <= n; ++j) {
                    const int pair[2] = {reversed ? j : i, reversed ? i : j};
                    lines[next++] = makeLine(LineKind::StakesAbout, 2, pair);
                }
            }
        }
    }
}

constexpr auto buildLines() {
    std::array<BetLine, totalLineCount()> lines{};
    std::size_t next = 0;
    for (const Shape& shape : kShapes) {
        appendLines(shape, lines, next);
    }
    return lines;
}

constexpr auto kLines = buildLines();

constexpr auto buildBetTypes() {
    std::array<BetType, kShapeCount> types{};
    std::size_t offset = 0;
    for (int i = 0; i < kShapeCount; ++i) {
        const auto count = static_cast<std::size_t>(lineCount(kShapes[i]));
        const std::span<const BetLine> lines(kLines.data() + offset, count);
        types[static_cast<std::size_t>(i)] =
            BetType{kShapes[i].text, lines, workedSets(lines), kShapes[i].stakesAbout};
        offset += count;
    }
    return types;
}

constexpr auto kBetTypes = buildBetTypes();

// Position in kShapes of the first entry for each number of selections 1..6,
// and one past the last entry.
constexpr auto buildFirstEntries() {
    std::array<int, kMaxSelections + 1> first{};
    for (int n = 1; n <= kMaxSelections + 1; ++n) {
        int i = 0;
        while (i < kShapeCount && kShapes[i].selections < n) {
            ++i;
        }
        first[static_cast<std::size_t>(n - 1)] = i;
    }
    return first;
}

constexpr auto kFirstEntries = buildFirstEntries();

static_assert(kLines.size() == 445, "the catalogue holds 445 lines in all");
static_assert(kFirstEntries[kMaxSelections] == kShapeCount);

}  // namespace

std::span<const BetType> betTypes(int selectionCount) {
    if (selectionCount < 1 || selectionCount > kMaxSelections) {
        return {};
    }
    const auto first = static_cast<std::size_t>(kFirstEntries[selectionCount - 1]);
    const auto last = static_cast<std::size_t>(kFirstEntries[selectionCount]);
    return std::span<const BetType>(kBetTypes).subspan(first, last - first);
}

int defaultBetIndex(int selectionCount) {
    if (selectionCount < 1 || selectionCount > kMaxSelections) {
        return -1;
    }
    return kDefaultIndex[selectionCount - 1];
}

const BetType* findBetType(int selectionCount, int betIndex) {
    const std::span<const BetType> types = betTypes(selectionCount);
    if (selectionCount == 1) {
        return &types[0];
    }
    if (betIndex < 0 || static_cast<std::size_t>(betIndex) >= types.size()) {
        return nullptr;
    }
    return &types[static_cast<std::size_t>(betIndex)];
}

int luckySelections(int selectionCount, int betIndex) {
    const bool lucky = (selectionCount == 4 && betIndex == 7) ||
                       (selectionCount == 5 && betIndex == 5) ||
                       (selectionCount == 6 && betIndex == 6);
    return lucky ? selectionCount : 0;
}

}  // namespace quorvel
