// The program's own use of the clipboard: text in a block of global memory,
// handed to the clipboard the view installed (clipboard.h).

#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "platform/core/clipboard.h"
#include "platform/core/state.h"

using namespace quorvel::platform;

namespace {

struct Block {
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
};

// Blocks by handle; a block handed to the clipboard is freed once read.
std::map<HGLOBAL, Block>& blocks() {
    static std::map<HGLOBAL, Block> all;
    return all;
}

bool clipboardOpen = false;

}  // namespace

HGLOBAL WINAPI GlobalAlloc(UINT /*flags*/, SIZE_T bytes) {
    Block block{std::make_unique<char[]>(bytes == 0 ? 1 : bytes), bytes};
    const HGLOBAL handle = block.bytes.get();
    blocks().emplace(handle, std::move(block));
    return handle;
}

LPVOID WINAPI GlobalLock(HGLOBAL memory) {
    return blocks().count(memory) != 0 ? memory : nullptr;
}

BOOL WINAPI GlobalUnlock(HGLOBAL /*memory*/) {
    return FALSE;  // no longer locked
}

HGLOBAL WINAPI GlobalFree(HGLOBAL memory) {
    return blocks().erase(memory) != 0 ? nullptr : memory;
}

BOOL WINAPI OpenClipboard(HWND /*owner*/) {
    if (clipboardOpen) {
        return FALSE;
    }
    clipboardOpen = true;
    return TRUE;
}

BOOL WINAPI EmptyClipboard(void) {
    return clipboardOpen ? TRUE : FALSE;
}

HANDLE WINAPI SetClipboardData(UINT format, HANDLE data) {
    const auto found = blocks().find(data);
    if (!clipboardOpen || format != CF_TEXT || found == blocks().end()) {
        return nullptr;
    }
    if (Clipboard* clipboard = currentClipboard(); clipboard != nullptr) {
        // The text ends at its terminator, or at the block's end without one.
        const Block& block = found->second;
        clipboard->setText(std::string(block.bytes.get(), strnlen(block.bytes.get(), block.size)));
    }
    blocks().erase(found);
    return data;
}

BOOL WINAPI CloseClipboard(void) {
    const bool wasOpen = clipboardOpen;
    clipboardOpen = false;
    return wasOpen ? TRUE : FALSE;
}
