#include "cli/json_slip.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "cli/text_encoding.h"

namespace quorvel::cli {

namespace {

namespace od = simdjson::ondemand;
using simdjson::error_code;

using Failure = std::optional<SlipError>;

// A scalar JSON value read whole; arrays and objects only tell their type.
struct Scalar {
    od::json_type type{};
    std::string_view text;
    std::int64_t integer = 0;
    bool isInteger = false;  // a number without fraction or exponent (saturated when huge)
    bool boolean = false;
};

SlipError brokenJson(error_code e) {
    return {"", std::string("not valid JSON: ") + simdjson::error_message(e)};
}

// A number too large for 64 bits is still an integer when it is written with digits only.
bool saturatedInteger(std::string_view token, std::int64_t& value) {
    while (!token.empty() && (token.back() == ' ' || token.back() == '\t' || token.back() == '\n' ||
                              token.back() == '\r')) {
        token.remove_suffix(1);
    }
    return parseInteger(token, value);
}

Failure readNumber(od::value& value, Scalar& scalar) {
    if (value.get_int64().get(scalar.integer) == simdjson::SUCCESS) {
        scalar.isInteger = true;
        return {};
    }
    double ignored = 0.0;
    if (const error_code e = value.get_double().get(ignored)) {
        return brokenJson(e);
    }
    scalar.isInteger = saturatedInteger(value.raw_json_token(), scalar.integer);
    return {};
}

Failure readScalar(od::value& value, Scalar& scalar) {
    if (const error_code e = value.type().get(scalar.type)) {
        return brokenJson(e);
    }
    error_code e = simdjson::SUCCESS;
    switch (scalar.type) {
        case od::json_type::string:
            e = value.get_string().get(scalar.text);
            break;
        case od::json_type::boolean:
            e = value.get_bool().get(scalar.boolean);
            break;
        case od::json_type::number:
            return readNumber(value, scalar);
        case od::json_type::null: {
            bool isNull = false;
            e = value.is_null().get(isNull);
            if (e == simdjson::SUCCESS && !isNull) {
                e = simdjson::N_ATOM_ERROR;
            }
            break;
        }
        case od::json_type::array:
        case od::json_type::object:
            break;
    }
    if (e != simdjson::SUCCESS) {
        return brokenJson(e);
    }
    return {};
}

// Marks a field as seen; a second sighting is an error.
Failure firstSighting(unsigned& seen, unsigned bit, const std::string& field) {
    if ((seen & bit) != 0) {
        return SlipError{field, "given more than once"};
    }
    seen |= bit;
    return {};
}

Failure unknownField(std::string field, std::string_view key) {
    return SlipError{std::move(field), "unknown field " + quoted(key)};
}

Failure problemAt(Problem problem, const std::string& field) {
    if (problem) {
        return SlipError{field, std::move(*problem)};
    }
    return {};
}

Failure mustBe(const Scalar& scalar, od::json_type type, const char* what,
               const std::string& field) {
    if (scalar.type != type) {
        return SlipError{field, std::string("must be ") + what};
    }
    return {};
}

Failure readLeg(od::value& value, int number, LegDraft& leg) {
    od::json_type type{};
    if (const error_code e = value.type().get(type)) {
        return brokenJson(e);
    }
    if (type != od::json_type::object) {
        return SlipError{legField(number, ""), "must be an object"};
    }
    od::object object;
    if (const error_code e = value.get_object().get(object)) {
        return brokenJson(e);
    }
    unsigned seen = 0;
    for (auto member : object) {
        od::field field;
        if (const error_code e = std::move(member).get(field)) {
            return brokenJson(e);
        }
        std::string_view key;
        if (const error_code e = field.unescaped_key().get(key)) {
            return brokenJson(e);
        }
        Scalar scalar;
        od::value content = field.value();
        if (Failure f = readScalar(content, scalar)) {
            return f;
        }
        Failure f;
        if (key == "result") {
            const std::string name = legField(number, key);
            if (!(f = firstSighting(seen, 1, name)) &&
                !(f = mustBe(scalar, od::json_type::string, "a string", name))) {
                f = problemAt(readResult(scalar.text, leg.result), name);
            }
        } else if (key == "price") {
            const std::string name = legField(number, key);
            if (!(f = firstSighting(seen, 2, name)) &&
                !(f = mustBe(scalar, od::json_type::string, "a string", name))) {
                f = problemAt(readPrice(scalar.text, leg.priceIndex), name);
            }
        } else if (key == "oddsOn") {
            const std::string name = legField(number, key);
            if (!(f = firstSighting(seen, 4, name)) &&
                !(f = mustBe(scalar, od::json_type::boolean, "true or false", name))) {
                leg.oddsOn = scalar.boolean;
            }
        } else if (key == "rule4") {
            const std::string name = legField(number, key);
            if (!(f = firstSighting(seen, 8, name))) {
                if (scalar.type == od::json_type::string) {
                    f = problemAt(readRule4Text(scalar.text, leg.rule4), name);
                } else if (scalar.type == od::json_type::number && scalar.isInteger) {
                    f = problemAt(readRule4Pence(scalar.integer, leg.rule4), name);
                } else {
                    f = SlipError{name, "must be a text of the Rule 4 list or pence 0..75"};
                }
            }
        } else if (key == "terms") {
            const std::string name = legField(number, key);
            if (!(f = firstSighting(seen, 16, name)) &&
                !(f = mustBe(scalar, od::json_type::string, "a string", name))) {
                f = problemAt(readTerms(scalar.text, leg.terms), name);
            }
        } else {
            f = unknownField(legField(number, ""), key);
        }
        if (f) {
            return f;
        }
    }
    return {};
}

Failure readLegs(od::value& value, SlipDraft& draft) {
    od::json_type type{};
    if (const error_code e = value.type().get(type)) {
        return brokenJson(e);
    }
    if (type != od::json_type::array) {
        return SlipError{"legs", "must be an array of 1 to 6 legs"};
    }
    od::array array;
    if (const error_code e = value.get_array().get(array)) {
        return brokenJson(e);
    }
    draft.legsGiven = true;
    draft.legCount = 0;
    for (auto element : array) {
        od::value leg;
        if (const error_code e = std::move(element).get(leg)) {
            return brokenJson(e);
        }
        if (draft.legCount == kMaxSelections) {
            return SlipError{"legs", "must hold 1 to 6 legs, not more"};
        }
        ++draft.legCount;
        if (Failure f = readLeg(leg, draft.legCount,
                                draft.legs[static_cast<std::size_t>(draft.legCount - 1)])) {
            return f;
        }
    }
    return {};
}

Failure readPreferences(od::value& value, AppState& app) {
    od::json_type type{};
    if (const error_code e = value.type().get(type)) {
        return brokenJson(e);
    }
    if (type != od::json_type::object) {
        return SlipError{"preferences", "must be an object"};
    }
    od::object object;
    if (const error_code e = value.get_object().get(object)) {
        return brokenJson(e);
    }
    unsigned seen = 0;
    for (auto member : object) {
        od::field field;
        if (const error_code e = std::move(member).get(field)) {
            return brokenJson(e);
        }
        std::string_view key;
        if (const error_code e = field.unescaped_key().get(key)) {
            return brokenJson(e);
        }
        Scalar scalar;
        od::value content = field.value();
        if (Failure f = readScalar(content, scalar)) {
            return f;
        }
        const PreferenceField* preference = findPreference(key);
        if (preference == nullptr) {
            return unknownField("preferences", key);
        }
        const std::string name = std::string("preferences.") + preference->name;
        const auto bit = 1U << (preference - kPreferenceFields.data());
        if (Failure f = firstSighting(seen, bit, name)) {
            return f;
        }
        if (scalar.type != od::json_type::number || !scalar.isInteger) {
            return SlipError{name, "must be an integer"};
        }
        if (Failure f = problemAt(readPreference(*preference, scalar.integer, app), name)) {
            return f;
        }
    }
    return {};
}

Failure readSlip(od::object& root, SlipDraft& draft) {
    unsigned seen = 0;
    for (auto member : root) {
        od::field field;
        if (const error_code e = std::move(member).get(field)) {
            return brokenJson(e);
        }
        std::string_view key;
        if (const error_code e = field.unescaped_key().get(key)) {
            return brokenJson(e);
        }
        od::value value = field.value();
        Failure f;
        if (key == "legs") {
            if (!(f = firstSighting(seen, 1, "legs"))) {
                f = readLegs(value, draft);
            }
            if (f) {
                return f;
            }
            continue;
        }
        if (key == "preferences") {
            if (!(f = firstSighting(seen, 2, "preferences"))) {
                f = readPreferences(value, draft.app);
            }
            if (f) {
                return f;
            }
            continue;
        }
        Scalar scalar;
        if ((f = readScalar(value, scalar))) {
            return f;
        }
        if (key == "bet") {
            if (!(f = firstSighting(seen, 4, "bet"))) {
                if (scalar.type == od::json_type::string) {
                    draft.bet = BetChoice::Text;
                    draft.betText = scalar.text;
                } else if (scalar.type == od::json_type::number && scalar.isInteger) {
                    draft.bet = BetChoice::Position;
                    draft.betPosition = scalar.integer;
                } else {
                    f = SlipError{"bet", "must be a text of the \"Bet\" list or a position in it"};
                }
            }
        } else if (key == "stake") {
            if (!(f = firstSighting(seen, 8, "stake"))) {
                if (scalar.type == od::json_type::string) {
                    f = problemAt(readStakeText(scalar.text, draft.unitStake), "stake");
                } else if (scalar.type == od::json_type::number && scalar.isInteger) {
                    f = problemAt(readStakePence(scalar.integer, draft.unitStake), "stake");
                } else {
                    f = SlipError{"stake", "must be the stake box's text or whole pence"};
                }
            }
        } else if (key == "eachWay") {
            if (!(f = firstSighting(seen, 16, "eachWay")) &&
                !(f = mustBe(scalar, od::json_type::string, "a string", "eachWay"))) {
                f = problemAt(readEachWay(scalar.text, draft.eachWay), "eachWay");
            }
        } else if (key == "taxPaid") {
            if (!(f = firstSighting(seen, 32, "taxPaid")) &&
                !(f = mustBe(scalar, od::json_type::boolean, "true or false", "taxPaid"))) {
                draft.taxPaid = scalar.boolean;
            }
        } else {
            f = unknownField("", key);
        }
        if (f) {
            return f;
        }
    }
    return {};
}

// A line holding a lone value is a valid JSON text that is no slip; anything else is broken.
error_code checkScalarDocument(od::document& document, od::json_type type) {
    switch (type) {
        case od::json_type::string: {
            std::string_view text;
            return document.get_string().get(text);
        }
        case od::json_type::number: {
            double number = 0.0;
            return document.get_double().get(number);
        }
        case od::json_type::boolean: {
            bool boolean = false;
            return document.get_bool().get(boolean);
        }
        case od::json_type::null: {
            bool isNull = false;
            const error_code e = document.is_null().get(isNull);
            return e != simdjson::SUCCESS || isNull ? e : simdjson::N_ATOM_ERROR;
        }
        case od::json_type::array:
        case od::json_type::object:
            break;
    }
    return simdjson::SUCCESS;
}

}  // namespace

std::optional<SlipError> JsonSlipReader::read(std::string_view line, SlipRequest& request) {
    const std::size_t capacity = line.size() + simdjson::SIMDJSON_PADDING;
    if (buffer_.size() < capacity) {
        buffer_.resize(capacity);
    }
    std::memcpy(buffer_.data(), line.data(), line.size());
    std::memset(buffer_.data() + line.size(), 0, simdjson::SIMDJSON_PADDING);

    od::document document;
    if (const error_code e = parser_.iterate(buffer_.data(), line.size(), capacity).get(document)) {
        return brokenJson(e);
    }
    od::json_type type{};
    if (const error_code e = document.type().get(type)) {
        return brokenJson(e);
    }
    if (type != od::json_type::object) {
        if (const error_code e = checkScalarDocument(document, type)) {
            return brokenJson(e);
        }
        return SlipError{"", "a slip must be a JSON object"};
    }
    od::object root;
    if (const error_code e = document.get_object().get(root)) {
        return brokenJson(e);
    }
    SlipDraft draft;
    if (Failure f = readSlip(root, draft)) {
        return f;
    }
    const char* trailing = nullptr;
    if (document.current_location().get(trailing) == simdjson::SUCCESS) {
        return brokenJson(simdjson::TRAILING_CONTENT);
    }
    return finishSlip(draft, request);
}

}  // namespace quorvel::cli
