// A data provider for the binding tests: a unit type of its own test library, built on the unit base, with the
// data-provider flag. Its current record is a map of column names to texts that a test changes at will.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "units/data_binding.h"
#include "units/unit_base.h"

namespace quarrow::testing {

class TestProvider final : public ChildUnit, public DataProvider {
 public:
  TestProvider(const LibraryLink& link, const UnitCreation& creation) : ChildUnit(link, creation) {}
  ~TestProvider() override;

  // Test controls: each tells the listeners as a real provider would.
  void SetValue(const std::string& column, const std::string& value);
  void MoveTo(std::map<std::string, std::string> record);
  void SetReadOnly(bool read_only);
  void Collect();
  std::string Value(const std::string& column) const;
  std::size_t ListenerCount() const { return listeners_.size(); }

  // DataProvider
  void AddListener(DataListener* listener) override;
  void RemoveListener(DataListener* listener) override;
  bool ReadOnly() const override { return read_only_; }
  std::string ColumnValue(std::string_view column) const override;
  void SetColumnValue(std::string_view column, std::string_view value) override;

  // ChildUnit
  std::int32_t SetProperty(std::int32_t, const RawValue&) override { return 0; }
  bool GetProperty(std::int32_t, RawValue*) override { return false; }
  Bytes SaveProperties() override { return {}; }

 protected:
  bool Load(std::span<const std::uint8_t>) override { return true; }
  void Create(const UnitCreation& creation) override;
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Tell(DataChange change, const std::string& column);

  std::map<std::string, std::string> record_;
  bool read_only_ = false;
  std::vector<DataListener*> listeners_;
};

}  // namespace quarrow::testing
