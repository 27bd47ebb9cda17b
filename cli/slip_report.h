#pragma once

// Settles a slip and writes what came out: the JSON result line, and for a person the slip as
// understood and the working line by line.

#include <string>
#include <string_view>
#include <vector>

#include "cli/slip_fields.h"
#include "engine/line_record.h"
#include "engine/settle_amounts.h"
#include "engine/settlement.h"

namespace quorvel::cli {

struct SettledSlip {
    SettlementDisplay display{};
    LineRecord record;  // the lines, only when the working is asked for
};

// Settles slips one after another, reusing its line list.
class SlipSettler {
  public:
    explicit SlipSettler(bool explain) : explain_(explain) {}
    const SettledSlip& settle(const SlipRequest& request);

  private:
    bool explain_;
    SettledSlip settled_;
};

// {"bets": 30, "totalStake": "£1.64", "returns": "£12.34"}, with the lines when explained.
void appendJsonResult(std::string& out, const SettledSlip& settled, bool explain);
void appendJsonError(std::string& out, std::string_view message);

// The slip as understood, one fact per line, for a person at a terminal.
std::string describeSlip(const SlipRequest& request);
// The amounts as the window shows them, then the working when it was asked for.
std::string describeSettlement(const SettledSlip& settled, bool explain);

}  // namespace quorvel::cli
