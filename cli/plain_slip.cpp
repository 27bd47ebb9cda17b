#include "cli/plain_slip.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "cli/text_list.h"

namespace quorvel::cli {

namespace {

// Digits a whole number may have here, so that it fits 64 bits without any check.
constexpr int kMaxDigits = 18;

// A plain slip of six legs with every field is well under this; longer lines are left to the
// careful reader.
constexpr std::size_t kLongestPlainLine = 4096;

// After the line, read where it stands or from a copy, comes a byte that no step takes: the
// line break, or a NUL after a copy. After that at least kLinePadding bytes may be read, so a
// step may look at a string's next 16 bytes without asking where the line ends.
static_assert(kLinePadding >= 16);

// A text's head (textHead) as the program is built.
template <std::size_t N>
constexpr std::uint64_t headOf(const char (&text)[N]) {
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < N - 1 && i < 8; ++i) {
        head |= std::uint64_t{static_cast<unsigned char>(text[i])} << (8 * i);
    }
    return head;
}

// A string's bytes and its head.
struct Text {
    std::string_view bytes;
    std::uint64_t head = 0;

    // Whether this is `name`: for names of eight bytes or fewer the head alone tells, as no
    // string read here holds a NUL.
    template <std::size_t N>
    bool is(const char (&name)[N]) const {
        if constexpr (N - 1 <= 8 && kTextHeadTellsShortTexts) {
            return head == headOf(name) && bytes.size() == N - 1;
        } else {
            return bytes == std::string_view(name, N - 1);
        }
    }
};

// Every step below takes the position of the first byte it reads and gives the position after
// what it took and the white space that follows it, or nullptr when the bytes there are not
// what it takes. The byte after the line ends every run of bytes, so no step asks where the
// line ends.

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// White space; most writers put one space after a colon or a comma and none anywhere else. A
// line break is not taken: it ends the line (a line handed over holds none).
const char* space(const char* at) {
    if (static_cast<unsigned char>(*at) > ' ') {
        return at;
    }
    while (*at == ' ' || *at == '\t' || *at == '\r') {
        ++at;
    }
    return at;
}

const char* expect(const char* at, char c) {
    return at != nullptr && *at == c ? space(at + 1) : nullptr;
}

// In the 16 bytes from `at`: where the first quote, backslash, control character or byte past
// ASCII is (16 if none is), and whether it is a quote.
struct Special {
    int at;
    bool quote;
};
Special firstSpecial(const char* at) {
#if defined(__SSE2__)
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i quotes = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('"'));
    // Compared as signed bytes, those past ASCII are below 0x20 too.
    const __m128i special =
        _mm_or_si128(_mm_or_si128(quotes, _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\\'))),
                     _mm_cmplt_epi8(bytes, _mm_set1_epi8(0x20)));
    const auto specialBits = static_cast<unsigned>(_mm_movemask_epi8(special)) | 0x10000u;
    const auto quoteBits = static_cast<unsigned>(_mm_movemask_epi8(quotes));
    const int first = std::countr_zero(specialBits);
    return {first, ((quoteBits >> first) & 1) != 0};
#else
    for (int i = 0; i < 16; ++i) {
        const auto c = static_cast<unsigned char>(at[i]);
        if (c == '"' || c == '\\' || c < 0x20 || c >= 0x80) {
            return {i, c == '"'};
        }
    }
    return {16, false};
#endif
}

// A string without escapes or control characters, in well-formed UTF-8. Inline wherever it is
// used, so that the position and the text stay in registers: a line is mostly strings.
[[gnu::always_inline]] inline const char* string(const char* at, Text& text) {
    if (at == nullptr || *at != '"') {
        return nullptr;
    }
    const char* const start = ++at;
    bool ascii = true;
    for (;;) {
        const Special special = firstSpecial(at);
        at += special.at;
        if (special.quote) {
            break;
        }
        if (special.at == 16) {
            continue;
        }
        if (static_cast<unsigned char>(*at) < 0x80) {  // a backslash, a control character, the end
            return nullptr;
        }
        ascii = false;
        ++at;
    }
    text.bytes = std::string_view(start, static_cast<std::size_t>(at - start));
    if constexpr (kTextHeadTellsShortTexts) {
        std::uint64_t word;
        std::memcpy(&word, start, 8);  // within the padding at worst
        const std::size_t size = text.bytes.size();
        text.head = size >= 8 ? word : word & ~(~std::uint64_t{0} << (8 * size));
    } else {
        text.head = textHead(text.bytes);
    }
    if (!ascii && !isUtf8(text.bytes)) {
        return nullptr;
    }
    return space(at + 1);
}

// A whole number of at most 18 digits, with no fraction or exponent; `written` as it stands.
const char* integer(const char* at, std::int64_t& value, std::string_view& written) {
    const char* const start = at;
    const bool negative = *at == '-';
    at += negative ? 1 : 0;
    const char* const digits = at;
    std::int64_t magnitude = 0;
    while (isDigit(*at) && at - digits < kMaxDigits) {
        magnitude = magnitude * 10 + (*at - '0');
        ++at;
    }
    // More digits, or a fraction or an exponent, are left for the next step to refuse.
    if (at == digits || (*digits == '0' && at - digits > 1)) {
        return nullptr;
    }
    value = negative ? -magnitude : magnitude;
    written = std::string_view(start, static_cast<std::size_t>(at - start));
    return space(at);
}

bool integerNext(const char* at) {
    return *at == '-' || isDigit(*at);
}

const char* boolean(const char* at, bool& value) {
    if (std::memcmp(at, "true", 4) == 0) {
        value = true;
        return space(at + 4);
    }
    if (std::memcmp(at, "false", 5) == 0) {
        value = false;
        return space(at + 5);
    }
    return nullptr;
}

// A string on one of the lists, as its position there.
template <typename Target>
const char* listed(const char* at, const TextList& list, Target& target) {
    Text text;
    at = string(at, text);
    if (at == nullptr) {
        return nullptr;
    }
    const int i = list.find(text.bytes, text.head);
    if (i < 0) {
        return nullptr;
    }
    target = static_cast<Target>(i);
    return at;
}

// Whether a field is new to its object, marking it seen.
bool firstSighting(unsigned& seen, unsigned bit) {
    if ((seen & bit) != 0) {
        return false;
    }
    seen |= bit;
    return true;
}

// Rule 4 as pence or as a text of its list.
const char* rule4(const char* at, int& target) {
    if (integerNext(at)) {
        std::int64_t value = 0;
        std::string_view written;
        at = integer(at, value, written);
        return at != nullptr && !readRule4Pence(value, written, target) ? at : nullptr;
    }
    int position = 0;
    at = listed(at, rule4List(), position);
    if (at != nullptr) {
        target = Rule4Ladder[static_cast<std::size_t>(position)];
    }
    return at;
}

// The stake as pence or as the text of the stake box.
const char* stake(const char* at, int& target) {
    std::string_view written;
    if (integerNext(at)) {
        std::int64_t value = 0;
        at = integer(at, value, written);
        return at != nullptr && !readStakePence(value, written, target) ? at : nullptr;
    }
    Text text;
    at = string(at, text);
    return at != nullptr && !readStakeText(text.bytes, target) ? at : nullptr;
}

// `{ "key": value, ... }`, with field(at, key, seen) reading each value after its colon.
template <typename Field>
const char* object(const char* at, Field&& field) {
    at = expect(at, '{');
    if (at == nullptr) {
        return nullptr;
    }
    if (*at == '}') {
        return space(at + 1);
    }
    unsigned seen = 0;
    for (;;) {
        Text key;
        at = expect(string(at, key), ':');
        if (at == nullptr) {
            return nullptr;
        }
        at = field(at, key, seen);
        if (at == nullptr) {
            return nullptr;
        }
        if (*at != ',') {
            return expect(at, '}');
        }
        at = space(at + 1);
    }
}

const char* leg(const char* at, LegDraft& leg) {
    return object(at, [&leg](const char* value, const Text& key, unsigned& seen) -> const char* {
        if (key.is("result")) {
            return firstSighting(seen, 1) ? listed(value, resultList(), leg.result) : nullptr;
        }
        if (key.is("price")) {
            return firstSighting(seen, 2) ? listed(value, priceList(), leg.priceIndex) : nullptr;
        }
        if (key.is("rule4")) {
            return firstSighting(seen, 4) ? rule4(value, leg.rule4) : nullptr;
        }
        if (key.is("terms")) {
            return firstSighting(seen, 8) ? listed(value, termsList(), leg.terms) : nullptr;
        }
        if (key.is("oddsOn")) {
            return firstSighting(seen, 16) ? boolean(value, leg.oddsOn) : nullptr;
        }
        return nullptr;
    });
}

const char* legs(const char* at, SlipDraft& draft) {
    draft.legsGiven = true;
    draft.legCount = 0;
    at = expect(at, '[');
    if (at == nullptr) {
        return nullptr;
    }
    if (*at == ']') {
        return space(at + 1);
    }
    for (;;) {
        if (draft.legCount == kMaxSelections) {
            return nullptr;
        }
        at = leg(at, draft.legs[static_cast<std::size_t>(draft.legCount++)]);
        if (at == nullptr) {
            return nullptr;
        }
        if (*at != ',') {
            return expect(at, ']');
        }
        at = space(at + 1);
    }
}

const char* preferences(const char* at, Preferences& preferences) {
    return object(
        at, [&preferences](const char* value, const Text& key, unsigned& seen) -> const char* {
            const PreferenceField* const field = findPreference(key.bytes);
            if (field == nullptr ||
                !firstSighting(seen, 1u << (field - kPreferenceFields.data()))) {
                return nullptr;
            }
            std::int64_t number = 0;
            std::string_view written;
            value = integer(value, number, written);
            return value != nullptr && !readPreference(*field, number, written, preferences)
                       ? value
                       : nullptr;
        });
}

const char* slip(const char* at, SlipDraft& draft) {
    return object(at, [&draft](const char* value, const Text& key, unsigned& seen) -> const char* {
        if (key.is("legs")) {
            return firstSighting(seen, 1) ? legs(value, draft) : nullptr;
        }
        if (key.is("bet")) {
            if (!firstSighting(seen, 2)) {
                return nullptr;
            }
            if (integerNext(value)) {
                std::string_view written;
                draft.bet = BetChoice::Position;
                return integer(value, draft.betPosition, written);
            }
            Text text;
            value = string(value, text);
            if (value != nullptr) {
                draft.bet = BetChoice::Text;
                draft.betText = text.bytes;
            }
            return value;
        }
        if (key.is("stake")) {
            return firstSighting(seen, 4) ? stake(value, draft.unitStake) : nullptr;
        }
        if (key.is("eachWay")) {
            return firstSighting(seen, 8) ? listed(value, eachWayList(), draft.eachWay) : nullptr;
        }
        if (key.is("taxPaid")) {
            return firstSighting(seen, 16) ? boolean(value, draft.taxPaid) : nullptr;
        }
        if (key.is("preferences")) {
            return firstSighting(seen, 32) ? preferences(value, draft.preferences) : nullptr;
        }
        return nullptr;
    });
}

// Whether `byte` continues a UTF-8 sequence within [low, high].
bool continues(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF) {
    return byte >= low && byte <= high;
}

}  // namespace

bool readPlainSlip(std::string_view line, SlipDraft& draft, bool padded) {
    if (padded) {
        return slip(space(line.data()), draft) == line.data() + line.size();
    }
    if (line.size() > kLongestPlainLine) {
        return false;
    }
    std::array<char, kLongestPlainLine + 1 + kLinePadding> copy;
    char* const bytes = copy.data();
    std::memcpy(bytes, line.data(), line.size());
    std::memset(bytes + line.size(), 0, 1 + kLinePadding);
    const char* const at = slip(space(bytes), draft);
    // The bet's text was read from the copy: point it at the line.
    if (draft.bet == BetChoice::Text) {
        draft.betText = line.substr(static_cast<std::size_t>(draft.betText.data() - bytes),
                                    draft.betText.size());
    }
    return at == bytes + line.size();
}

bool isUtf8(std::string_view bytes) {
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = at + bytes.size();
    while (at != end) {
        const unsigned char lead = *at;
        const auto left = end - at;
        if (lead < 0x80) {
            ++at;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            if (left < 2 || !continues(at[1])) {
                return false;
            }
            at += 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            // No overlong forms after E0, no surrogates after ED.
            const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
            const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
            if (left < 3 || !continues(at[1], low, high) || !continues(at[2])) {
                return false;
            }
            at += 3;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            // No overlong forms after F0, nothing past U+10FFFF after F4.
            const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
            const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
            if (left < 4 || !continues(at[1], low, high) || !continues(at[2]) ||
                !continues(at[3])) {
                return false;
            }
            at += 4;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace quorvel::cli
