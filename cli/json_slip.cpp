#include "cli/json_slip.h"

#include <charconv>
#include <cstdint>
#include <limits>

#include <nlohmann/json.hpp>

#include "cli/plain_slip.h"
#include "cli/text_encoding.h"

namespace quorvel::cli {

namespace {

using json = nlohmann::json;

// Longest description of broken JSON kept in a message, in characters.
constexpr std::size_t kJsonProblemCharacters = 120;

// What a value turned out to be; arrays and objects only tell their type.
enum class Type { String, Number, Boolean, Null, Array, Object };

struct Scalar {
    explicit Scalar(Type t) : type(t) {}

    Type type;
    std::string_view text;  // a string's text, or a number as written
    std::int64_t integer = 0;
    bool isInteger = false;  // a number without fraction or exponent (saturated when huge)
    bool boolean = false;
};

// The error nlohmann-json gives a number too large for a double, which is still valid JSON.
constexpr int kNumberOverflow = 406;

// Where in the slip the next value belongs.
enum class Place { Root, Slip, Legs, Leg, Preferences, Done };

// The fields a slip and its legs may hold, each with its bit for "given more than once".
enum class Field : unsigned {
    // slip
    Legs = 1,
    Preferences = 2,
    Bet = 4,
    Stake = 8,
    EachWay = 16,
    TaxPaid = 32,
    // leg
    Result = 1 << 8,
    Price = 1 << 9,
    OddsOn = 1 << 10,
    Rule4 = 1 << 11,
    Terms = 1 << 12,
    // one of the preferences, whose bit is its own
    Preference = 1 << 16,
};

constexpr unsigned kLegFieldBits = 0xFF00;

struct FieldName {
    std::string_view name;
    Field field;
};

constexpr FieldName kSlipFields[] = {
    {"legs", Field::Legs},   {"preferences", Field::Preferences}, {"bet", Field::Bet},
    {"stake", Field::Stake}, {"eachWay", Field::EachWay},         {"taxPaid", Field::TaxPaid},
};
constexpr FieldName kLegFields[] = {
    {"result", Field::Result}, {"price", Field::Price}, {"oddsOn", Field::OddsOn},
    {"rule4", Field::Rule4},   {"terms", Field::Terms},
};

template <std::size_t N>
const FieldName* findField(const FieldName (&fields)[N], std::string_view key) {
    for (const FieldName& field : fields) {
        if (field.name == key) {
            return &field;
        }
    }
    return nullptr;
}

// "syntax error while parsing value - invalid literal; last read: 'tru'" out of the parser's
// message, cut short when a long text was being read. The parser's own tag
// ("[json.exception.parse_error.101] parse error at line 1, column 4: ") never shows.
std::string jsonProblem(std::string_view what) {
    const std::size_t column = what.find("column ");
    std::size_t start = column == std::string_view::npos ? column : what.find(": ", column);
    if (start != std::string_view::npos) {
        what.remove_prefix(start + 2);
    } else if (what.starts_with("[json.exception.") &&
               (start = what.find("] ")) != std::string_view::npos) {
        what.remove_prefix(start + 2);
    }
    return cutShort(what, kJsonProblemCharacters);
}

// Whether the end of a valid start of a JSON text lies inside a string.
bool endsInsideString(std::string_view start) {
    bool inside = false;
    for (std::size_t i = 0; i < start.size(); ++i) {
        if (start[i] == '"') {
            inside = !inside;
        } else if (start[i] == '\\' && inside) {
            ++i;
        }
    }
    return inside;
}

// Follows the values of one line as the parser meets them and fills the draft, stopping at the
// first problem. Field names for messages are made only when there is a problem to tell.
class SlipHandler {
  public:
    SlipHandler(SlipDraft& draft, std::string& betText) : draft_(draft), betText_(betText) {}

    const SlipCheck& error() const { return error_; }
    bool finished() const { return place_ == Place::Done; }

    // The parser's events.
    bool null() { return value(Scalar(Type::Null)); }
    bool boolean(bool b) {
        Scalar s(Type::Boolean);
        s.boolean = b;
        return value(s);
    }
    bool number_integer(json::number_integer_t n) { return integer(n, n); }
    bool number_unsigned(json::number_unsigned_t n) {
        constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
        return integer(
            n > static_cast<json::number_unsigned_t>(kMax) ? kMax : static_cast<std::int64_t>(n),
            n);
    }
    bool number_float(json::number_float_t, const std::string& token) {
        // Digits too many for 64 bits still make an integer, saturated.
        Scalar s(Type::Number);
        s.text = token;
        s.isInteger = parseInteger(token, s.integer);
        return value(s);
    }
    bool string(std::string& text) {
        Scalar s(Type::String);
        s.text = text;
        return value(s);
    }
    bool binary(json::binary_t&) { return fail("", "binary values are not JSON"); }
    bool start_object(std::size_t);
    bool end_object();
    bool start_array(std::size_t);
    bool end_array() {
        place_ = Place::Slip;  // the legs are the only array read
        return true;
    }
    bool key(std::string& key);
    bool parse_error(std::size_t byte, const std::string& token,
                     const nlohmann::detail::exception& e) {
        if (e.id == kNumberOverflow) {
            return numberOverflow(token);
        }
        brokenAt_ = byte;
        return fail(
            "", "not valid JSON at byte " + std::to_string(byte) + ": " + jsonProblem(e.what()));
    }
    // Where the parser found the line broken, 0 when it did not.
    std::size_t brokenAt() const { return brokenAt_; }

  private:
    template <typename Integer>
    bool integer(std::int64_t saturated, Integer n) {
        Scalar s(Type::Number);
        s.integer = saturated;
        s.isInteger = true;
        const auto end = std::to_chars(numberText_, numberText_ + sizeof numberText_, n).ptr;
        s.text = std::string_view(numberText_, static_cast<std::size_t>(end - numberText_));
        return value(s);
    }
    // A number beyond a double's range: a whole number far outside every field's range. The
    // parser stops at it, so a field that would take it still cannot.
    bool numberOverflow(std::string_view token) {
        Scalar s(Type::Number);
        s.text = token;
        s.isInteger = true;
        s.integer = token.starts_with('-') ? std::numeric_limits<std::int64_t>::min()
                                           : std::numeric_limits<std::int64_t>::max();
        return value(s) && failHere(std::string(token) + " is out of range");
    }
    bool value(const Scalar& s);
    bool nextLeg();
    bool slipValue(const Scalar& s);
    bool legValue(const Scalar& s);
    bool preferenceValue(const Scalar& s);
    bool firstSighting(Field field);

    bool fail(std::string field, std::string problem) {
        error_ = SlipError{std::move(field), std::move(problem)};
        return false;
    }
    // The field whose value is being read: "stake", "legs[2].price", "preferences.taxRate".
    std::string fieldName() const;
    bool failHere(std::string problem) { return fail(fieldName(), std::move(problem)); }
    bool check(SlipCheck check) { return !check || failHere(std::move(check->problem)); }
    bool mustBe(const Scalar& s, Type type, const char* what) {
        return s.type == type || failHere(std::string("must be ") + what);
    }
    bool readBoolean(const Scalar& s, bool& target) {
        if (!mustBe(s, Type::Boolean, "true or false")) {
            return false;
        }
        target = s.boolean;
        return true;
    }
    // A value given either as a text of a list or as a whole number.
    bool textOrInteger(const Scalar& s, SlipCheck (*readText)(std::string_view, int&),
                       SlipCheck (*readInteger)(std::int64_t, std::string_view, int&), int& target,
                       const char* problem) {
        if (s.type == Type::String) {
            return check(readText(s.text, target));
        }
        if (s.type == Type::Number && s.isInteger) {
            return check(readInteger(s.integer, s.text, target));
        }
        return failHere(problem);
    }

    SlipDraft& draft_;
    std::string& betText_;
    SlipCheck error_;
    Place place_ = Place::Root;
    const FieldName* field_ = nullptr;
    const PreferenceField* preference_ = nullptr;
    unsigned seen_ = 0;  // bits of the fields given so far in the slip and the current leg
    std::size_t brokenAt_ = 0;
    char numberText_[24];  // an integer's digits, as the parser gives only its value
};

bool SlipHandler::start_object(std::size_t) {
    switch (place_) {
        case Place::Root:
            place_ = Place::Slip;
            return true;
        case Place::Legs:
            if (!nextLeg()) {
                return false;
            }
            seen_ &= ~kLegFieldBits;  // a new leg's fields are all unseen
            place_ = Place::Leg;
            return true;
        case Place::Slip:
            if (field_->field == Field::Preferences) {
                place_ = Place::Preferences;
                return true;
            }
            break;
        default:
            break;
    }
    return value(Scalar(Type::Object));
}

bool SlipHandler::end_object() {
    place_ = place_ == Place::Leg           ? Place::Legs
             : place_ == Place::Preferences ? Place::Slip
                                            : Place::Done;
    return true;
}

bool SlipHandler::start_array(std::size_t) {
    if (place_ == Place::Root) {
        return fail("", "a slip must be a JSON object");
    }
    if (place_ == Place::Slip && field_->field == Field::Legs) {
        draft_.legsGiven = true;
        draft_.legCount = 0;
        place_ = Place::Legs;
        return true;
    }
    return value(Scalar(Type::Array));
}

bool SlipHandler::key(std::string& key) {
    if (place_ == Place::Preferences) {
        preference_ = findPreference(key);
        if (preference_ == nullptr) {
            return fail("preferences", "unknown field " + cli::quoted(key));
        }
        return firstSighting(Field::Preference);
    }
    field_ = place_ == Place::Leg ? findField(kLegFields, key) : findField(kSlipFields, key);
    if (field_ == nullptr) {
        return fail(place_ == Place::Leg ? legField(draft_.legCount, "") : "",
                    "unknown field " + cli::quoted(key));
    }
    return firstSighting(field_->field);
}

bool SlipHandler::firstSighting(Field field) {
    unsigned bit = static_cast<unsigned>(field);
    if (field == Field::Preference) {
        bit <<= preference_ - kPreferenceFields.data();
    }
    if ((seen_ & bit) != 0) {
        return failHere("given more than once");
    }
    seen_ |= bit;
    return true;
}

std::string SlipHandler::fieldName() const {
    switch (place_) {
        case Place::Leg:
            return legField(draft_.legCount, field_->name);
        case Place::Preferences:
            return std::string("preferences.") + preference_->name;
        default:
            return std::string(field_->name);
    }
}

// Counts a leg of the array, whatever its value.
bool SlipHandler::nextLeg() {
    if (draft_.legCount == kMaxSelections) {
        return fail("legs", "must hold 1 to 6 legs, not more");
    }
    ++draft_.legCount;
    return true;
}

bool SlipHandler::value(const Scalar& s) {
    switch (place_) {
        case Place::Root:
            return fail("", "a slip must be a JSON object");
        case Place::Legs:
            return nextLeg() && fail(legField(draft_.legCount, ""), "must be an object");
        case Place::Slip:
            return slipValue(s);
        case Place::Leg:
            return legValue(s);
        case Place::Preferences:
            return preferenceValue(s);
        case Place::Done:
            break;
    }
    return fail("", "a slip must be one JSON object");
}

bool SlipHandler::slipValue(const Scalar& s) {
    switch (field_->field) {
        case Field::Legs:
            return failHere("must be an array of 1 to 6 legs");
        case Field::Preferences:
            return failHere("must be an object");
        case Field::Bet:
            if (s.type == Type::String) {
                betText_ = s.text;  // the parser reuses its own text for the next value
                draft_.bet = BetChoice::Text;
                draft_.betText = betText_;
                return true;
            }
            if (s.type == Type::Number && s.isInteger) {
                draft_.bet = BetChoice::Position;
                draft_.betPosition = s.integer;
                return true;
            }
            return failHere("must be a text of the \"Bet\" list or a position in it");
        case Field::Stake:
            return textOrInteger(s, readStakeText, readStakePence, draft_.unitStake,
                                 "must be the stake box's text or whole pence");
        case Field::EachWay:
            return mustBe(s, Type::String, "a string") &&
                   check(readEachWay(s.text, draft_.eachWay));
        case Field::TaxPaid:
            return readBoolean(s, draft_.taxPaid);
        default:
            return false;
    }
}

bool SlipHandler::legValue(const Scalar& s) {
    LegDraft& leg = draft_.legs[static_cast<std::size_t>(draft_.legCount - 1)];
    switch (field_->field) {
        case Field::Result:
            return mustBe(s, Type::String, "a string") && check(readResult(s.text, leg.result));
        case Field::Price:
            return mustBe(s, Type::String, "a string") && check(readPrice(s.text, leg.priceIndex));
        case Field::OddsOn:
            return readBoolean(s, leg.oddsOn);
        case Field::Rule4:
            return textOrInteger(s, readRule4Text, readRule4Pence, leg.rule4,
                                 "must be a text of the Rule 4 list or pence 0..75");
        case Field::Terms:
            return mustBe(s, Type::String, "a string") && check(readTerms(s.text, leg.terms));
        default:
            return false;
    }
}

bool SlipHandler::preferenceValue(const Scalar& s) {
    if (s.type != Type::Number || !s.isInteger) {
        return failHere("must be an integer");
    }
    return check(readPreference(*preference_, s.integer, s.text, draft_.preferences));
}

}  // namespace

SlipCheck JsonSlipReader::read(std::string_view line, SlipRequest& request, bool padded) {
    if (SlipDraft draft; readPlainSlip(line, draft, padded)) {
        return finishSlip(draft, request);
    }
    return readCarefully(line, request);
}

SlipCheck JsonSlipReader::readCarefully(std::string_view line, SlipRequest& request) {
    SlipDraft draft;
    SlipHandler handler(draft, betText_);
    const bool parsed = json::sax_parse(line.begin(), line.end(), &handler);
    // The parser takes a NUL byte outside a string for the end of the text and would read no
    // further; a field's error, or a break the parser found before it, comes first.
    const std::size_t nul = line.find('\0');
    if (nul != std::string_view::npos && !endsInsideString(line.substr(0, nul)) &&
        (!handler.error() || handler.brokenAt() > nul)) {
        return SlipError{"", "not valid JSON at byte " + std::to_string(nul + 1) +
                                 ": a NUL byte outside a string"};
    }
    if (handler.error()) {
        return handler.error();
    }
    if (!parsed || !handler.finished()) {
        return SlipError{"", "not valid JSON"};
    }
    return finishSlip(draft, request);
}

}  // namespace quorvel::cli
