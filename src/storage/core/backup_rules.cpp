#include "storage/core/backup_rules.h"

#include <algorithm>
#include <set>

#include "storage/core/note_file.h"
#include "storage/core/text_lines.h"

namespace {

constexpr std::u16string_view kBeforeRestoreTag = u"_avant-restauration";
constexpr std::u16string_view kManifestHeader = u"QUILLBOARD SAUVEGARDE 1";
constexpr std::u16string_view kManifestEnd = u"FIN|";
constexpr std::u16string_view kNotesFolder = u"notes\\";
constexpr std::size_t kStampLength = 13;

std::optional<std::uint64_t> Unsigned(std::u16string_view text) {
    if (text.empty() || text.size() > 20) return std::nullopt;
    std::uint64_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - u'0');
        if (value > (UINT64_MAX - digit) / 10) return std::nullopt;  // beyond 64 bits
        value = value * 10 + digit;
    }
    return value;
}

std::u16string UnsignedText(std::uint64_t value) {
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return text;
}

// "size|lastWrite|path"
std::optional<DataFile> ParseManifestLine(std::u16string_view line) {
    const std::size_t first = line.find(u'|');
    const std::size_t second = first == std::u16string_view::npos ? first : line.find(u'|', first + 1);
    if (second == std::u16string_view::npos || second + 1 >= line.size()) return std::nullopt;
    const std::optional<std::uint64_t> size = Unsigned(line.substr(0, first));
    const std::optional<std::uint64_t> lastWrite = Unsigned(line.substr(first + 1, second - first - 1));
    if (!size || !lastWrite) return std::nullopt;
    return DataFile{std::u16string(line.substr(second + 1)), *size, *lastWrite};
}

}  // namespace

std::u16string BackupFolderName(const BackupName& name) {
    std::u16string text = MomentDigits(name.madeAt);
    if (name.beforeRestore) text += kBeforeRestoreTag;
    text += CopySuffix(name.copy);
    return text;
}

std::optional<BackupName> ParseBackupFolderName(std::u16string_view folderName) {
    BackupName name;
    if (folderName.size() < kStampLength || !ParseMomentDigits(folderName.substr(0, kStampLength), name.madeAt)) {
        return std::nullopt;
    }
    std::u16string_view rest = folderName.substr(kStampLength);
    if (rest.starts_with(kBeforeRestoreTag)) {
        name.beforeRestore = true;
        rest.remove_prefix(kBeforeRestoreTag.size());
    }
    const std::optional<int> copy = ParseCopySuffix(rest);
    if (!copy) return std::nullopt;
    name.copy = *copy;
    return name;
}

std::u16string FormatManifest(const std::vector<DataFile>& files) {
    std::u16string text(kManifestHeader);
    text += u"\r\n";
    for (const DataFile& file : files) {
        text += UnsignedText(file.size) + u"|" + UnsignedText(file.lastWrite) + u"|" + file.path + u"\r\n";
    }
    text += std::u16string(kManifestEnd) + UnsignedText(files.size()) + u"\r\n";
    return text;
}

std::optional<std::vector<DataFile>> ParseManifest(std::u16string_view text) {
    enum class Part { Header, Files, Ended, Broken };
    Part part = Part::Header;
    std::vector<DataFile> files;
    ForEachLine(text, [&part, &files](std::u16string_view line) {
        if (part == Part::Header) {
            part = line == kManifestHeader ? Part::Files : Part::Broken;
        } else if (part == Part::Files && line.starts_with(kManifestEnd)) {
            const std::optional<std::uint64_t> count = Unsigned(line.substr(kManifestEnd.size()));
            part = count && *count == files.size() ? Part::Ended : Part::Broken;
        } else if (part == Part::Files) {
            std::optional<DataFile> file = ParseManifestLine(line);
            if (file) files.push_back(std::move(*file));
            if (!file) part = Part::Broken;
        } else if (part == Part::Ended && !line.empty()) {
            part = Part::Broken;  // nothing follows the closing line
        }
    });
    if (part != Part::Ended) return std::nullopt;
    return files;
}

bool SameDataFiles(std::vector<DataFile> a, std::vector<DataFile> b) {
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}

bool HoldsEveryFile(const std::vector<DataFile>& manifest, const std::map<std::u16string, std::uint64_t>& found) {
    return std::all_of(manifest.begin(), manifest.end(), [&found](const DataFile& file) {
        const auto there = found.find(file.path);
        return there != found.end() && there->second == file.size;
    });
}

int NoteFileCount(const std::vector<DataFile>& manifest) {
    return static_cast<int>(std::count_if(manifest.begin(), manifest.end(), [](const DataFile& file) {
        const std::u16string_view path = file.path;
        return path.starts_with(kNotesFolder) && IsCanonicalNoteFileName(path.substr(kNotesFolder.size()));
    }));
}

std::vector<bool> BackupsToKeep(const std::vector<BackupName>& backups) {
    std::set<std::int64_t, std::greater<>> days;
    std::map<std::int64_t, std::size_t, std::greater<>> newestOfWeek;  // week to the index of its newest backup
    for (std::size_t i = 0; i < backups.size(); ++i) {
        const Moment& made = backups[i].madeAt;
        days.insert(DayNumber(made));
        const auto [week, added] = newestOfWeek.emplace(WeekNumber(made), i);
        if (!added && backups[week->second].madeAt < made) week->second = i;
    }
    std::set<std::int64_t> daysKept;
    for (const std::int64_t day : days) {
        if (daysKept.size() == kBackupDaysKept) break;
        daysKept.insert(day);
    }
    std::vector<bool> keep(backups.size(), false);
    for (std::size_t i = 0; i < backups.size(); ++i) keep[i] = daysKept.contains(DayNumber(backups[i].madeAt));
    int weeks = 0;
    for (const auto& [week, index] : newestOfWeek) {
        if (weeks++ == kBackupWeeksKept) break;
        keep[index] = true;
    }
    return keep;
}

bool IsDailyBackupDue(const std::vector<BackupName>& backups, const Moment& today) {
    return std::none_of(backups.begin(), backups.end(), [&today](const BackupName& backup) {
        return !backup.beforeRestore && DayNumber(backup.madeAt) == DayNumber(today);
    });
}
