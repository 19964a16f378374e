#include "units/check_box.h"

#include "units/core_link.h"
#include "conversions/text_to_integer.h"
#include "units/button_family.h"
#include "units/check_box_properties.h"
#include "units/raw_value_access.h"
#include "units/unit_appearance.h"
#include "units/unit_operations.h"

namespace quarrow {

namespace {

using namespace check_box;

// A column value as a logical: "真", "true" and any non-zero number are true.
bool TextAsLogical(const std::string& text) {
  if (text == "真" || ::lstrcmpiA(text.c_str(), "true") == 0) return true;
  return TextToInteger(text.c_str()) != 0;
}

class CheckBox final : public ChildUnit {
 public:
  CheckBox(const LibraryLink& link, const UnitCreation& creation)
      : ChildUnit(link, creation), picture_(CoreBufferPool()), font_(CoreBufferPool()) {
    UseDataBinding(&properties_.data_source, &properties_.data_column);
  }

  std::int32_t SetProperty(std::int32_t local_index, const RawValue& value) override {
    CheckBoxProperties& p = properties_;
    switch (local_index) {
      case kPicture: picture_.Assign(BytesOf(value)); return 1;
      case kPushLike: p.push_like = LogicalOf(value); SwitchBit(BS_PUSHLIKE, p.push_like); return 0;
      case kFlat: p.flat = LogicalOf(value); SwitchBit(BS_FLAT, p.flat); return 0;
      case kBoxOnRight: p.box_on_right = LogicalOf(value); SwitchBit(BS_LEFTTEXT, p.box_on_right); return 0;
      case kText:
        p.text = TextOf(value);
        ::SetWindowTextA(window_, p.text.c_str());
        return 0;
      case kAlignment:
        p.alignment = ClampAlignment(IntOf(value));
        SwitchStyle(window_, kHorizontalAlignmentMask, HorizontalAlignmentStyle(p.alignment));
        ::InvalidateRect(window_, nullptr, TRUE);
        return 0;
      case kVAlignment:
        p.v_alignment = ClampVAlignment(IntOf(value));
        SwitchStyle(window_, kVerticalAlignmentMask, VerticalAlignmentStyle(p.v_alignment));
        ::InvalidateRect(window_, nullptr, TRUE);
        return 0;
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
        if (font_.Assign(BytesOf(value))) font_in_use_.Apply(window_, font_.View());
        return 0;
      case kChecked:
        p.checked = LogicalOf(value);
        ::SendMessageA(window_, BM_SETCHECK, p.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        return 0;
      case kDataSource: p.data_source = TextOf(value); Rebind(); return 0;
      case kDataColumn: p.data_column = TextOf(value); Rebind(); return 0;
      default: return 0;
    }
  }

  bool GetProperty(std::int32_t local_index, RawValue* value) override {
    CheckBoxProperties& p = properties_;
    switch (local_index) {
      case kPicture: *value = RawBytes(picture_.View()); return true;
      case kPushLike: *value = RawLogical(p.push_like); return true;
      case kFlat: *value = RawLogical(p.flat); return true;
      case kText: *value = RawText(p.text); return true;
      case kBoxOnRight: *value = RawLogical(p.box_on_right); return true;
      case kAlignment: *value = RawInt(p.alignment); return true;
      case kVAlignment: *value = RawInt(p.v_alignment); return true;
      case kTextColor: *value = RawWord(p.text_color); return true;
      case kBackColor: *value = RawWord(p.back_color); return true;
      case kFont: *value = RawBytes(font_.View()); return true;
      case kChecked:
        p.checked = ::SendMessageA(window_, BM_GETCHECK, 0, 0) == BST_CHECKED;
        *value = RawLogical(p.checked);
        return true;
      case kDataSource: *value = RawText(p.data_source); return true;
      case kDataColumn: *value = RawText(p.data_column); return true;
      default: return false;
    }
  }

  Bytes SaveProperties() override {
    CheckBoxProperties saved = properties_;
    saved.picture = picture_.ToBytes();
    saved.font = font_.ToBytes();
    return saved.Save();
  }

 protected:
  bool Load(std::span<const std::uint8_t> block) override {
    if (!properties_.Load(block)) return false;
    const bool kept = picture_.Assign(properties_.picture) && font_.Assign(properties_.font);
    properties_.picture.clear();
    properties_.font.clear();
    return kept;
  }

  void Create(const UnitCreation& creation) override {
    const CheckBoxProperties& p = properties_;
    brush_.Make(p.back_color);
    DWORD style = BS_MULTILINE | BS_AUTOCHECKBOX | HorizontalAlignmentStyle(p.alignment) |
                  VerticalAlignmentStyle(p.v_alignment);
    if (p.push_like) style |= BS_PUSHLIKE;
    if (p.flat) style |= BS_FLAT;
    if (p.box_on_right) style |= BS_LEFTTEXT;
    style |= image_.Prepare(picture_.View(), ResolveBackColour(p.back_color));
    if (!CreateControl(creation, "BUTTON", p.text.c_str(), style)) return;
    font_in_use_.Apply(window_, font_.View());
    image_.Attach(window_);
    ::SendMessageA(window_, BM_SETCHECK, p.checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }

  LRESULT OnCommand(WORD code) override {
    if (code == BN_CLICKED) Raise(kClicked);
    return 0;
  }

  HBRUSH ControlColours(HDC dc) override {
    return reinterpret_cast<HBRUSH>(
        AnswerControlColours(dc, properties_.text_color, properties_.back_color, brush_.Get()));
  }

  void ApplyProviderReadOnly(bool read_only) override {
    // Only what the provider disabled is enabled again.
    if (read_only && ::IsWindowEnabled(window_)) {
      ::EnableWindow(window_, FALSE);
      disabled_for_provider_ = true;
    } else if (!read_only && disabled_for_provider_) {
      ::EnableWindow(window_, TRUE);
      disabled_for_provider_ = false;
    }
  }

  void ShowDataValue(const std::string& value) override {
    properties_.checked = TextAsLogical(value);
    ::SendMessageA(window_, BM_SETCHECK, properties_.checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }

  std::optional<std::string> EditedDataValue() override {
    return ::SendMessageA(window_, BM_GETCHECK, 0, 0) == BST_CHECKED ? "真" : "假";
  }

 private:
  void SwitchBit(LONG_PTR bit, bool on) {
    SwitchStyle(window_, bit, on ? bit : 0);
    ::InvalidateRect(window_, nullptr, TRUE);
  }

  CheckBoxProperties properties_;  // the byte properties live in the buffers below
  ByteBuffer picture_;
  ByteBuffer font_;
  UnitFont font_in_use_;
  BackgroundBrush brush_;
  ButtonPicture image_;
  bool disabled_for_provider_ = false;
};

void VisitCheckBoxTexts(CheckBoxProperties& properties, const TextVisit& visit) {
  visit.Text(properties.text);
  visit.FontFace(properties.font);
  visit.Text(properties.data_source);
  visit.Text(properties.data_column);
}

}  // namespace

UnitOperation CheckBoxInterface(std::int32_t code) {
  switch (code) {
    case unit_operation::kCreateUnit: return CreateOperation<CheckBox, CoreLink>();
    case unit_operation::kVisitTexts: return VisitTextsOf<CheckBoxProperties, VisitCheckBoxTexts>();
    default: return SharedOperation(code);
  }
}

}  // namespace quarrow
