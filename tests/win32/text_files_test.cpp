// Files on a real Windows file system (Wine): the data folder, whole-file
// reading with the real UTF-8 conversion, and the atomic replace.
#include <vector>

#include "settings/language_choice.h"
#include "storage/data_directory.h"
#include "storage/text_files.h"
#include "support/shell_data_folder_test.h"
#include "win/wide.h"

namespace {

using DataFiles = DataFolderTest;

// Replaces, for the life of the scope, this program's import of a function
// of kernel32.dll by another. The code under test calls it through the
// import table, so the test takes part in each call as it happens.
class ImportPatch {
public:
    ImportPatch(const char* name, const void* replacement)
        : original_(reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name))) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        for (auto* module = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports); module->Name; ++module) {
            for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk); slot->u1.Function;
                 ++slot) {
                if (reinterpret_cast<const void*>(slot->u1.Function) != original_) continue;
                Write(slot, replacement);
                slots_.push_back(slot);
            }
        }
    }
    ~ImportPatch() {
        for (IMAGE_THUNK_DATA* slot : slots_) Write(slot, original_);
    }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool Found() const { return !slots_.empty(); }

private:
    static void Write(IMAGE_THUNK_DATA* slot, const void* function) {
        DWORD protection = 0;
        VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &protection);
        slot->u1.Function = reinterpret_cast<ULONG_PTR>(function);
        VirtualProtect(slot, sizeof(*slot), protection, &protection);
    }

    const void* original_;
    std::vector<IMAGE_THUNK_DATA*> slots_;
};

// A reader that holds the target of an atomic write, let go at the first
// pause between two attempts to replace it.
HANDLE heldTarget = nullptr;
int pausesTaken = 0;

void WINAPI ReleaseTheTargetInsteadOfPausing(DWORD) {
    ++pausesTaken;
    if (heldTarget) CloseHandle(heldTarget);
    heldTarget = nullptr;
}

}  // namespace

TEST_F(DataFiles, PathsLiveUnderAppDataAndASaveMakesTheFoldersItNeeds) {
    EXPECT_EQ(DataDirectory(), DataPath());
    EXPECT_EQ(DataFilePath(u"son.txt"), DataPath(u"son.txt"));
    EXPECT_EQ(NotesDirectory(), DataPath(u"notes"));
    EXPECT_EQ(LanguageFilePath(u"de"), DataPath(u"lang\\lang_de.txt"));

    // A data folder deleted while the program runs comes back at the next save.
    DeleteTree(DataPath());
    EXPECT_EQ(DataFilePath(u"son.txt"), DataPath(u"son.txt"));
    EXPECT_FALSE(FileExists(DataPath()));  // asking for a path changes nothing
    EXPECT_TRUE(WriteFileAtomic(NotesDirectory() + u"\\note_0000000000000001.txt", "words"));
    EXPECT_EQ(Data().ReadNote(1), "words");
    EnsureDataFolders();
    EXPECT_TRUE(FileExists(DataPath(u"lang")));
}

TEST_F(DataFiles, MissingOrOverlongAppDataFallsBackToCurrentDirectory) {
    SetEnvironmentVariableW(L"APPDATA", nullptr);
    EXPECT_EQ(DataFilePath(u"x"), u".\\Quillboard\\x");

    const std::wstring overlong(260, L'a');
    SetEnvironmentVariableW(L"APPDATA", overlong.c_str());
    EXPECT_EQ(DataFilePath(u"x"), u".\\Quillboard\\x");

    const std::wstring longest(259, L'b');
    SetEnvironmentVariableW(L"APPDATA", longest.c_str());
    EXPECT_EQ(DataFilePath(u"x"), FromWide(longest.c_str()) + u"\\Quillboard\\x");
    RemoveDirectoryW(L".\\Quillboard");
}

TEST_F(DataFiles, Utf8IsDecodedWithOneBomDroppedAndInvalidBytesReplacedAndEncodedWithoutABom) {
    EXPECT_EQ(DecodeUtf8("\xEF\xBB\xBF" "abc"), u"abc");
    EXPECT_EQ(DecodeUtf8("\xEF\xBB\xBF\xEF\xBB\xBF" "a"), u"\xFEFF" u"a");
    EXPECT_EQ(DecodeUtf8("caf\xC3\xA9"), u"café");
    EXPECT_EQ(DecodeUtf8("a\xFF" "b"), u"a\xFFFD" "b");
    EXPECT_EQ(DecodeUtf8(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
    EXPECT_EQ(DecodeUtf8(""), u"");
    // A truncated sequence at the end and a lone surrogate encoded in UTF-8.
    EXPECT_EQ(DecodeUtf8("ab\xE2\x82"), u"ab\xFFFD");
    EXPECT_NE(DecodeUtf8("\xED\xA0\x80").find(u'\xFFFD'), std::u16string::npos);

    const std::u16string text = u"Été 😀 \u2026\r\n";
    EXPECT_EQ(EncodeUtf8(text).substr(0, 2), "\xC3\x89");
    EXPECT_EQ(DecodeUtf8(EncodeUtf8(text)), text);
    EXPECT_EQ(EncodeUtf8(u""), "");
}

// An empty file, or a missing one, reads as empty text.
TEST_F(DataFiles, AtomicWriteReplacesTheFileAndLeavesNoTemporaryOrFailsCleanlyWhereNoFolderCanBe) {
    const std::u16string path = DataFilePath(u"a.txt");
    WriteRawFile(path, "old");
    ASSERT_TRUE(WriteFileAtomic(path, std::string("new\0data", 8)));
    EXPECT_EQ(ReadRawFile(path), std::string("new\0data", 8));
    EXPECT_FALSE(FileExists(path + u".tmp"));
    ASSERT_TRUE(WriteFileAtomic(path, ""));
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(ReadRawFile(path), "");
    EXPECT_EQ(ReadFileBytes(path), "");
    EXPECT_EQ(ReadTextFile(path), u"");
    EXPECT_EQ(ReadTextFile(DataPath(u"missing.txt")), u"");

    // A file stands where its folder would be made.
    EXPECT_FALSE(WriteFileAtomic(DataPath(u"a.txt\\x.txt"), "data"));
    EXPECT_EQ(ReadRawFile(path), "");
}

TEST_F(DataFiles, AtomicWriteToALockedTargetFailsAndKeepsTheOldFile) {
    const std::u16string path = DataFilePath(u"locked.txt");
    WriteRawFile(path, "old content");
    // Another handle holds the target without sharing delete: the replace fails.
    HeldFile holder(path, FILE_SHARE_READ);
    ASSERT_TRUE(holder.Held());

    EXPECT_FALSE(WriteFileAtomic(path, "new content"));
    holder.Release();

    EXPECT_EQ(ReadRawFile(path), "old content");
    EXPECT_EQ(ReadRawFile(path + u".tmp"), "new content");

    // The next attempt overwrites the leftover temporary file and succeeds.
    EXPECT_TRUE(WriteFileAtomic(path, "newer"));
    EXPECT_EQ(ReadRawFile(path), "newer");
    EXPECT_FALSE(FileExists(path + u".tmp"));
}

// A virus scanner or an indexer may read the target at the moment of the
// replace: the first attempt fails, the one after the pause succeeds.
TEST_F(DataFiles, AtomicWriteWaitsOutAReaderThatHoldsTheTargetForAMoment) {
    const std::u16string path = DataFilePath(u"busy.txt");
    WriteRawFile(path, "old");
    heldTarget = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
    ASSERT_NE(heldTarget, INVALID_HANDLE_VALUE);
    pausesTaken = 0;
    bool written = false;
    {
        const ImportPatch pause("Sleep", reinterpret_cast<const void*>(&ReleaseTheTargetInsteadOfPausing));
        EXPECT_TRUE(pause.Found()) << "the program calls Sleep through its import table";
        written = WriteFileAtomic(path, "new");
    }
    if (heldTarget) CloseHandle(heldTarget);
    EXPECT_TRUE(written);
    EXPECT_EQ(pausesTaken, 1);
    EXPECT_EQ(ReadRawFile(path), "new");
    EXPECT_FALSE(FileExists(path + u".tmp"));
}
