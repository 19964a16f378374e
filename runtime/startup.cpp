#include <ole2.h>

#include "base/error_text.h"
#include "base/window_directory.h"
#include "runtime/runtime.h"
#include "runtime/runtime_notify.h"

namespace quarrow {

void Runtime::StartApplication(const ProgramHeader& header) {
  program_ = &header;
  TakeProgramPaths();
}

void Runtime::Initialise() {
  if (program_ == nullptr) return;
  Initialise(*program_);
}

void Runtime::Initialise(const ProgramHeader& header) {
  header_ = &header;
  program_mode_ = header.program_mode;

  if (!ole_initialised_) {
    const HRESULT hr = ::OleInitialize(nullptr);
    ole_initialised_ = SUCCEEDED(hr);
  }

  TakeProgramPaths();
  ::SetCurrentDirectoryA(program_directory_.c_str());

  CreateHiddenOwner();
  main_thread_id_ = ::GetCurrentThreadId();

  if (header.constant_data_size > 0) memory_.SetConstantBlock(header.constant_data, header.constant_data_size);

  if (header.dll_command_count > 0) {
    const std::size_t n = header.dll_command_count;
    dll_.library_names.assign(n, std::string());
    dll_.entry_names.assign(n, std::string());
    dll_.modules.assign(n, nullptr);
    dll_.routines.assign(n, nullptr);
    for (std::size_t i = 0; i < n; ++i) {
      if (header.dll_library_names && header.dll_library_names[i]) dll_.library_names[i] = header.dll_library_names[i];
      if (header.dll_entry_names && header.dll_entry_names[i]) dll_.entry_names[i] = header.dll_entry_names[i];
    }
  }

  for (std::uint32_t i = 0; i < header.library_count; ++i) {
    const LibraryDescriptor* library = header.libraries[i];
    if (library != nullptr && library->notify != nullptr) {
      library->notify(1, reinterpret_cast<std::uintptr_t>(&RuntimeNotify), 0);
    }
  }
  libraries_.assign(header.libraries, header.libraries + header.library_count);
  library_values_.assign(libraries_.size(), 0);

  // Without a window engine the form descriptions cannot be read either.
  if (header.form_description_size > 0 &&
      (!windows_ || !windows_->Read(header.form_description, header.form_description_size, header.code_base))) {
    ReportError(error_message::kFormDataBroken, 0);
  }
}

void Runtime::LoadStartWindow(std::uint32_t window_id) {
  if (!windows_ || !windows_->LoadStartWindow(window_id)) ReportError(error_message::kStartWindowFailed, 0);
}

}  // namespace quarrow
