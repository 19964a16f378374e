#include "units/data_binding.h"

#include "forms/window_map.h"
#include "runtime/runtime_notify.h"

namespace quarrow {

namespace {

// The platform window of the provider unit named `source` on the window, or null.
HWND FindProviderWindow(const LibraryLink& link, std::uint32_t window_id, const std::string& source) {
  auto* windows = reinterpret_cast<forms::WindowMap*>(link.Notify(notify_code::kWindowMap));
  if (windows == nullptr) return nullptr;
  forms::WindowRecord* window = windows->Find(window_id);
  if (window == nullptr || !window->Loaded()) return nullptr;
  for (const forms::LiveUnit& unit : window->working) {
    if (unit.IsMenuItem() || !unit.Live()) continue;
    if (::lstrcmpiA(unit.Record().name.c_str(), source.c_str()) != 0) continue;
    const auto* type =
        reinterpret_cast<const UnitTypeEntry*>(link.Notify(notify_code::kUnitTypeEntry, unit.UnitType()));
    if (type != nullptr && (type->flags & kDataProviderFlag)) return unit.Window();
  }
  return nullptr;
}

}  // namespace

bool DataBinding::Bind(const LibraryLink& link, std::uint32_t window_id, std::string_view source,
                       DataListener* listener) {
  Release();
  if (source.empty() || listener == nullptr) return false;
  HWND window = FindProviderWindow(link, window_id, std::string(source));
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
