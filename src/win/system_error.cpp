#include "win/system_error.h"

#include <memory>

#include "win/wide.h"

namespace {

struct LocalFreer {
    void operator()(wchar_t* text) const { LocalFree(text); }
};

}  // namespace

std::u16string SystemErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalFreer> owned(buffer);
    std::u16string text = buffer ? FromWide(buffer, length) : std::u16string();
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) text.pop_back();
    return text;
}
