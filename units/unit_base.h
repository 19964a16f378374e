// The unit base: what every unit that subclasses its own platform window shares, and what the units that wrap a
// child control share besides.
//
// A SubclassedUnit, the window unit as much as any child unit, rides in its window's user data and subclasses the
// window. Its window procedure keeps the object alive while a message is handled and stops every exception there,
// so that none unwinds through the system's code; a Guard keeps it alive across any other call that can run
// handlers (a handler may close the window meanwhile). The object lives as long as its window: after
// WM_NCDESTROY it gives the window its own procedure back, sends runtime notify code 2000 with its window id and
// unit id and deletes itself (when a call into it is still running, once that call returns).
//
// A ChildUnit owns one platform child window, a standard control or a class of the runtime's. The window and
// container units hand the notifications a control sends its parent back to the control
// (units/message_reflection.h); the base turns them into calls of OnCommand, OnNotify and ControlColours. It
// raises the common focus events after the default handling of WM_SETFOCUS and WM_KILLFOCUS, unless the unit type
// reports them from its control's notifications instead; it answers the data-binding messages 0x806F and 0x8070
// for unit types that bind.
//
// A unit type derives from ChildUnit and implements Load (its stored property block into its property set),
// Create (its control, built with CreateControl, and what goes with it), SetProperty, GetProperty and
// SaveProperties; unit_operations.h turns such a class into the operations of a unit-type interface routine.
// Byte-data properties live in ByteBuffers (units/byte_buffer.h) from the library's pool; fonts, brushes, borders
// and style switches come from units/unit_appearance.h.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/property_values.h"
#include "base/byte_stream.h"
#include "base/library_link.h"
#include "units/data_binding.h"
#include "base/unit_interface.h"

namespace quarrow {

// What CreateUnit hands a unit type.
struct UnitCreation {
  std::span<const std::uint8_t> block;  // the stored property block; empty for the defaults
  std::uint32_t style = 0;              // WS_DISABLED and WS_TABSTOP as the engine asks
  HWND parent = nullptr;
  std::uint32_t control_id = 0;
  std::int32_t x = 0, y = 0, width = 0, height = 0;
  std::uint32_t window_id = 0;
  std::uint32_t unit_id = 0;
  bool design = false;
};

// The style bits every child unit adds to the engine's.
inline constexpr DWORD kChildUnitStyle = WS_CHILD | WS_CLIPSIBLINGS;

class SubclassedUnit : public UnitObject {
 public:
  SubclassedUnit(const LibraryLink& link, std::uint32_t window_id, std::uint32_t unit_id);
  ~SubclassedUnit() override;
  SubclassedUnit(const SubclassedUnit&) = delete;
  SubclassedUnit& operator=(const SubclassedUnit&) = delete;

  std::uint32_t WindowId() const { return window_id_; }
  std::uint32_t UnitId() const { return unit_id_; }
  const LibraryLink& Link() const { return *link_; }

  // Raises one of the unit's events (runtime notify code 2008); the handler's value when it returned one.
  std::optional<std::int32_t> Raise(std::int32_t event, std::initializer_list<std::uintptr_t> arguments = {});

  // Keeps a unit alive while a call into it runs: a unit whose window goes meanwhile is deleted when the
  // outermost guard ends.
  class Guard {
   public:
    explicit Guard(SubclassedUnit& unit) : unit_(unit) { ++unit_.calls_; }
    ~Guard();
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

   private:
    SubclassedUnit& unit_;
  };

 protected:
  // Makes the window the unit's and subclasses it before its next message. False when that fails; the window is
  // then destroyed and is not the unit's.
  bool Subclass(HWND window);
  bool Subclassed() const { return previous_ != nullptr; }

  // Every message of the window, inside the unit's guard and exception barrier.
  virtual LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) = 0;
  // The window's own procedure; 0 once the window is gone.
  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  static SubclassedUnit* OfWindow(HWND window);
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  // After WM_NCDESTROY: the destruction notice, then deletion once no call runs.
  void Finish();

  const LibraryLink* link_;
  std::uint32_t window_id_;
  std::uint32_t unit_id_;
  WNDPROC previous_ = nullptr;
  int calls_ = 0;
  bool finished_ = false;
};

class ChildUnit : public SubclassedUnit, public DataListener {
 public:
  ChildUnit(const LibraryLink& link, const UnitCreation& creation);
  ~ChildUnit() override;

  bool Design() const { return design_; }

  // The unit's own properties by local index (property index − 8). SetProperty returns 1 when the change needs
  // the unit re-created (the value is stored already), else 0; an unknown index changes nothing and returns 0.
  // GetProperty fills the raw value and returns true for a known index.
  virtual std::int32_t SetProperty(std::int32_t local_index, const RawValue& value) = 0;
  virtual bool GetProperty(std::int32_t local_index, RawValue* value) = 0;
  // The stored property block, in the unit type's highest version.
  virtual Bytes SaveProperties() = 0;

  // Builds a unit of a type: loads the block, creates the window. Null when the block fails to load or the
  // window cannot be created (the object is deleted then).
  template <class Unit>
  static UnitObject* Build(const LibraryLink& link, const UnitCreation& creation);

 protected:
  // Reads the stored property block into the property set (defaults first); false rejects it.
  virtual bool Load(std::span<const std::uint8_t> block) = 0;
  // Creates the unit's window and everything that goes with it (CreateControl first).
  virtual void Create(const UnitCreation& creation) = 0;

  // Creates the control with the engine's style plus `style` and kChildUnitStyle, then subclasses it. False when
  // the window cannot be created.
  bool CreateControl(const UnitCreation& creation, const char* window_class, const char* text, DWORD style,
                     DWORD ex_style = 0);

  // Unit types handle what they need and pass everything else here, which handles the focus events, reflected
  // notifications and colours, the binding messages and destruction, and otherwise calls Default.
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override;

  // A notification the control sent its parent (WM_COMMAND with this code), or one the unit sent itself with its
  // own window in lParam. The result is the message's result.
  virtual LRESULT OnCommand(WORD code);
  // A WM_NOTIFY the control sent its parent.
  virtual LRESULT OnNotify(NMHDR* header);
  // The answer to a reflected WM_CTLCOLOR* message: a brush, or null to leave the colours to the parent.
  virtual HBRUSH ControlColours(HDC dc);

  // Focus events come from WM_SETFOCUS and WM_KILLFOCUS unless a unit type reports them itself (from EN_SETFOCUS
  // and the like).
  void ReportFocusFromNotifications() { focus_from_messages_ = false; }
  void RaiseFocusEvent(bool got);

  // Data-source binding. A unit type that binds names its two stored names here once; the base then binds when
  // asked (Rebind: after either name was set), on message 0x806F, and answers 0x8070.
  void UseDataBinding(const std::string* source, const std::string* column);
  void Rebind();
  DataProvider* BoundProvider() const { return binding_.Provider(); }
  // While bound: the provider's read-only state changed (also when binding starts and, with false, ends).
  virtual void ApplyProviderReadOnly(bool) {}
  // While bound: show the provider's value of the column.
  virtual void ShowDataValue(const std::string&) {}
  // While bound: the value to write back when the provider collects edits, or none.
  virtual std::optional<std::string> EditedDataValue() { return std::nullopt; }

 private:
  // DataListener
  void DataChanged(DataChange change, std::string_view column) override;
  void CollectEdits() override;
  void ProviderGone() override;

  bool design_;
  bool focus_from_messages_ = true;
  const std::string* data_source_ = nullptr;
  const std::string* data_column_ = nullptr;
  DataBinding binding_;
};

template <class Unit>
UnitObject* ChildUnit::Build(const LibraryLink& link, const UnitCreation& creation) {
  ChildUnit* unit = new Unit(link, creation);
  if (!unit->Load(creation.block)) {
    delete unit;
    return nullptr;
  }
  bool owned_by_window = false;
  UnitObject* result = nullptr;
  {
    Guard guard(*unit);
    unit->Create(creation);
    owned_by_window = unit->Subclassed();
    if (owned_by_window && unit->window_ != nullptr) result = unit;
  }  // a window destroyed meanwhile has taken its unit with it here
  if (!owned_by_window) delete unit;
  return result;
}

}  // namespace quarrow
