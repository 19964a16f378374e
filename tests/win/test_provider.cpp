#include "tests/win/test_provider.h"

#include <algorithm>

#include "runtime/runtime_notify.h"
#include "tests/win/unit_test_form.h"
#include "units/unit_operations.h"

namespace quarrow::testing {

namespace {

LibraryLink provider_link;
const LibraryLink& ProviderLink() { return provider_link; }

std::intptr_t ProviderLibraryNotify(std::int32_t code, std::uintptr_t arg1, std::uintptr_t) {
  if (code == library_notify::kStart) provider_link.Connect(reinterpret_cast<NotifyRoutine>(arg1));
  return 0;
}

UnitOperation ProviderInterface(std::int32_t code) {
  if (code == unit_operation::kCreateUnit) return CreateOperation<TestProvider, ProviderLink>();
  return SharedOperation(code);
}

const PropertyEntry kProviderProperties[] = {
    Property(1001, 0xE000), Property(1001, 0xE000), Property(1001, 0xE000), Property(1001, 0xE000),
    Property(1005, 0xE000), Property(1003, 0xE000), Property(1003, 0xE000), Property(1011, 0xE000),
};

const UnitTypeEntry kProviderTypes[] = {
    {"测试数据源", "TestProvider", {}, 0x80080040, {}, 8, kProviderProperties, ProviderInterface, {}},
};

}  // namespace

const LibraryDescriptor kProviderTestLibrary = {
    kLibraryFormatCode, "0f1e2d3c4b5a69788796a5b4c3d2e1f0", {2, 0, 3}, {3, 0, 3, 0}, "测试数据源库", 1, {},
    1, kProviderTypes, {0, 0}, 0, 0, nullptr, {0, 0}, ProviderLibraryNotify, {}};

TestProvider::~TestProvider() {
  // Listeners still attached learn that the provider is gone.
  const std::vector<DataListener*> listeners = std::move(listeners_);
  for (DataListener* listener : listeners) listener->ProviderGone();
}

void TestProvider::Create(const UnitCreation& creation) {
  CreateControl(creation, "STATIC", "数据源", 0);
}

LRESULT TestProvider::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kProviderInterfaceMessage) return reinterpret_cast<LRESULT>(static_cast<DataProvider*>(this));
  return ChildUnit::Handle(message, wparam, lparam);
}

void TestProvider::Tell(DataChange change, const std::string& column) {
  const std::vector<DataListener*> listeners = listeners_;
  for (DataListener* listener : listeners) listener->DataChanged(change, column);
}

void TestProvider::SetValue(const std::string& column, const std::string& value) {
  record_[column] = value;
  Tell(DataChange::kRecordChanged, column);
}

void TestProvider::MoveTo(std::map<std::string, std::string> record) {
  record_ = std::move(record);
  Tell(DataChange::kMoved, "");
}

void TestProvider::SetReadOnly(bool read_only) {
  read_only_ = read_only;
  Tell(DataChange::kReadOnlyChanged, "");
}

void TestProvider::Collect() {
  const std::vector<DataListener*> listeners = listeners_;
  for (DataListener* listener : listeners) listener->CollectEdits();
}

std::string TestProvider::Value(const std::string& column) const {
  const auto it = record_.find(column);
  return it == record_.end() ? std::string() : it->second;
}

void TestProvider::AddListener(DataListener* listener) {
  if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) listeners_.push_back(listener);
}

void TestProvider::RemoveListener(DataListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

std::string TestProvider::ColumnValue(std::string_view column) const { return Value(std::string(column)); }

void TestProvider::SetColumnValue(std::string_view column, std::string_view value) {
  record_[std::string(column)] = std::string(value);
}

}  // namespace quarrow::testing
