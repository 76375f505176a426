#include "notes/core/restore_rows.h"

#include "i18n/core/translation.h"
#include "notes/core/note_title.h"
#include "storage/core/bin_rules.h"
#include "storage/core/lenient_number.h"

namespace {

// Tabs separate the columns: none may come from a note's own text.
std::u16string WithoutTabs(std::u16string text) {
    for (char16_t& c : text) {
        if (c == u'\t') c = u' ';
    }
    return text;
}

std::u16string FirstLineOfNote(const NoteFields& fields) {
    std::u16string line = FirstLineOf(fields.body);
    if (line.empty() && !fields.entries.empty()) line = FirstLineOf(fields.entries.front().text);
    return line.empty() ? std::u16string(Translate(u"(note vide)")) : WithoutTabs(line);
}

}  // namespace

std::u16string NoteRowText(const NoteFields& fields, const CategoryStore& categories, const Moment& moment) {
    return FirstLineOfNote(fields) + u"\t" + WithoutTabs(CategoryLabel(categories, fields.categoryId, fields.subcategoryId)) +
           u"\t" + MomentText(moment);
}

std::u16string BackupRowText(const BackupName& name, int noteCount) {
    std::u16string text = MomentText(name.madeAt) + u"\t" + DecimalText(noteCount) + u" " +
                          Translate(noteCount == 1 ? u"note" : u"notes");
    if (name.beforeRestore) text += std::u16string(u"\t") + Translate(u"avant restauration");
    return text;
}
