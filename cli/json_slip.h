#pragma once

// Reads one slip from one line of JSON.

#include <optional>
#include <string>
#include <string_view>

#include "cli/slip_fields.h"

namespace quorvel::cli {

class JsonSlipReader {
  public:
    // Fills `request` from a JSON object, or tells the first thing wrong with it. A plain slip
    // is read quickly (plain_slip.h); any other line as readCarefully does.
    // `padded` as readPlainSlip takes it.
    SlipCheck read(std::string_view line, SlipRequest& request, bool padded = false);
    // The same for any line, with a JSON parser that tells what is wrong and where. The line is
    // read as a stream of values and no tree is built; reading stops at the first problem.
    SlipCheck readCarefully(std::string_view line, SlipRequest& request);

  private:
    std::string betText_;  // the "bet" text of the slip being read, kept from call to call
};

}  // namespace quorvel::cli
