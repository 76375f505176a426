#include "settings/core/shortcut_table.h"

#include <string_view>

#include "i18n/core/translation.h"

namespace {

constexpr std::uint32_t kCtrlAlt = kModifierCtrl | kModifierAlt;

constexpr ShortcutTable kDefaultTable = {{
    {CommandId::NewNote, true, u"Nouvelle note", kCtrlAlt, 0x4E, kCtrlAlt, 0x4E, false},
    {CommandId::DockAllNotes, true, u"Ancrer toutes les notes", kCtrlAlt, 0x44, kCtrlAlt, 0x44, false},
    {CommandId::UndockAllNotes, true, u"Désancrer toutes les notes", kCtrlAlt, 0x55, kCtrlAlt, 0x55, false},
    {CommandId::OpenSettings, true, u"Parametres", kCtrlAlt, 0x47, kCtrlAlt, 0x47, false},
    {CommandId::FindNotes, true, u"Rechercher une note", kCtrlAlt, 0x46, kCtrlAlt, 0x46, false},
    {CommandId::NoteFromClipboard, true, u"Note du presse-papiers", kCtrlAlt, 0x56, kCtrlAlt, 0x56, false},
    {CommandId::CategoryMenu, false, u"Categorie / sous-categorie", kCtrlAlt, 0x43, kCtrlAlt, 0x43, false},
    {CommandId::ToggleType, false, u"Changer le type", kCtrlAlt, 0x54, kCtrlAlt, 0x54, false},
    {CommandId::TogglePin, false, u"Epingler / desepingler", kCtrlAlt, 0x50, kCtrlAlt, 0x50, false},
    {CommandId::ChooseColour, false, u"Choisir la couleur", kCtrlAlt, 0x4B, kCtrlAlt, 0x4B, false},
    {CommandId::AddEntry, false, u"Ajouter une entree (cedulee)", kCtrlAlt, 0x41, kCtrlAlt, 0x41, false},
    {CommandId::DockLeft, false, u"Ancrer a gauche", kCtrlAlt, 0x25, kCtrlAlt, 0x25, false},
    {CommandId::DockTop, false, u"Ancrer en haut", kCtrlAlt, 0x26, kCtrlAlt, 0x26, false},
    {CommandId::DockRight, false, u"Ancrer a droite", kCtrlAlt, 0x27, kCtrlAlt, 0x27, false},
    {CommandId::Undock, false, u"Desancrer cette note", kCtrlAlt, 0x28, kCtrlAlt, 0x28, false},
    {CommandId::DeleteNote, false, u"Supprimer la note", kCtrlAlt, 0x58, kCtrlAlt, 0x58, false},
}};

constexpr std::uint32_t kKeyShift = 0x10;
constexpr std::uint32_t kKeyAlt = 0x12;  // Shift, Ctrl, Alt are 0x10..0x12
constexpr std::uint32_t kKeyLeftWindows = 0x5B;
constexpr std::uint32_t kKeyRightWindows = 0x5C;

struct NamedKey {
    std::uint32_t key;
    const char16_t* name;
};

constexpr NamedKey kNamedKeys[] = {
    {0x09, u"Tab"},    {0x0D, u"Entree"}, {0x20, u"Espace"}, {0x21, u"PgPrec"},
    {0x22, u"PgSuiv"}, {0x23, u"Fin"},    {0x24, u"Origine"}, {0x25, u"Gauche"},
    {0x26, u"Haut"},   {0x27, u"Droite"}, {0x28, u"Bas"},     {0x2D, u"Inser"},
    {0x2E, u"Suppr"},  {0xBC, u","},      {0xBE, u"."},
};

constexpr std::uint32_t kFirstDigitKey = 0x30;  // '0'..'9'
constexpr std::uint32_t kLastDigitKey = 0x39;
constexpr std::uint32_t kFirstLetterKey = 0x41;  // 'A'..'Z'
constexpr std::uint32_t kLastLetterKey = 0x5A;
constexpr std::uint32_t kFirstFunctionKey = 0x70;  // F1
constexpr std::uint32_t kLastFunctionKey = 0x87;   // F24

std::u16string FunctionKeyName(std::uint32_t key) {
    const std::uint32_t number = key - kFirstFunctionKey + 1;  // 1..24
    std::u16string name = u"F";
    if (number >= 10) name.push_back(static_cast<char16_t>(u'0' + number / 10));
    name.push_back(static_cast<char16_t>(u'0' + number % 10));
    return name;
}

// "0x" and the code in upper-case hex, never fewer than two digits.
std::u16string HexKeyName(std::uint32_t key) {
    constexpr std::u16string_view kHexDigits = u"0123456789ABCDEF";
    constexpr std::size_t kMinimumDigits = 2;
    std::u16string digits;
    for (std::uint32_t rest = key; rest != 0 || digits.size() < kMinimumDigits; rest >>= 4) {
        digits.insert(digits.begin(), kHexDigits[rest & 0xF]);
    }
    return u"0x" + digits;
}

bool IsValidRow(int row) {
    return row >= 0 && static_cast<std::size_t>(row) < kShortcutCount;
}

void Unbind(Shortcut& shortcut) {
    shortcut.modifiers = 0;
    shortcut.key = 0;
}

}  // namespace

ShortcutTable DefaultShortcutTable() { return kDefaultTable; }

void ResetShortcuts(ShortcutTable& table) {
    for (Shortcut& shortcut : table) {
        shortcut.modifiers = shortcut.defaultModifiers;
        shortcut.key = shortcut.defaultKey;
        shortcut.registrationFailed = false;
    }
}

bool IsModifierKey(std::uint32_t key) {
    return (key >= kKeyShift && key <= kKeyAlt) || key == kKeyLeftWindows ||
           key == kKeyRightWindows;
}

int FindNoteShortcut(const ShortcutTable& table, std::uint32_t key, std::uint32_t modifiers) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Shortcut& shortcut = table[i];
        if (!shortcut.global && shortcut.key != 0 && shortcut.key == key &&
            shortcut.modifiers == modifiers) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::u16string ShortcutText(std::uint32_t modifiers, std::uint32_t key) {
    if (key == 0) return u"(aucun)";
    std::u16string text;
    if (modifiers & kModifierCtrl) text += u"Ctrl+";
    if (modifiers & kModifierAlt) text += u"Alt+";
    if (modifiers & kModifierShift) text += Translate(u"Maj+");
    const std::u16string name = KeyName(key);
    text += Translate(name.c_str());
    return text;
}

std::u16string KeyName(std::uint32_t key) {
    for (const NamedKey& named : kNamedKeys) {
        if (named.key == key) return named.name;
    }
    const bool isDigit = key >= kFirstDigitKey && key <= kLastDigitKey;
    const bool isLetter = key >= kFirstLetterKey && key <= kLastLetterKey;
    if (isDigit || isLetter) return std::u16string(1, static_cast<char16_t>(key));
    if (key >= kFirstFunctionKey && key <= kLastFunctionKey) return FunctionKeyName(key);
    return HexKeyName(key);
}

CaptureResult CaptureKey(ShortcutTable& table, int row, std::uint32_t key,
                         std::uint32_t currentModifiers) {
    if (!IsValidRow(row) || key == kKeyEscape) return {.waitEnds = true};
    Shortcut& waiting = table[static_cast<std::size_t>(row)];
    if (key == kKeyDelete || key == kKeyBackspace) {
        Unbind(waiting);
        return {.waitEnds = true};
    }
    if (IsModifierKey(key)) return {};
    if ((currentModifiers & (kModifierCtrl | kModifierAlt)) == 0) return {.beep = true};

    // One combination, one command: whoever had it loses it.
    for (Shortcut& other : table) {
        if (&other == &waiting || other.key != key || other.modifiers != currentModifiers) continue;
        Unbind(other);
        other.registrationFailed = false;
    }
    waiting.modifiers = currentModifiers;
    waiting.key = key;
    waiting.registrationFailed = false;
    return {.waitEnds = true};
}
