// Fixture of the in-process Win32 tests: a private data folder that APPDATA
// points at, the note window class and note menu registered as start-up
// does, the category store and the sound settings as a new folder has
// them, and afterwards every window of ours the test left destroyed and the
// store and settings put back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "reminders/core/sound_settings.h"
#include "storage/core/category_store.h"
#include "support/data_folder.h"

class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const DataFolder& Data() const { return data_; }
    // The program's data folder inside the private APPDATA, or a path in it.
    std::u16string DataPath(const std::u16string& relative = u"") const { return data_.DataPath(relative); }

private:
    DataFolder data_;
    std::u16string savedAppData_;
    bool hadAppData_ = false;
    CategoryStore savedCategories_;
    SoundSettings savedSound_;
};

// Destroys every top-level window of ours (class "Quillboard...").
void DestroyAllQuillboardWindows();
