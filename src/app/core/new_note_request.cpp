#include "app/core/new_note_request.h"

std::u16string EncodeNewNoteRequest(const NewNoteRequest& request) {
    std::u16string payload = request.category;
    payload.push_back(u'\0');
    payload += request.text;
    return payload;
}

std::optional<NewNoteRequest> DecodeNewNoteRequest(std::u16string_view payload) {
    const std::size_t separator = payload.find(u'\0');
    if (separator == std::u16string_view::npos) return std::nullopt;
    return NewNoteRequest{std::u16string(payload.substr(separator + 1)), std::u16string(payload.substr(0, separator))};
}
