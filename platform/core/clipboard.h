#pragma once

// The clipboard edit boxes copy to and paste from. The core keeps none of its
// own: a view installs the desktop's (or, for tests, one in memory). Texts are
// Windows-1252 bytes, as the boxes hold them.

#include <optional>
#include <string>

namespace quorvel::platform {

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // nullopt when the clipboard holds no text.
    virtual std::optional<std::string> text() = 0;
    virtual void setText(const std::string& text) = 0;
};

// nullptr uninstalls it: copying then goes nowhere and nothing can be pasted.
void setClipboard(Clipboard* clipboard);
Clipboard* currentClipboard();

// A clipboard that lives in the process only.
class MemoryClipboard final : public Clipboard {
  public:
    std::optional<std::string> text() override { return text_; }
    void setText(const std::string& text) override { text_ = text; }
    void clear() { text_.reset(); }

  private:
    std::optional<std::string> text_;
};

}  // namespace quorvel::platform
