// Fixture of the in-process Win32 tests: a private data folder that APPDATA
// points at (and LOCALAPPDATA at its "Local" folder, for the backups), a
// fresh program state (as a new start in French has it: the built-in French
// table active), the note window class and note menu registered as start-up
// does, and afterwards every window of ours the test left destroyed.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "app/program_state.h"
#include "support/data_folder.h"

class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const DataFolder& Data() const { return data_; }
    // The program's data folder inside the private APPDATA, or a path in it.
    std::u16string DataPath(const std::u16string& relative = u"") const { return data_.DataPath(relative); }

    ProgramState& State() { return state_; }

private:
    DataFolder data_;
    std::u16string savedAppData_;
    bool hadAppData_ = false;
    std::u16string savedLocalAppData_;  // the backups' folder is in LOCALAPPDATA
    bool hadLocalAppData_ = false;
    ProgramState state_;
    std::optional<ProgramStateBinding> binding_;
};

// Destroys every top-level window of ours (class "Quillboard...").
void DestroyAllQuillboardWindows();
