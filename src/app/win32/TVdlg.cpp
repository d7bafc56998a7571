#include "app/win32/TVdlg.h"

#include <algorithm>

#include "base/ResourceIds.h"
#include "base/win32/Wide.h"
#include "platform/FileSystem.h"
#include "search/SearchChoices.h"

namespace pv {

namespace {

constexpr int kImageFolder = 1;
constexpr int kImageFile = 2;
constexpr int kImageDrive = 3;
constexpr SIZE kMinimumTrackSize{602, 410};

// Whether a folder holds anything: such an item gets an expand button.
bool HasEntries(const std::string& folder) {
    FolderListing listing;
    FindRecord record;
    return listing.Open(folder) && listing.Next(record);
}

// The controls that follow the dialog's right edge when it is resized.
const std::vector<AnchoredControl>& Anchors() {
    static const std::vector<AnchoredControl> anchors = [] {
        std::vector<AnchoredControl> a{{IDC_SEARCH_TREE, Anchor::GrowBoth},
                                       {IDC_SEARCH_FOLDER_GROUP, Anchor::GrowWidth},
                                       {IDC_SEARCH_ROOT, Anchor::GrowWidth}};
        for (int id : {IDC_SEARCH_INCLUDE, IDC_SEARCH_LABEL_SIZE_TO, IDC_SEARCH_LABEL_DATE_TO, IDC_SEARCH_SIZE_GROUP,
                       IDC_SEARCH_DATE_GROUP, IDC_SEARCH_LABEL_SORT, IDC_SEARCH_CHECK_SIZE, IDC_SEARCH_CHECK_DATE,
                       IDC_SEARCH_STATUS, IDC_SEARCH_DATE_FROM, IDC_SEARCH_DATE_TO, IDC_SEARCH_MIN_SIZE,
                       IDC_SEARCH_MAX_SIZE, IDC_SEARCH_SORT, IDOK, IDCANCEL}) {
            a.push_back({id, Anchor::MoveRight});
        }
        return a;
    }();
    return anchors;
}

}  // namespace

CTVdlg::CTVdlg(SharedLists& lists, HWND frame)
    : SearchDialog(IDD_FOLDERS, IDC_SEARCH_EXTENSIONS, SearchDialogKind::Tree, lists, frame) {}

HWND CTVdlg::Tree() const {
    return GetDlgItem(hwnd(), IDC_SEARCH_TREE);
}

bool CTVdlg::OnInitDialog() {
    SearchDialog::OnInitDialog();
    SetDlgItemTextW(hwnd(), IDC_SEARCH_ROOT, Widen(values_.treeFullPath).c_str());
    images_.Reset(ImageList_LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_TREE_IMAGES), 16, 0,
                                       RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION));
    SendMessageW(Tree(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_.get()));
    AddDrives();
    if (!values_.treeFullPath.empty()) {
        SelectStoredRoot();
        RestoreSizeAndPlace();
    }
    return true;
}

HTREEITEM CTVdlg::InsertItem(HTREEITEM parent, const std::string& text, int image, HTREEITEM after) {
    std::wstring wide = Widen(text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = wide.data();
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    return reinterpret_cast<HTREEITEM>(SendMessageW(Tree(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

// An empty child that only makes the expand button show; expanding replaces it.
void CTVdlg::AddPlaceholder(HTREEITEM item) {
    InsertItem(item, "", 0, TVI_LAST);
}

void CTVdlg::AddDrives() {
    wchar_t drives[512] = {};
    const DWORD length = GetLogicalDriveStringsW(511, drives);
    if (length == 0 || length > 511) {
        return;
    }
    for (const wchar_t* d = drives; *d != L'\0'; d += wcslen(d) + 1) {
        const UINT type = GetDriveTypeW(d);
        if (type != DRIVE_FIXED && type != DRIVE_REMOTE && type != DRIVE_CDROM) {
            continue;
        }
        std::string root = Narrow(d);
        std::string name = root;
        if (!name.empty() && name.back() == '\\') {
            name.pop_back();
        }
        HTREEITEM item = InsertItem(TVI_ROOT, name, kImageDrive, TVI_SORT);
        if (HasEntries(root)) {
            AddPlaceholder(item);
        }
    }
}

void CTVdlg::DeleteChildren(HTREEITEM item) {
    HWND tree = Tree();
    HTREEITEM child = TreeView_GetChild(tree, item);
    while (child != nullptr) {
        HTREEITEM next = TreeView_GetNextSibling(tree, child);
        TreeView_DeleteItem(tree, child);
        child = next;
    }
}

void CTVdlg::Expand(HTREEITEM item) {
    DeleteChildren(item);
    const std::string folder = PathOf(item);
    // Folders first, sorted, each with a button when it holds anything; then the files in
    // the order the file system lists them. One listing serves both.
    FolderListing listing;
    if (!listing.Open(folder)) {
        return;  // a drive or folder that cannot be read shows no children
    }
    std::vector<std::string> files;
    FindRecord record;
    while (listing.Next(record)) {
        if (!record.IsFolder()) {
            files.push_back(std::move(record.name));
            continue;
        }
        HTREEITEM child = InsertItem(item, record.name, kImageFolder, TVI_SORT);
        if (HasEntries(folder + record.name + "\\")) {
            AddPlaceholder(child);
        }
    }
    for (const std::string& name : files) {
        InsertItem(item, name, kImageFile, TVI_LAST);
    }
}

void CTVdlg::Collapse(HTREEITEM item) {
    DeleteChildren(item);
    AddPlaceholder(item);
}

std::string CTVdlg::ItemText(HTREEITEM item) const {
    wchar_t text[MAX_PATH + 1] = {};
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = MAX_PATH;
    SendMessageW(Tree(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    return Narrow(text);
}

std::string CTVdlg::PathOf(HTREEITEM item) const {
    std::vector<std::string> texts;
    for (HTREEITEM i = item; i != nullptr; i = TreeView_GetParent(Tree(), i)) {
        texts.push_back(ItemText(i));
    }
    std::reverse(texts.begin(), texts.end());
    return TreePathOf(texts);
}

void CTVdlg::OnSelected(HTREEITEM item) {
    treePath_ = item != nullptr ? PathOf(item) : std::string();
    SetDlgItemTextW(hwnd(), IDC_SEARCH_ROOT, Widen(treePath_).c_str());
}

void CTVdlg::SelectStoredRoot() {
    HWND tree = Tree();
    HTREEITEM level = TreeView_GetRoot(tree);
    for (const std::string& component : TreePathComponents(values_.treeFullPath)) {
        HTREEITEM match = nullptr;
        for (HTREEITEM i = level; i != nullptr; i = TreeView_GetNextSibling(tree, i)) {
            if (TreeTextMatches(ItemText(i), component)) {
                match = i;
                break;
            }
        }
        if (match == nullptr) {
            return;  // a folder that vanished: nothing deeper is selected
        }
        TreeView_Expand(tree, match, TVE_EXPAND);
        TreeView_SelectItem(tree, match);
        level = TreeView_GetChild(tree, match);
    }
}

void CTVdlg::RestoreSizeAndPlace() {
    const DialogRect stored = ReadFolderRect().value_or(DialogRect{});
    resizer_.Attach(hwnd(), Anchors(), kMinimumTrackSize);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    // A stored size outside what the user can make by dragging (edited, or from another
    // screen) is brought back within the minimum and the screen.
    const int width = std::clamp<int>(stored.right - stored.left, kMinimumTrackSize.cx,
                                      std::max<int>(screenWidth, kMinimumTrackSize.cx));
    const int height = std::clamp<int>(stored.bottom - stored.top, kMinimumTrackSize.cy,
                                       std::max<int>(screenHeight, kMinimumTrackSize.cy));
    SetWindowPos(hwnd(), nullptr, (screenWidth - width) / 2, (screenHeight - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTVdlg::ResetFlagsToDefault() {
    values_.checkInclude = 1;
    values_.checkTitle = 0;
    values_.checkSize = 0;
    values_.checkDate = 0;
}

OkOutcome CTVdlg::RunSequence(const OkRequest& request) {
    return RunTreeDialogOk(lists_, request, *this);
}

void CTVdlg::OpenPathAsFile() {
    SendMessageW(frame_, UM_OPENPATH, 0, 0);
}

bool CTVdlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
        if (hdr->idFrom != IDC_SEARCH_TREE) {
            break;
        }
        const auto* tv = reinterpret_cast<const NMTREEVIEWW*>(lp);
        if (hdr->code == TVN_ITEMEXPANDINGW) {
            if (tv->action == TVE_EXPAND) {
                Expand(tv->itemNew.hItem);
            } else if (tv->action == TVE_COLLAPSE) {
                Collapse(tv->itemNew.hItem);
            }
            SetResult(FALSE);
            return true;
        }
        if (hdr->code == TVN_SELCHANGEDW) {
            OnSelected(tv->itemNew.hItem);
            return true;
        }
        break;
    }
    case WM_SIZE: resizer_.OnSize(); return true;
    case WM_GETMINMAXINFO: return resizer_.OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lp));
    default: break;
    }
    return SearchDialog::OnMessage(msg, wp, lp);
}

}  // namespace pv
