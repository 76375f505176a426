// The bin of deleted notes: a folder "corbeille" in the data folder, so that
// it travels with a synced folder. A deleted note's file moves there under a
// name that keeps its id and the moment it was deleted:
//   note_<16 hex digits>_<YYYYMMDD-HHMM>.txt
// (a "_2", "_3"… before ".txt" when the same note was deleted twice in one
// minute). Nothing there is loaded at start: no note file name matches.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "storage/core/moment.h"

constexpr int kBinKeepDays = 30;

struct BinName {
    std::uint64_t noteId = 0;
    Moment deletedAt;
    int copy = 1;  // 1 for the first file of that note and minute

    bool operator==(const BinName&) const = default;
};

std::u16string BinFileName(const BinName& name);

// The name's parts, for names BinFileName gives; nothing for any other name.
std::optional<BinName> ParseBinFileName(std::u16string_view fileName);

// True once a note deleted at `deletedAt` has been in the bin for
// kBinKeepDays whole days: it is then removed for good. A moment ahead of
// `now` (a clock set back) is not expired.
bool IsBinFileExpired(const Moment& deletedAt, const Moment& now);

// The first line of a note's text that holds something, trimmed, as a list
// shows a note.
std::u16string FirstLineOf(const std::u16string& body);
