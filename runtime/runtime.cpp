#include "runtime/runtime.h"

#include <algorithm>

#include "base/error_text.h"
#include "base/music.h"
#include "base/window_directory.h"

namespace quarrow {

namespace {

// The runtime heap is the process heap, which serialises itself.
class ProcessHeap final : public HeapBackend {
 public:
  void* Allocate(std::size_t size) override { return ::HeapAlloc(::GetProcessHeap(), 0, size); }
  void* Reallocate(void* block, std::size_t size) override {
    return ::HeapReAlloc(::GetProcessHeap(), 0, block, size);
  }
  void Free(void* block) override { ::HeapFree(::GetProcessHeap(), 0, block); }
};

class ReportAllocationFailure final : public FailureSink {
 public:
  [[noreturn]] void AllocationFailed(std::size_t size) override {
    TheRuntime().ReportError(AllocationFailureMessage(size), 0);
  }
};

ProcessHeap process_heap;
ReportAllocationFailure allocation_failure;

constexpr char kHiddenOwnerClass[] = "_ZR_HideOwner";

}  // namespace

// The one runtime object. Constructed during static initialisation, before the entry point runs.
Runtime the_runtime;

Runtime& TheRuntime() { return the_runtime; }

Runtime::Runtime() : memory_(process_heap, allocation_failure) {}

Runtime::~Runtime() {
  // The second, empty shutdown at process exit: every list is already empty.
  Shutdown(0);
}

void Runtime::Equip(std::unique_ptr<WindowDirectory> windows, std::unique_ptr<Music> music) {
  if (!windows_) windows_ = std::move(windows);
  if (!sound_) sound_ = std::move(music);
}

void Runtime::TakeProgramPaths() {
  char path[MAX_PATH + 1] = {};
  const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string module(path, n);
  const auto slash = module.rfind('\\');
  if (slash == std::string::npos) {
    program_directory_.clear();
    program_file_name_ = module;
  } else {
    program_directory_ = module.substr(0, slash);
    program_file_name_ = module.substr(slash + 1);
  }
  program_directory_slash_ = slash == std::string::npos ? std::string() : module.substr(0, slash + 1);
}

void Runtime::CreateHiddenOwner() {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  if (!::GetClassInfoA(instance, kHiddenOwnerClass, &existing)) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HiddenOwnerProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    wc.lpszClassName = kHiddenOwnerClass;
    ::RegisterClassA(&wc);
  }
  hidden_owner_.Reset(
      ::CreateWindowExA(WS_EX_TOOLWINDOW, kHiddenOwnerClass, "", 0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr));
}

const UnitTypeEntry* Runtime::FindUnitType(DataType unit_type) const {
  if (!type::IsLibraryType(unit_type)) return nullptr;
  const std::uint32_t library = unit_type >> 16;
  const std::uint32_t number = unit_type & 0xFFFF;
  if (library < 1 || library > libraries_.size() || number < 1) return nullptr;
  const LibraryDescriptor* descriptor = libraries_[library - 1];
  if (descriptor == nullptr || number > descriptor->unit_type_count || descriptor->unit_types == nullptr) {
    return nullptr;
  }
  const UnitTypeEntry* entry = &descriptor->unit_types[number - 1];
  return entry->Empty() ? nullptr : entry;
}

void Runtime::RegisterExitRoutine(ExitRoutine routine) {
  if (routine == nullptr) return;
  ScopedLock hold(shutdown_lock_);
  if (std::find(exit_routines_.begin(), exit_routines_.end(), routine) == exit_routines_.end()) {
    exit_routines_.push_back(routine);
  }
}

void Runtime::AddIdleCallback(HWND window, IdleRoutine routine, std::uintptr_t argument) {
  if (std::find(idle_windows_.begin(), idle_windows_.end(), window) != idle_windows_.end()) return;
  idle_windows_.push_back(window);
  idle_routines_.push_back(routine);
  idle_arguments_.push_back(argument);
}

void Runtime::RemoveIdleCallback(HWND window) {
  const auto it = std::find(idle_windows_.begin(), idle_windows_.end(), window);
  if (it == idle_windows_.end()) return;
  const auto i = it - idle_windows_.begin();
  idle_windows_.erase(it);
  idle_routines_.erase(idle_routines_.begin() + i);
  idle_arguments_.erase(idle_arguments_.begin() + i);
}

void Runtime::RunIdleCallbacks() {
  for (std::size_t i = idle_windows_.size(); i-- > 0;) {
    if (i >= idle_windows_.size()) continue;  // a routine removed entries behind us
    if (::IsWindow(idle_windows_[i])) {
      idle_routines_[i](idle_arguments_[i]);
    } else {
      RemoveIdleCallback(idle_windows_[i]);
    }
  }
}

void Runtime::DefaultIcons(HICON* large, HICON* small) {
  if (!icons_loaded_) {
    icons_loaded_ = true;
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    large_icon_.Reset(static_cast<HICON>(::LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON,
                                                      ::GetSystemMetrics(SM_CXICON),
                                                      ::GetSystemMetrics(SM_CYICON), 0)));
    small_icon_.Reset(static_cast<HICON>(::LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON,
                                                      ::GetSystemMetrics(SM_CXSMICON),
                                                      ::GetSystemMetrics(SM_CYSMICON), 0)));
  }
  if (large) *large = large_icon_.Get();
  if (small) *small = small_icon_.Get();
}

}  // namespace quarrow
