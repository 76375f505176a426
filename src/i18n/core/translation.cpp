#include "i18n/core/translation.h"

#include <array>

#include "base/state_slot.h"

namespace {

// Monday first; shown when the table gives no heading of its own.
constexpr std::array<char16_t, 7> kFrenchWeekdayLetters = {u'L', u'M', u'M', u'J',
                                                           u'V', u'S', u'D'};

// French, the source language, when no table is bound.
const TranslationTable& TableOrFrench() {
    static const TranslationTable kFrench;
    const TranslationTable* bound = StateSlot<TranslationTable>::Bound();
    return bound ? *bound : kFrench;
}

}  // namespace

TranslationTable& ActiveTranslationTable() {
    return StateSlot<TranslationTable>::Get();
}

const char16_t* Translate(const char16_t* source) {
    const TranslationTable& table = TableOrFrench();
    if (source == nullptr || table.empty()) return source;
    const auto found = table.find(source);
    if (found == table.end() || found->second.empty()) return source;
    return found->second.c_str();
}

std::u16string WeekdayLabel(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= kFrenchWeekdayLetters.size()) return {};
    const std::u16string key = u"WDAY" + std::u16string(1, static_cast<char16_t>(u'0' + index));
    const TranslationTable& table = TableOrFrench();
    const auto found = table.find(key);
    if (found != table.end() && !found->second.empty()) return found->second;
    return std::u16string(1, kFrenchWeekdayLetters[static_cast<std::size_t>(index)]);
}
