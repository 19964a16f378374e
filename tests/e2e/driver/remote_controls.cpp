#include "tests/e2e/driver/remote_controls.h"

#include <commctrl.h>

#include <cstring>

namespace quarrow::e2e {

namespace {

struct TopSearch {
  DWORD pid;
  const std::string* cls;
  const std::string* caption;
  HWND found;
};

BOOL CALLBACK FindTop(HWND window, LPARAM param) {
  auto* s = reinterpret_cast<TopSearch*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  if (pid != s->pid) return TRUE;
  char cls[64] = {};
  ::GetClassNameA(window, cls, sizeof cls);
  if (*s->cls == cls && WindowText(window) == *s->caption) {
    s->found = window;
    return FALSE;
  }
  return TRUE;
}

struct ChildSearch {
  const std::string* cls;
  std::vector<HWND>* found;
};

BOOL CALLBACK CollectChildren(HWND window, LPARAM param) {
  auto* s = reinterpret_cast<ChildSearch*>(param);
  char cls[64] = {};
  ::GetClassNameA(window, cls, sizeof cls);
  if (::lstrcmpiA(cls, s->cls->c_str()) == 0) s->found->push_back(window);
  return TRUE;
}

// Memory inside another process, for messages whose parameters are pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND owner, std::size_t size) : size_(size) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(owner, &pid);
    process_ = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) address_ = ::VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_) ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) ::CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  bool Ok() const { return address_ != nullptr; }
  void* Address(std::size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
  bool Write(std::size_t offset, const void* data, std::size_t n) const {
    return ::WriteProcessMemory(process_, Address(offset), data, n, nullptr) != FALSE;
  }
  bool Read(std::size_t offset, void* data, std::size_t n) const {
    return ::ReadProcessMemory(process_, Address(offset), data, n, nullptr) != FALSE;
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  std::size_t size_;
};

}  // namespace

HWND WaitForTopLevel(DWORD process_id, const std::string& window_class, const std::string& caption,
                     DWORD timeout_ms) {
  TopSearch search{process_id, &window_class, &caption, nullptr};
  WaitUntil(
      [&] {
        search.found = nullptr;
        ::EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr && ::IsWindowVisible(search.found);
      },
      timeout_ms);
  return search.found;
}

std::vector<HWND> FindControls(HWND top, const std::string& window_class) {
  std::vector<HWND> found;
  ChildSearch search{&window_class, &found};
  ::EnumChildWindows(top, CollectChildren, reinterpret_cast<LPARAM>(&search));
  return found;
}

RECT RectIn(HWND top, HWND control) {
  RECT r;
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(HWND_DESKTOP, top, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

HWND FindControl(HWND top, const std::string& window_class, int left, int top_y) {
  for (HWND control : FindControls(top, window_class)) {
    const RECT r = RectIn(top, control);
    if (std::abs(r.left - left) <= 2 && std::abs(r.top - top_y) <= 2) return control;
  }
  return nullptr;
}

void SetTextOf(HWND window, const std::string& text) {
  ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int ListViewRowCount(HWND list_view) {
  return static_cast<int>(::SendMessageA(list_view, LVM_GETITEMCOUNT, 0, 0));
}

namespace {

constexpr std::size_t kCellTextSize = 4096;

std::vector<std::string> ReadRowThrough(const RemoteBuffer& remote, HWND list_view, int row, int columns) {
  std::vector<std::string> cells;
  for (int column = 0; column < columns; ++column) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = static_cast<char*>(remote.Address(sizeof(LVITEMA)));
    item.cchTextMax = kCellTextSize;
    remote.Write(0, &item, sizeof item);
    const LRESULT n = ::SendMessageA(list_view, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                     reinterpret_cast<LPARAM>(remote.Address()));
    std::string text(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) remote.Read(sizeof(LVITEMA), text.data(), text.size());
    cells.push_back(text);
  }
  return cells;
}

}  // namespace

std::vector<std::string> ReadListViewRow(HWND list_view, int row, int columns) {
  RemoteBuffer remote(list_view, sizeof(LVITEMA) + kCellTextSize);
  if (!remote.Ok()) return {};
  return ReadRowThrough(remote, list_view, row, columns);
}

std::vector<std::vector<std::string>> ReadListView(HWND list_view, int columns) {
  std::vector<std::vector<std::string>> rows;
  RemoteBuffer remote(list_view, sizeof(LVITEMA) + kCellTextSize);
  if (!remote.Ok()) return rows;
  const int count = ListViewRowCount(list_view);
  rows.reserve(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row) rows.push_back(ReadRowThrough(remote, list_view, row, columns));
  return rows;
}

std::vector<std::string> ReadListBox(HWND list_box) {
  // Across processes the entries come back as UTF-16 whatever the caller asks for: ask for that and convert.
  std::vector<std::string> entries;
  const int count = static_cast<int>(::SendMessageW(list_box, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const LRESULT length = ::SendMessageW(list_box, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    const LRESULT n = ::SendMessageW(list_box, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    std::string text(wide.size() * 2 + 1, '\0');
    const int bytes = ::WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                                            static_cast<int>(text.size()), nullptr, nullptr);
    text.resize(static_cast<std::size_t>(bytes > 0 ? bytes : 0));
    entries.push_back(text);
  }
  return entries;
}

std::vector<int> ListBoxSelection(HWND list_box) {
  std::vector<int> selected;
  const int count = static_cast<int>(::SendMessageA(list_box, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (::SendMessageA(list_box, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) selected.push_back(i);
  }
  return selected;
}

}  // namespace quarrow::e2e
