#include "ui/folder_picker.h"

#include <objbase.h>
#include <shobjidl.h>

#include <memory>

#include "win/system_function.h"
#include "win/wide.h"

namespace {

// COM is loaded when the picker first opens, not at start: it is the only
// part of the program that needs it.
template <typename Function>
Function* ComFunction(const char* name) {
    return SystemFunction<Function>(L"ole32.dll", name);
}

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using ComPointer = std::unique_ptr<Interface, ComRelease>;

// COM for the life of the scope; a thread where it was already started
// otherwise (another apartment kind) still gets the picker.
class ComScope {
public:
    ComScope() {
        const auto initialize = ComFunction<decltype(CoInitializeEx)>("CoInitializeEx");
        started_ = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }
    ~ComScope() {
        if (started_) ComFunction<decltype(CoUninitialize)>("CoUninitialize")();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool started_ = false;
};

ComPointer<IFileOpenDialog> MakeFolderDialog() {
    IFileOpenDialog* dialog = nullptr;
    const auto create = ComFunction<decltype(CoCreateInstance)>("CoCreateInstance");
    if (!create || FAILED(create(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                 reinterpret_cast<void**>(&dialog)))) {
        return nullptr;
    }
    return ComPointer<IFileOpenDialog>(dialog);
}

// Opens in `folder` when it is there; elsewhere, where the system likes.
void ShowFolder(IFileOpenDialog& dialog, const std::u16string& folder) {
    IShellItem* item = nullptr;
    if (FAILED(SHCreateItemFromParsingName(Wide(folder), nullptr, IID_PPV_ARGS(&item)))) return;
    const ComPointer<IShellItem> owned(item);
    dialog.SetFolder(item);
}

bool ReadChosenFolder(IFileOpenDialog& dialog, std::u16string& picked) {
    IShellItem* item = nullptr;
    if (FAILED(dialog.GetResult(&item))) return false;
    const ComPointer<IShellItem> owned(item);
    PWSTR path = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) return false;
    picked = FromWide(path);
    if (const auto free = ComFunction<decltype(CoTaskMemFree)>("CoTaskMemFree")) free(path);
    return !picked.empty();
}

}  // namespace

bool PickFolder(HWND owner, const std::u16string& title, const std::u16string& start, std::u16string& picked) {
    const ComScope com;
    const ComPointer<IFileOpenDialog> dialog = MakeFolderDialog();
    if (!dialog) return false;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    dialog->SetTitle(Wide(title));
    ShowFolder(*dialog, start);
    return SUCCEEDED(dialog->Show(owner)) && ReadChosenFolder(*dialog, picked);
}
