#include "cli/plain_slip.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace quorvel::cli {

namespace {

// Digits a whole number may have here, so that it fits 64 bits without any check.
constexpr int kMaxDigits = 18;

// A field's name, with its first eight bytes as one number.
struct Name {
    std::uint64_t head;
    std::size_t size;
    const char* text;
};

template <std::size_t N>
consteval Name name(const char (&text)[N]) {
    Name made{0, N - 1, text};
    for (std::size_t i = 0; i < N - 1 && i < 8; ++i) {
        made.head |= std::uint64_t{static_cast<unsigned char>(text[i])} << (8 * i);
    }
    return made;
}

// Reads one line front to back; every step answers false at the first byte it does not take.
class PlainReader {
  public:
    PlainReader(std::string_view line, SlipDraft& draft)
        : at_(line.data()), end_(line.data() + line.size()), draft_(draft) {
        skipSpace();
    }

    bool slip() {
        return object([this](std::string_view key) { return slipField(key); }) && at_ == end_;
    }

  private:
    // Every step that takes something passes over the white space after it, so the next one
    // starts at its own first byte.
    void skipSpace() {
        if (at_ != end_ && static_cast<unsigned char>(*at_) <= ' ') {
            skipMoreSpace();
        }
    }
    void skipMoreSpace() {
        while (at_ != end_ && static_cast<unsigned char>(*at_) <= ' ' &&
               (*at_ == ' ' || *at_ == '\t' || *at_ == '\r' || *at_ == '\n')) {
            ++at_;
        }
    }
    bool take(char c) {
        if (at_ != end_ && *at_ == c) {
            ++at_;
            skipSpace();
            return true;
        }
        return false;
    }

    // `{ "key": value, ... }`, with onField reading each value after its colon.
    template <typename OnField>
    bool object(OnField&& onField) {
        if (!take('{')) {
            return false;
        }
        if (take('}')) {
            return true;
        }
        do {
            std::string_view key;
            if (!string(key) || !take(':') || !onField(key)) {
                return false;
            }
        } while (take(','));
        return take('}');
    }

    // A string without escapes or control characters, in well-formed UTF-8. Eight bytes are
    // looked at a time for the closing quote or a byte that needs a closer look.
    bool string(std::string_view& text) {
        if (at_ == end_ || *at_ != '"') {
            return false;
        }
        ++at_;  // white space after the quote is the string's own
        // Worked on in locals: the caller's view may, for all the compiler knows, be this.
        const char* const start = at_;
        const char* at = at_;
        const char* const end = end_;
        bool ascii = true;
        for (;;) {
            while (end - at >= 8) {
                std::uint64_t word;
                std::memcpy(&word, at, 8);
                const std::uint64_t special = specialBytes(word);
                if (special != 0) {
                    at += std::countr_zero(special) / 8;
                    break;
                }
                at += 8;
            }
            if (at == end) {
                return false;
            }
            const auto c = static_cast<unsigned char>(*at);
            if (c == '"') {
                at_ = at + 1;
                skipSpace();
                text = std::string_view(start, static_cast<std::size_t>(at - start));
                return ascii || isUtf8(text);
            }
            if (c == '\\' || c < 0x20) {
                return false;
            }
            ascii = ascii && c < 0x80;
            ++at;
        }
    }

    // The high bit of each byte of `word` that is a quote, a backslash, a control character or
    // not ASCII; any bits above the first such byte may be wrong.
    static std::uint64_t specialBytes(std::uint64_t word) {
        constexpr std::uint64_t kOnes = 0x0101010101010101;
        constexpr std::uint64_t kHigh = 0x8080808080808080;
        const auto zeroBytes = [](std::uint64_t w) { return (w - kOnes) & ~w & kHigh; };
        return zeroBytes(word ^ (kOnes * '"')) | zeroBytes(word ^ (kOnes * '\\')) |
               ((word - kOnes * 0x20) & ~word & kHigh) | (word & kHigh);
    }

    // A whole number of at most 18 digits, with no fraction or exponent.
    bool integer(std::int64_t& value, std::string_view& written) {
        const char* const start = at_;
        const bool negative = at_ != end_ && *at_ == '-';
        if (negative) {
            ++at_;
        }
        const char* const digits = at_;
        std::int64_t magnitude = 0;
        while (at_ != end_ && isDigit(*at_) && at_ - digits < kMaxDigits) {
            magnitude = magnitude * 10 + (*at_ - '0');
            ++at_;
        }
        // More digits, or a fraction or an exponent, are left for the next step to refuse.
        if (at_ == digits || (*digits == '0' && at_ - digits > 1)) {
            return false;
        }
        value = negative ? -magnitude : magnitude;
        written = std::string_view(start, static_cast<std::size_t>(at_ - start));
        skipSpace();
        return true;
    }
    bool integerNext() const { return at_ != end_ && (*at_ == '-' || isDigit(*at_)); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    bool literal(std::string_view word) {
        if (static_cast<std::size_t>(end_ - at_) < word.size() ||
            std::string_view(at_, word.size()) != word) {
            return false;
        }
        at_ += word.size();
        skipSpace();
        return true;
    }
    bool boolean(bool& value) {
        if (literal("true")) {
            value = true;
            return true;
        }
        if (literal("false")) {
            value = false;
            return true;
        }
        return false;
    }

    static bool is(std::string_view key, std::uint64_t head, const Name& name) {
        return key.size() == name.size && head == name.head &&
               ((kTextHeadTellsShortTexts && name.size <= 8) ||
                key == std::string_view(name.text, name.size));
    }

    // Whether a field is new to its object, marking it seen.
    static bool firstSighting(unsigned& seen, unsigned bit) {
        if ((seen & bit) != 0) {
            return false;
        }
        seen |= bit;
        return true;
    }

    // A string read by `readText`, or a whole number by `readInteger`.
    bool textOrInteger(SlipCheck (*readText)(std::string_view, int&),
                       SlipCheck (*readInteger)(std::int64_t, std::string_view, int&),
                       int& target) {
        std::string_view text;
        if (integerNext()) {
            std::int64_t value = 0;
            return integer(value, text) && !readInteger(value, text, target);
        }
        return string(text) && !readText(text, target);
    }
    template <typename Target>
    bool text(SlipCheck (*read)(std::string_view, Target&), Target& target) {
        std::string_view text;
        return string(text) && !read(text, target);
    }

    bool slipField(std::string_view key) {
        const std::uint64_t head = textHead(key);
        if (is(key, head, name("legs"))) {
            return firstSighting(slipSeen_, 1) && legs();
        }
        if (is(key, head, name("bet"))) {
            if (!firstSighting(slipSeen_, 2)) {
                return false;
            }
            if (integerNext()) {
                std::string_view written;
                draft_.bet = BetChoice::Position;
                return integer(draft_.betPosition, written);
            }
            draft_.bet = BetChoice::Text;
            return string(draft_.betText);
        }
        if (is(key, head, name("stake"))) {
            return firstSighting(slipSeen_, 4) &&
                   textOrInteger(readStakeText, readStakePence, draft_.unitStake);
        }
        if (is(key, head, name("eachWay"))) {
            return firstSighting(slipSeen_, 8) && text(readEachWay, draft_.eachWay);
        }
        if (is(key, head, name("taxPaid"))) {
            return firstSighting(slipSeen_, 16) && boolean(draft_.taxPaid);
        }
        if (is(key, head, name("preferences"))) {
            return firstSighting(slipSeen_, 32) && preferences();
        }
        return false;
    }

    bool legs() {
        draft_.legsGiven = true;
        draft_.legCount = 0;
        if (!take('[')) {
            return false;
        }
        if (take(']')) {
            return true;
        }
        do {
            if (draft_.legCount == kMaxSelections) {
                return false;
            }
            LegDraft& leg = draft_.legs[static_cast<std::size_t>(draft_.legCount++)];
            unsigned seen = 0;
            if (!object([&](std::string_view key) { return legField(key, leg, seen); })) {
                return false;
            }
        } while (take(','));
        return take(']');
    }

    bool legField(std::string_view key, LegDraft& leg, unsigned& seen) {
        const std::uint64_t head = textHead(key);
        if (is(key, head, name("result"))) {
            return firstSighting(seen, 1) && text(readResult, leg.result);
        }
        if (is(key, head, name("price"))) {
            return firstSighting(seen, 2) && text(readPrice, leg.priceIndex);
        }
        if (is(key, head, name("oddsOn"))) {
            return firstSighting(seen, 4) && boolean(leg.oddsOn);
        }
        if (is(key, head, name("rule4"))) {
            return firstSighting(seen, 8) &&
                   textOrInteger(readRule4Text, readRule4Pence, leg.rule4);
        }
        if (is(key, head, name("terms"))) {
            return firstSighting(seen, 16) && text(readTerms, leg.terms);
        }
        return false;
    }

    bool preferences() {
        unsigned seen = 0;
        return object([&](std::string_view key) {
            const PreferenceField* const field = findPreference(key);
            std::int64_t value = 0;
            std::string_view written;
            return field != nullptr &&
                   firstSighting(seen, 1u << (field - kPreferenceFields.data())) &&
                   integer(value, written) &&
                   !readPreference(*field, value, written, draft_.preferences);
        });
    }

    const char* at_;
    const char* const end_;
    SlipDraft& draft_;
    unsigned slipSeen_ = 0;
};

// Whether `byte` continues a UTF-8 sequence within [low, high].
bool continues(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF) {
    return byte >= low && byte <= high;
}

}  // namespace

bool readPlainSlip(std::string_view line, SlipDraft& draft) {
    return PlainReader(line, draft).slip();
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
