// Writes N valid random slips as JSON Lines, the same N lines for the same seed: every bet
// type of every selection count, all three each-way modes, both forms of the bet, the stake
// and Rule 4, and now and then changed preferences.
//
//   quorvel-make-slips COUNT [SEED] > slips.jsonl

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "cli/text_encoding.h"
#include "engine/bet_slip.h"
#include "engine/catalogue.h"
#include "engine/selection_terms.h"

namespace {

using namespace quorvel;

class Draw {
  public:
    explicit Draw(std::uint64_t seed) : engine_(seed) {}
    // 0..n-1, the same on every platform for the same seed.
    int below(int n) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }

  private:
    std::mt19937_64 engine_;
};

void appendText(std::string& out, const char* windows1252) {
    cli::appendJsonString(out, cli::toUtf8(windows1252));
}

void appendLeg(std::string& out, Draw& draw, bool eachWay) {
    const int result = draw.below(eachWay ? 4 : 3);
    out += "{\"result\": ";
    appendText(out, kResultTexts[static_cast<std::size_t>(result)]);
    if (result == 1 || result == 3 || draw.chance(20)) {
        out += ", \"price\": ";
        appendText(out, kPriceTexts[static_cast<std::size_t>(draw.below(kPriceCount))]);
        if (draw.chance(10)) {
            out += ", \"oddsOn\": true";
        }
        if (draw.chance(25)) {
            const int position = draw.below(kRule4Count);
            out += ", \"rule4\": ";
            if (draw.chance(50)) {
                appendText(out, kRule4Texts[static_cast<std::size_t>(position)]);
            } else {
                out += std::to_string(Rule4Ladder[static_cast<std::size_t>(position)]);
            }
        }
        if (eachWay) {
            out += ", \"terms\": ";
            appendText(out, kPlaceTermsTexts[static_cast<std::size_t>(draw.below(3))]);
        }
    }
    out += '}';
}

std::string slipLine(Draw& draw) {
    const int count = 1 + draw.below(kMaxSelections);
    const int mode = draw.below(3);
    const auto types = betTypes(count);
    const int bet = draw.below(static_cast<int>(types.size()));
    std::string out = "{\"bet\": ";
    if (draw.chance(80)) {
        appendText(out, types[static_cast<std::size_t>(bet)].text);
    } else {
        out += std::to_string(bet);
    }
    out += ", \"stake\": ";
    const int stake = 1 + draw.below(draw.chance(90) ? 500 : 9999999);
    const bool asText = draw.chance(50);
    out += asText ? "\"" : "";
    out += std::to_string(stake);
    out += asText ? "\"" : "";
    out += ", \"eachWay\": ";
    appendText(out, kEachWayTexts[static_cast<std::size_t>(mode)]);
    out += draw.chance(50) ? ", \"taxPaid\": true" : ", \"taxPaid\": false";
    if (draw.chance(10)) {
        out += ", \"preferences\": {\"taxRate\": " + std::to_string(draw.below(21)) +
               ", \"lucky15Consolation\": " + std::to_string(1 + draw.below(3)) +
               ", \"lucky63Bonus\": " + std::to_string(draw.below(31)) + "}";
    }
    out += ", \"legs\": [";
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            out += ", ";
        }
        appendLeg(out, draw, mode != 0);
    }
    out += "]}\n";
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fputs("usage: quorvel-make-slips COUNT [SEED]\n", stderr);
        return 2;
    }
    const long long count = std::atoll(argv[1]);
    Draw draw(argc == 3 ? std::strtoull(argv[2], nullptr, 10) : 1);
    std::string block;
    for (long long i = 0; i < count; ++i) {
        block += slipLine(draw);
        if (block.size() > (1 << 16)) {
            std::fwrite(block.data(), 1, block.size(), stdout);
            block.clear();
        }
    }
    std::fwrite(block.data(), 1, block.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
