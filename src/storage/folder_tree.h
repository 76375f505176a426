// Walking and removing a folder with everything in it: what the backups
// copy, check and rotate.
#pragma once

#include <string>
#include <vector>

#include "storage/core/backup_rules.h"

// Every file under the folder, with its path relative to it ("notes\…"),
// its size and last-write time; empty when the folder cannot be read.
std::vector<DataFile> FilesUnder(const std::u16string& folder);

// The folders right inside a folder, by name.
std::vector<std::u16string> SubfolderNames(const std::u16string& folder);

// Removes the folder and everything under it; true when it is gone.
[[nodiscard]] bool RemoveFolderTree(const std::u16string& folder);

// Makes every folder on the way to `path` (itself included) that is missing.
[[nodiscard]] bool MakeFolderPath(const std::u16string& path);
