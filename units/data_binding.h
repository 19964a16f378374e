// Data-source binding, the listener side. A unit with DataSource and DataColumn properties shows the named column
// of the current record of a data provider: a unit of the same window, found by name (case-insensitively), whose
// unit type has the data-provider flag. The provider calls its listeners back when its current record moves, is
// reloaded or changes, when its read-only state changes, and when it collects pending edits.
//
// No unit type of this program is a provider, so bindings find none and bound units behave as unbound; the
// interfaces below are what a provider would implement.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "base/library_link.h"

namespace quarrow {

// The unit-type flag of data providers.
inline constexpr std::uint32_t kDataProviderFlag = 0x00080000;
// Sent to a provider's window: it answers with the address of its DataProvider.
inline constexpr UINT kProviderInterfaceMessage = WM_APP + 0x71;

enum class DataChange {
  kMoved,           // another record is current
  kReloaded,        // the records were read again
  kRecordChanged,   // the current record changed; column names the changed column, empty for all
  kReadOnlyChanged  // the provider became read-only or writable
};

class DataListener {
 public:
  virtual ~DataListener() = default;
  virtual void DataChanged(DataChange change, std::string_view column) = 0;
  // The provider collects pending edits into its current record.
  virtual void CollectEdits() = 0;
  // The provider goes away; the listener must not call it again.
  virtual void ProviderGone() = 0;
};

class DataProvider {
 public:
  virtual ~DataProvider() = default;
  virtual void AddListener(DataListener* listener) = 0;
  virtual void RemoveListener(DataListener* listener) = 0;
  virtual bool ReadOnly() const = 0;
  // The current record's value of a column as text; empty when there is no current record or no such column.
  virtual std::string ColumnValue(std::string_view column) const = 0;
  virtual void SetColumnValue(std::string_view column, std::string_view value) = 0;
};

// One unit's attachment to a provider.
class DataBinding {
 public:
  DataBinding() = default;
  DataBinding(const DataBinding&) = delete;
  DataBinding& operator=(const DataBinding&) = delete;
  ~DataBinding() { Release(); }

  // Looks up the provider named `source` among the units of the window (through the window registry, runtime
  // notify code 1001, and the unit-type entries, code 1002) and attaches the listener to it; detaches when none
  // is found or the name is empty. True when attached.
  bool Bind(const LibraryLink& link, std::uint32_t window_id, std::string_view source, DataListener* listener);
  // Detaches from the provider.
  void Release();
  // The provider went away by itself.
  void Forget();

  DataProvider* Provider() const { return provider_; }
  HWND ProviderWindow() const { return provider_ != nullptr ? provider_window_ : nullptr; }

 private:
  DataProvider* provider_ = nullptr;
  HWND provider_window_ = nullptr;
  DataListener* listener_ = nullptr;
};

// True when message 0x806F's wParam asks a unit bound to `source` to bind again: a null name (everything changed)
// or one equal to the source name byte for byte. Units with an empty source name never re-bind.
bool ProviderNoticeConcerns(WPARAM name, std::string_view source);

}  // namespace quarrow
