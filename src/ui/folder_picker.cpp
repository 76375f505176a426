#include "ui/folder_picker.h"

#include <objbase.h>
#include <shobjidl.h>

#include <memory>

#include "win/wide.h"

namespace {

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using ComPointer = std::unique_ptr<Interface, ComRelease>;

// COM for the life of the scope; a thread where it was already started
// otherwise (another apartment kind) still gets the picker.
class ComScope {
public:
    ComScope() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComScope() {
        if (started_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool started_;
};

ComPointer<IFileOpenDialog> MakeFolderDialog() {
    IFileOpenDialog* dialog = nullptr;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog)))) {
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
    CoTaskMemFree(path);
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
