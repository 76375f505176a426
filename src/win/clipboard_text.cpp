#include "win/clipboard_text.h"

#include "win/wide.h"

namespace {

// The clipboard, open while it lives.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    bool Open() const { return open_; }

private:
    bool open_;
};

// A global memory block, locked while it lives.
class LockedMemory {
public:
    explicit LockedMemory(HGLOBAL memory) : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr) {}
    ~LockedMemory() {
        if (data_) GlobalUnlock(memory_);
    }
    LockedMemory(const LockedMemory&) = delete;
    LockedMemory& operator=(const LockedMemory&) = delete;

    const void* Data() const { return data_; }
    std::size_t Size() const { return data_ ? GlobalSize(memory_) : 0; }

private:
    HGLOBAL memory_;
    void* data_;
};

}  // namespace

std::optional<std::u16string> ReadClipboardText(HWND owner) {
    const OpenedClipboard clipboard(owner);
    if (!clipboard.Open()) return std::nullopt;
    const LockedMemory text(GetClipboardData(CF_UNICODETEXT));
    if (!text.Data()) return std::nullopt;
    // The block may hold no NUL at all: read no further than its size.
    const auto* units = static_cast<const wchar_t*>(text.Data());
    const std::size_t capacity = text.Size() / sizeof(wchar_t);
    std::size_t length = 0;
    while (length < capacity && units[length] != L'\0') ++length;
    return FromWide(units, length);
}
