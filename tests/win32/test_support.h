// Fixture of the in-process Win32 tests: a private data folder that APPDATA
// points at, removed afterwards with every window of ours the test left.
#pragma once

#include <gtest/gtest.h>

#include "support/windows_test_support.h"

class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The program's data folder inside the private APPDATA, or a path in it.
    std::u16string DataPath(const std::u16string& relative = u"") const;

private:
    TemporaryFolder folder_;
    std::u16string savedAppData_;
    bool hadAppData_ = false;
};

// Top-level windows of this process with the given class name.
std::vector<HWND> WindowsOfClass(const wchar_t* className);

// Destroys every top-level window of ours (class "Quillboard...").
void DestroyAllQuillboardWindows();
