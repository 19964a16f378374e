#include "units/data_binding.h"

#include "base/window_directory.h"
#include "runtime/runtime_notify.h"

namespace quarrow {

namespace {

// The platform window of the provider unit named `source` on the window, or null.
HWND FindProviderWindow(const LibraryLink& link, std::uint32_t window_id, std::string_view source) {
  auto* windows = reinterpret_cast<WindowDirectory*>(link.Notify(notify_code::kWindowMap));
  return windows == nullptr ? nullptr : windows->FindUnitWindow(window_id, source, kDataProviderFlag);
}

}  // namespace

bool DataBinding::Bind(const LibraryLink& link, std::uint32_t window_id, std::string_view source,
                       DataListener* listener) {
  Release();
  if (source.empty() || listener == nullptr) return false;
  HWND window = FindProviderWindow(link, window_id, source);
  if (window == nullptr) return false;
  auto* provider = reinterpret_cast<DataProvider*>(::SendMessageA(window, kProviderInterfaceMessage, 0, 0));
  if (provider == nullptr) return false;
  provider_ = provider;
  provider_window_ = window;
  listener_ = listener;
  provider_->AddListener(listener_);
  return true;
}

void DataBinding::Release() {
  if (provider_ != nullptr && listener_ != nullptr) provider_->RemoveListener(listener_);
  Forget();
}

void DataBinding::Forget() {
  provider_ = nullptr;
  provider_window_ = nullptr;
  listener_ = nullptr;
}

bool ProviderNoticeConcerns(WPARAM name, std::string_view source) {
  if (source.empty()) return false;
  const auto* text = reinterpret_cast<const char*>(name);
  return text == nullptr || source == std::string_view(text);
}

}  // namespace quarrow
