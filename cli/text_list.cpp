#include "cli/text_list.h"

#include "cli/text_encoding.h"

namespace quorvel::cli {

TextList::TextList(std::span<const char* const> texts) {
    for (const char* text : texts) {
        texts_.push_back(toUtf8(text));
    }
    index();
}

TextList::TextList(std::span<const BetType> types) {
    for (const BetType& type : types) {
        texts_.push_back(toUtf8(type.text));
    }
    index();
}

void TextList::index() {
    std::size_t count = 2;
    while (count < 2 * texts_.size()) {
        count *= 2;
    }
    slots_.resize(count);
    mask_ = count - 1;
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        if (find(texts_[i]) >= 0) {
            continue;
        }
        const std::uint64_t head = textHead(texts_[i]);
        std::size_t at = slotOf(head, texts_[i].size());
        while (slots_[at].position >= 0) {
            at = (at + 1) & mask_;
        }
        slots_[at] = {head, texts_[i].size(), static_cast<int>(i)};
    }
}

}  // namespace quorvel::cli
