// The Explorer reader against a stand-in for the shell's window list, handed to its worker: two
// windows, the front one with two tabs, a virtual folder, a window browsing inside a .zip and a
// window that does not answer until it is released.
#include "explorer/win32_explorer_windows.h"

#include <windows.h>
// After windows.h:
#include <exdisp.h>
#include <servprov.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "win32/unique_handle.h"
#include "win32/window_class.h"

namespace hop {
namespace {

// clang-format off
#define HOP_STUB(name, ...) \
  HRESULT STDMETHODCALLTYPE name(__VA_ARGS__) override { return E_NOTIMPL; }
#define HOP_NO_DISPATCH \
  HOP_STUB(GetTypeInfoCount, UINT*) \
  HOP_STUB(GetTypeInfo, UINT, LCID, ITypeInfo**) \
  HOP_STUB(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*) \
  HOP_STUB(Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
// The objects live as long as the test; the reader's references are not counted.
#define HOP_NOT_COUNTED \
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; } \
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
// clang-format on

// One window or tab: a browser whose active view shows `folder`, in the tab window `tab`.
class FakeTab final : public IDispatch,
                      public IServiceProvider,
                      public IShellBrowser,
                      public IShellView,
                      public IFolderView,
                      public IPersistFolder2 {
 public:
  FakeTab(PIDLIST_ABSOLUTE folder, HWND tab, HANDLE answerAfter = nullptr)
      : folder_(folder), tab_(tab), answerAfter_(answerAfter) {}
  ~FakeTab() { ::ILFree(folder_); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch) *out = static_cast<IDispatch*>(this);
    if (iid == IID_IServiceProvider) *out = static_cast<IServiceProvider*>(this);
    if (iid == IID_IFolderView) *out = static_cast<IFolderView*>(this);
    return *out ? S_OK : E_NOINTERFACE;
  }
  HOP_NOT_COUNTED
  HOP_NO_DISPATCH
  HRESULT STDMETHODCALLTYPE QueryService(REFGUID, REFIID iid, void** out) override {
    *out = iid == IID_IShellBrowser ? static_cast<IShellBrowser*>(this) : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  // Input-synchronized, as COM marks IOleWindow::GetWindow: refused from a multi-threaded
  // apartment with COM's own error.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    if (FAILED(::CoGetApartmentType(&type, &qualifier)) || type == APTTYPE_MTA) {
      *window = nullptr;
      return RPC_E_CANTCALLOUT_ININPUTSYNCCALL;
    }
    *window = tab_;
    return tab_ ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE QueryActiveShellView(IShellView** view) override {
    *view = this;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetFolder(REFIID iid, void** out) override {
    *out = iid == IID_IPersistFolder2 ? static_cast<IPersistFolder2*>(this) : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE GetCurFolder(PIDLIST_ABSOLUTE* folder) override {
    if (answerAfter_) ::WaitForSingleObject(answerAfter_, INFINITE);
    *folder = ::ILClone(folder_);
    return S_OK;
  }
  HOP_STUB(ContextSensitiveHelp, WINBOOL)
  HOP_STUB(InsertMenusSB, HMENU, LPOLEMENUGROUPWIDTHS)
  HOP_STUB(SetMenuSB, HMENU, HOLEMENU, HWND)
  HOP_STUB(RemoveMenusSB, HMENU)
  HOP_STUB(SetStatusTextSB, LPCWSTR)
  HOP_STUB(EnableModelessSB, WINBOOL)
  HOP_STUB(TranslateAcceleratorSB, MSG*, WORD)
  HOP_STUB(BrowseObject, PCUIDLIST_RELATIVE, UINT)
  HOP_STUB(GetViewStateStream, DWORD, IStream**)
  HOP_STUB(GetControlWindow, UINT, HWND*)
  HOP_STUB(SendControlMsg, UINT, UINT, WPARAM, LPARAM, LRESULT*)
  HOP_STUB(OnViewWindowActive, IShellView*)
  HOP_STUB(SetToolbarItems, LPTBBUTTONSB, UINT, UINT)
  HOP_STUB(TranslateAccelerator, MSG*)
  HOP_STUB(EnableModeless, WINBOOL)
  HOP_STUB(UIActivate, UINT)
  HOP_STUB(Refresh)
  HOP_STUB(CreateViewWindow, IShellView*, LPCFOLDERSETTINGS, IShellBrowser*, RECT*, HWND*)
  HOP_STUB(DestroyViewWindow)
  HOP_STUB(GetCurrentInfo, LPFOLDERSETTINGS)
  HOP_STUB(AddPropertySheetPages, DWORD, LPFNSVADDPROPSHEETPAGE, LPARAM)
  HOP_STUB(SaveViewState)
  HOP_STUB(SelectItem, PCUITEMID_CHILD, SVSIF)
  HOP_STUB(GetItemObject, UINT, REFIID, void**)
  HOP_STUB(GetCurrentViewMode, UINT*)
  HOP_STUB(SetCurrentViewMode, UINT)
  HOP_STUB(Item, int, PITEMID_CHILD*)
  HOP_STUB(ItemCount, UINT, int*)
  HOP_STUB(Items, UINT, REFIID, void**)
  HOP_STUB(GetSelectionMarkedItem, int*)
  HOP_STUB(GetFocusedItem, int*)
  HOP_STUB(GetItemPosition, PCUITEMID_CHILD, POINT*)
  HOP_STUB(GetSpacing, POINT*)
  HOP_STUB(GetDefaultSpacing, POINT*)
  HOP_STUB(GetAutoArrange)
  HOP_STUB(SelectItem, int, DWORD)
  HOP_STUB(SelectAndPositionItems, UINT, PCUITEMID_CHILD_ARRAY, POINT*, DWORD)
  HOP_STUB(GetClassID, CLSID*)
  HOP_STUB(Initialize, PCIDLIST_ABSOLUTE)

 private:
  PIDLIST_ABSOLUTE folder_;
  HWND tab_;
  HANDLE answerAfter_;
};

// The window list, handed to the reader's worker in the worker's own apartment.
class FakeShellWindows final : public IShellWindows {
 public:
  explicit FakeShellWindows(std::vector<FakeTab*> tabs) : tabs_(std::move(tabs)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IShellWindows) *out = static_cast<IShellWindows*>(this);
    return *out ? S_OK : E_NOINTERFACE;
  }
  HOP_NOT_COUNTED
  HOP_NO_DISPATCH
  IShellWindows* Hand() {
    ++asked;
    return this;
  }
  std::atomic<int> asked{0};
  HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
    *count = static_cast<LONG>(tabs_.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Item(VARIANT index, IDispatch** window) override {
    *window =
        index.vt == VT_I4 && index.lVal >= 0 && static_cast<std::size_t>(index.lVal) < tabs_.size()
            ? tabs_[index.lVal]
            : nullptr;
    return *window ? S_OK : S_FALSE;
  }
  HOP_STUB(_NewEnum, IUnknown**)
  HOP_STUB(Register, IDispatch*, LONG, int, LONG*)
  HOP_STUB(RegisterPending, LONG, VARIANT*, VARIANT*, int, LONG*)
  HOP_STUB(Revoke, LONG)
  HOP_STUB(OnNavigate, LONG, VARIANT*)
  HOP_STUB(OnActivated, LONG, VARIANT_BOOL)
  HOP_STUB(FindWindowSW, VARIANT*, VARIANT*, int, LONG*, int, IDispatch**)
  HOP_STUB(OnCreated, LONG, IUnknown*)
  HOP_STUB(ProcessAttachDetach, VARIANT_BOOL)

 private:
  std::vector<FakeTab*> tabs_;
};

constexpr WNDCLASSEXW kFolderWindow{.lpfnWndProc = ::DefWindowProcW,
                                    .lpszClassName = kExplorerFolderClass};
constexpr WNDCLASSEXW kTabWindow{.lpfnWndProc = ::DefWindowProcW,
                                 .lpszClassName = L"ShellTabWindowClass"};

// Top-level windows are Explorer's folder windows by their class; children are tabs, each
// visible as Windows 11 leaves them: the shown one is the first in Z-order.
HWND Window(HWND parent, bool visible) {
  const DWORD style = (parent ? WS_CHILD | WS_VISIBLE : WS_POPUP) | (visible ? WS_VISIBLE : 0);
  const HWND window =
      ::CreateWindowExW(0, parent ? kTabWindow.lpszClassName : kExplorerFolderClass, L"", style, 0,
                        0, 10, 10, parent, nullptr, nullptr, nullptr);
  if (parent && visible)
    ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return window;
}

PIDLIST_ABSOLUTE Folder(const std::wstring& path) {
  return ::ILCreateFromPathW(path.c_str());
}

TEST(ExplorerWindows, ReadsFrontToBackShownTabFirstGivesUpOnAHangAsksOnlyWithAFolderWindow) {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring awkward = std::wstring(temp) + L"hop R&D (\u00dcber) 100%";
  ::CreateDirectoryW(awkward.c_str(), nullptr);
  const std::wstring archive = std::wstring(temp) + L"hop archive.zip";
  ::CloseHandle(
      ::CreateFileW(archive.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  const win32::WindowClass folderWindows(kFolderWindow), tabWindows(kTabWindow);
  // Front to back: the hanging window, the back window, the front window with two tabs.
  const HWND hanging = Window(nullptr, false), back = Window(nullptr, false),
             front = Window(nullptr, false);
  for (HWND frame : {hanging, back, front})
    ::SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const win32::UniqueKernelHandle answer(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  PIDLIST_ABSOLUTE thisPc = nullptr;
  ::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &thisPc);
  FakeTab hiddenTab(Folder(L"C:\\windows\\system32"), Window(front, false)),
      backWindow(Folder(awkward), Window(back, true)),
      shownTab(Folder(L"C:\\windows"), Window(front, true)), virtualFolder(thisPc, nullptr),
      insideZip(Folder(archive), back),
      notAnswering(Folder(L"C:\\"), Window(hanging, true), answer.get());
  FakeShellWindows list(
      {&hiddenTab, &backWindow, &shownTab, &virtualFolder, &insideZip, &notAnswering});
  ExplorerWindows reader(kExplorerReadBound, [&list] { return list.Hand(); });
  const auto started = std::chrono::steady_clock::now();
  const auto firstRead = OpenFolders(reader.Read());
  const auto took = std::chrono::steady_clock::now() - started;
  EXPECT_EQ(firstRead,
            (std::vector<std::wstring>{L"C:\\windows", L"C:\\windows\\system32", awkward}));
  EXPECT_LT(took, kExplorerReadBound + std::chrono::milliseconds(250));
  // The worker given up on is still out: no second one, no section.
  EXPECT_TRUE(reader.Read().empty());

  // Once the window answers, the next read lists it too.
  ::SetEvent(answer.get());
  std::vector<std::wstring> later;
  for (int tries = 0; tries < 40 && later.empty(); ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    later = OpenFolders(reader.Read());
  }
  EXPECT_EQ(later, (std::vector<std::wstring>{L"C:\\windows", L"C:\\windows\\system32", awkward,
                                              L"C:\\"}));
  // With no folder window left, the shell is not asked at all.
  for (HWND frame : {hanging, back, front}) ::DestroyWindow(frame);
  const int asked = list.asked;
  EXPECT_TRUE(reader.Read().empty());
  EXPECT_EQ(list.asked, asked);
  ::RemoveDirectoryW(awkward.c_str());
  ::DeleteFileW(archive.c_str());
}

}  // namespace
}  // namespace hop
