// What a copy started with /new hands to the copy that runs: the data of a
// WM_COPYDATA message sent to its tray window, and the reply it gets back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The message's dwData: tells this request from any other data a window
// may be sent.
constexpr std::uintptr_t kNewNoteRequestKind = 0x514E4F54;

struct NewNoteRequest {
    std::u16string text;
    std::u16string category;  // empty: not filed

    bool operator==(const NewNoteRequest&) const = default;
};

// The category's name, U+0000, then the text (a command line holds no
// U+0000, so the first one separates them).
std::u16string EncodeNewNoteRequest(const NewNoteRequest& request);

// Nothing when the payload has no separator: not a request of this kind.
std::optional<NewNoteRequest> DecodeNewNoteRequest(std::u16string_view payload);

// The message's result. 0 is what a window that does not know the request
// returns.
enum class NewNoteReply : std::intptr_t {
    NotUnderstood = 0,
    NoteMade = 1,
    UnknownCategory = 2,
};
