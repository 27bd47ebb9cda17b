#pragma once

// Reads one slip from one line of JSON.

#include <optional>
#include <string>
#include <string_view>

#include "cli/slip_fields.h"

namespace quorvel::cli {

class JsonSlipReader {
  public:
    // Fills `request` from a JSON object, or tells the first thing wrong with it. The line is
    // read as a stream of values and no tree is built; reading stops at the first problem.
    SlipCheck read(std::string_view line, SlipRequest& request);

  private:
    std::string betText_;  // the "bet" text of the slip being read, kept from call to call
};

}  // namespace quorvel::cli
