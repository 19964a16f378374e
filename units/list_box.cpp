#include "units/list_box.h"

#include <vector>

#include "units/core_link.h"
#include "units/list_box_properties.h"
#include "units/raw_value_access.h"
#include "units/unit_appearance.h"
#include "units/unit_operations.h"

namespace quarrow {

namespace {

using namespace list_box;

template <class T>
bool Changes(T& stored, T value) {
  if (stored == value) return false;
  stored = value;
  return true;
}

class ListBox final : public ChildUnit {
 public:
  ListBox(const LibraryLink& link, const UnitCreation& creation)
      : ChildUnit(link, creation),
        font_(CoreBufferPool()),
        item_data_(CoreBufferPool()),
        items_read_(CoreBufferPool()) {
    ReportFocusFromNotifications();
    UseDataBinding(&properties_.data_source, &properties_.data_column);
  }

  std::int32_t SetProperty(std::int32_t local_index, const RawValue& value) override {
    ListBoxProperties& p = properties_;
    switch (local_index) {
      case kBorder:
        p.border = ClampBorder(IntOf(value));
        ApplyBorder(window_, p.border);
        return 0;
      case kSorted: return Changes(p.sorted, LogicalOf(value)) ? 1 : 0;
      case kMultiColumn: return Changes(p.multi_column, LogicalOf(value)) ? 1 : 0;
      case kMultiSelect: return Changes(p.multi_select, LogicalOf(value)) ? 1 : 0;
      case kRowSpacing: {
        const std::int32_t spacing = ClampRowSpacing(IntOf(value));
        SetEntryHeight(EntryHeight() - p.row_spacing + spacing);
        p.row_spacing = spacing;
        ::InvalidateRect(window_, nullptr, TRUE);
        return 0;
      }
      case kTextColor:
        p.text_color = WordOf(value);
        ::InvalidateRect(window_, nullptr, TRUE);
        return 0;
      case kBackColor:
        p.back_color = WordOf(value);
        brush_.Make(p.back_color);
        ::InvalidateRect(window_, nullptr, TRUE);
        return 0;
      case kFont:
        if (font_.Assign(BytesOf(value))) {
          SetEntryHeight(EntryHeight() - p.row_spacing);
          ApplyFontAndSpacing();
          ::InvalidateRect(window_, nullptr, TRUE);
        }
        return 0;
      case kSelection:
        p.selection = ClampSelection(IntOf(value), Count());
        if (!p.multi_select) ::SendMessageA(window_, LB_SETCURSEL, static_cast<WPARAM>(p.selection), 0);
        return 0;
      case kItems:
        p.items = LoadTextList(BytesOf(value));
        return 1;
      case kItemData:
        item_data_.Assign(BytesOf(value));
        return 1;
      case kDataSource: p.data_source = TextOf(value); Rebind(); return 0;
      case kDataColumn: p.data_column = TextOf(value); Rebind(); return 0;
      case kDataFlag: p.data_flag = LogicalOf(value); Rebind(); return 0;
      default: return 0;
    }
  }

  bool GetProperty(std::int32_t local_index, RawValue* value) override {
    ListBoxProperties& p = properties_;
    switch (local_index) {
      case kBorder: *value = RawInt(p.border); return true;
      case kSorted: *value = RawLogical(p.sorted); return true;
      case kMultiColumn: *value = RawLogical(p.multi_column); return true;
      case kRowSpacing: *value = RawInt(p.row_spacing); return true;
      case kTextColor: *value = RawWord(p.text_color); return true;
      case kBackColor: *value = RawWord(p.back_color); return true;
      case kFont: *value = RawBytes(font_.View()); return true;
      case kMultiSelect: *value = RawLogical(p.multi_select); return true;
      case kSelection:
        if (!Design()) {
          p.selection = p.multi_select ? -1 : static_cast<std::int32_t>(::SendMessageA(window_, LB_GETCURSEL, 0, 0));
        }
        *value = RawInt(p.selection);
        return true;
      case kItems:
        if (p.items.empty()) {
          items_read_.Free();
        } else {
          items_read_.Assign(SaveTextList(p.items));
        }
        *value = RawBytes(items_read_.View());
        return true;
      case kItemData: *value = RawBytes(item_data_.View()); return true;
      case kDataSource: *value = RawText(p.data_source); return true;
      case kDataColumn: *value = RawText(p.data_column); return true;
      case kDataFlag: *value = RawLogical(p.data_flag); return true;
      default: return false;
    }
  }

  Bytes SaveProperties() override {
    ListBoxProperties saved = properties_;
    saved.font = font_.ToBytes();
    saved.item_data = item_data_.ToBytes();
    return saved.Save();
  }

 protected:
  bool Load(std::span<const std::uint8_t> block) override {
    if (!properties_.Load(block)) return false;
    const bool kept = font_.Assign(properties_.font) && item_data_.Assign(properties_.item_data);
    properties_.font.clear();
    properties_.item_data.clear();
    return kept;
  }

  void Create(const UnitCreation& creation) override {
    ListBoxProperties& p = properties_;
    DWORD style = LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS | LBS_NOTIFY;
    // A bound list shows the provider's entries in its own order.
    if (p.sorted && p.data_source.empty()) style |= LBS_SORT;
    style |= p.multi_column ? (WS_HSCROLL | LBS_MULTICOLUMN) : WS_VSCROLL;
    if (p.multi_select) style |= LBS_EXTENDEDSEL;
    brush_.Make(p.back_color);
    if (!CreateControl(creation, "LISTBOX", "", style)) return;
    // A spacing from the block is held to the range a set spacing has: a negative one would make the entry height
    // wrap around, and every later change of spacing or font is figured from it.
    p.row_spacing = ClampRowSpacing(p.row_spacing);
    ApplyFontAndSpacing();
    for (std::size_t i = 0; i < p.items.size(); ++i) {
      const LRESULT at = ::SendMessageA(window_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p.items[i].c_str()));
      if (at < 0) continue;
      if (i < item_data_.Size() / 4) {
        ::SendMessageA(window_, LB_SETITEMDATA, static_cast<WPARAM>(at),
                       static_cast<LPARAM>(ItemDataAt(item_data_.View(), i)));
      }
    }
    p.selection = ClampSelection(p.selection, Count());
    if (!p.multi_select) {
      ::SendMessageA(window_, LB_SETCURSEL, static_cast<WPARAM>(p.selection), 0);
    } else {
      ::SendMessageA(window_, LB_SETCURSEL, Count() > 0 ? 0 : static_cast<WPARAM>(-1), 0);
    }
    ApplyBorder(window_, p.border);
  }

  LRESULT OnCommand(WORD code) override {
    switch (code) {
      case LBN_SELCHANGE:
        if (!selecting_for_binding_) Raise(kSelectionChanged);
        return 0;
      case LBN_DBLCLK: Raise(kDoubleClicked); return 0;
      case LBN_SETFOCUS: RaiseFocusEvent(true); return 0;
      case LBN_KILLFOCUS: RaiseFocusEvent(false); return 0;
      default: return 0;
    }
  }

  HBRUSH ControlColours(HDC dc) override {
    return reinterpret_cast<HBRUSH>(
        AnswerControlColours(dc, properties_.text_color, properties_.back_color, brush_.Get()));
  }

  void ApplyProviderReadOnly(bool read_only) override {
    if (read_only && ::IsWindowEnabled(window_)) {
      ::EnableWindow(window_, FALSE);
      disabled_for_provider_ = true;
    } else if (!read_only && disabled_for_provider_) {
      ::EnableWindow(window_, TRUE);
      disabled_for_provider_ = false;
    }
  }

  void ShowDataValue(const std::string& value) override {
    selecting_for_binding_ = true;
    if (::SendMessageA(window_, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.c_str())) ==
        LB_ERR) {
      ::SendMessageA(window_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
    selecting_for_binding_ = false;
  }

  std::optional<std::string> EditedDataValue() override {
    const LRESULT selected = ::SendMessageA(window_, LB_GETCURSEL, 0, 0);
    if (selected < 0) return std::nullopt;
    const LRESULT length = ::SendMessageA(window_, LB_GETTEXTLEN, static_cast<WPARAM>(selected), 0);
    if (length < 0) return std::nullopt;
    std::vector<char> text(static_cast<std::size_t>(length) + 1, 0);
    ::SendMessageA(window_, LB_GETTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data());
  }

 private:
  std::int32_t Count() const {
    const LRESULT count = ::SendMessageA(window_, LB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<std::int32_t>(count) : 0;
  }
  std::int32_t EntryHeight() const { return static_cast<std::int32_t>(::SendMessageA(window_, LB_GETITEMHEIGHT, 0, 0)); }
  void SetEntryHeight(std::int32_t height) {
    // The control keeps the height in 16 bits.
    ::SendMessageA(window_, LB_SETITEMHEIGHT, 0, MAKELPARAM(static_cast<WORD>(height), 0));
  }

  // The font sets the control's own entry height; the spacing goes on top of it.
  void ApplyFontAndSpacing() {
    font_in_use_.Apply(window_, font_.View());
    SetEntryHeight(EntryHeight() + properties_.row_spacing);
  }

  ListBoxProperties properties_;  // font and item data live in the buffers below
  ByteBuffer font_;
  ByteBuffer item_data_;
  ByteBuffer items_read_;  // Items as last read
  UnitFont font_in_use_;
  BackgroundBrush brush_;
  bool selecting_for_binding_ = false;
  bool disabled_for_provider_ = false;
};

void VisitListBoxTexts(ListBoxProperties& properties, const TextVisit& visit) {
  visit.FontFace(properties.font);
  visit.Texts(properties.items);
  visit.Text(properties.data_source);
  visit.Text(properties.data_column);
}

}  // namespace

UnitOperation ListBoxInterface(std::int32_t code) {
  switch (code) {
    case unit_operation::kCreateUnit: return CreateOperation<ListBox, CoreLink>();
    case unit_operation::kVisitTexts: return VisitTextsOf<ListBoxProperties, VisitListBoxTexts>();
    default: return SharedOperation(code);
  }
}

}  // namespace quarrow
