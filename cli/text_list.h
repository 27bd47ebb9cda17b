#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/slip_fields.h"
#include "engine/catalogue.h"

namespace quorvel::cli {

// A list's texts in UTF-8, converted once, for exact lookups. The texts are short: a lookup
// hashes a text's length and first eight bytes into a table kept at most half full, and a text
// given twice is found at its first place.
class TextList {
  public:
    explicit TextList(std::span<const char* const> texts);
    explicit TextList(std::span<const BetType> types);

    // Position of `text` in the list, or -1; `head` is textHead(text).
    int find(std::string_view text) const { return find(text, textHead(text)); }
    int find(std::string_view text, std::uint64_t head) const {
        // A free slot matches only the empty text, and then answers -1, as it should: a text
        // on the list is found before the first free slot after its own.
        for (std::size_t at = slotOf(head, text.size());; at = (at + 1) & mask_) {
            const Slot& slot = slots_[at];
            if (slot.head == head && slot.size == text.size() &&
                ((kTextHeadTellsShortTexts && text.size() <= sizeof head) ||
                 std::string_view(texts_[static_cast<std::size_t>(slot.position)]) == text)) {
                return slot.position;
            }
            if (slot.position < 0) {
                return -1;
            }
        }
    }

  private:
    struct Slot {
        std::uint64_t head = 0;
        std::size_t size = 0;
        int position = -1;  // -1: free
    };

    std::size_t slotOf(std::uint64_t head, std::size_t size) const {
        const std::uint64_t mixed = (head ^ size) * 0x9E3779B97F4A7C15u;
        return static_cast<std::size_t>(mixed >> 32) & mask_;
    }

    void index();

    std::vector<std::string> texts_;
    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
};

}  // namespace quorvel::cli
