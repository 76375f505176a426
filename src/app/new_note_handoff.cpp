#include "app/new_note_handoff.h"

#include <optional>

#include "app/command_line_message.h"
#include "categories/core/category_by_name.h"
#include "i18n/core/translation.h"
#include "notes/note_creation.h"
#include "storage/category_storage.h"

namespace {

std::optional<Filing> FilingOf(const std::u16string& category) {
    if (category.empty()) return Filing{};
    return FilingForName(Categories(), category);
}

}  // namespace

void TellUnknownCategory(const std::u16string& category) {
    std::u16string text = Translate(u"Aucune catégorie ne porte ce nom :");
    text += u' ';
    text += category;
    TellCommandLineUser(text);
}

bool CheckRequestedCategory(const std::u16string& category) {
    if (FilingOf(category)) return true;
    TellUnknownCategory(category);
    return false;
}

bool MakeRequestedNote(const NewNoteRequest& request) {
    const std::optional<Filing> filing = FilingOf(request.category);
    if (!filing) return false;
    CreateNoteWithText(request.text, filing->categoryId, filing->subcategoryId);
    return true;
}

LRESULT OnNewNoteRequest(const COPYDATASTRUCT& data) {
    if (data.dwData != kNewNoteRequestKind || !data.lpData) return static_cast<LRESULT>(NewNoteReply::NotUnderstood);
    const std::u16string_view payload(static_cast<const char16_t*>(data.lpData), data.cbData / sizeof(char16_t));
    const std::optional<NewNoteRequest> request = DecodeNewNoteRequest(payload);
    if (!request) return static_cast<LRESULT>(NewNoteReply::NotUnderstood);
    const NewNoteReply reply = MakeRequestedNote(*request) ? NewNoteReply::NoteMade : NewNoteReply::UnknownCategory;
    return static_cast<LRESULT>(reply);
}
