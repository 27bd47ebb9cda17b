#pragma once

// Reads one slip from one line of JSON.

#include <optional>
#include <string_view>
#include <vector>

#include <simdjson.h>

#include "cli/slip_fields.h"

namespace quorvel::cli {

class JsonSlipReader {
  public:
    // Fills `request` from a JSON object, or tells the first thing wrong with it. Strings of
    // the line are only looked at while the call lasts.
    std::optional<SlipError> read(std::string_view line, SlipRequest& request);

  private:
    simdjson::ondemand::parser parser_;
    std::vector<char> buffer_;  // the line, followed by the padding the parser reads past it
};

}  // namespace quorvel::cli
