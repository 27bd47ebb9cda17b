#pragma once

// The quick reading of a slip written plainly, as the programs that write slips by the million
// write them: one JSON object of the slip's fields, strings without escapes, whole numbers.

#include <cstddef>
#include <string_view>

#include "cli/slip_fields.h"

namespace quorvel::cli {

// Fills `draft` from a plain slip with every field's value accepted, and tells whether it did.
// Anything else (an escape, a fraction, null, a BOM, an unknown or repeated field, a value its
// field refuses, more than six legs, anything that is not well-formed JSON) is refused, with
// `draft` half filled, for JsonSlipReader to read the careful way and tell what is wrong.
//
// A line is read from a copy with room after it, unless it is `padded`: then the byte after it
// is its line break and kLinePadding bytes more may be read, and it is read where it stands.
bool readPlainSlip(std::string_view line, SlipDraft& draft, bool padded = false);

inline constexpr std::size_t kLinePadding = 32;

// Whether the bytes are well-formed UTF-8: no overlong forms, surrogates or code points past
// U+10FFFF.
bool isUtf8(std::string_view bytes);

}  // namespace quorvel::cli
