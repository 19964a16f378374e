#include "units/button.h"

#include "units/core_link.h"
#include "units/button_family.h"
#include "units/button_properties.h"
#include "units/raw_value_access.h"
#include "units/unit_appearance.h"
#include "units/unit_operations.h"

namespace quarrow {

namespace {

class Button final : public ChildUnit {
 public:
  Button(const LibraryLink& link, const UnitCreation& creation)
      : ChildUnit(link, creation), picture_(CoreBufferPool()), font_(CoreBufferPool()) {}

  bool IsDefault() const {
    return (::GetWindowLongPtrA(window_, GWL_STYLE) & 0x1F) == BS_DEFPUSHBUTTON;
  }

  std::int32_t SetProperty(std::int32_t local_index, const RawValue& value) override {
    switch (local_index) {
      case button::kPicture:
        // Always re-created, even for the bytes it has: the image is made only with the window.
        picture_.Assign(BytesOf(value));
        return 1;
      case button::kButtonType:
        properties_.button_type = button::ClampButtonType(IntOf(value));
        SwitchStyle(window_, BS_DEFPUSHBUTTON,
                    properties_.button_type == button::kDefaultButton ? BS_DEFPUSHBUTTON : 0);
        ::InvalidateRect(window_, nullptr, TRUE);
        return 0;
      case button::kText:
        properties_.text = TextOf(value);
        ::SetWindowTextA(window_, properties_.text.c_str());
        return 0;
      case button::kAlignment:
        properties_.alignment = button::ClampAlignment(IntOf(value));
        SwitchStyle(window_, kHorizontalAlignmentMask, HorizontalAlignmentStyle(properties_.alignment));
        ::InvalidateRect(window_, nullptr, TRUE);
        return 0;
      case button::kVAlignment:
        properties_.v_alignment = button::ClampVAlignment(IntOf(value));
        SwitchStyle(window_, kVerticalAlignmentMask, VerticalAlignmentStyle(properties_.v_alignment));
        ::InvalidateRect(window_, nullptr, TRUE);
        return 0;
      case button::kFont:
        if (font_.Assign(BytesOf(value))) font_in_use_.Apply(window_, font_.View());
        return 0;
      default: return 0;
    }
  }

  bool GetProperty(std::int32_t local_index, RawValue* value) override {
    switch (local_index) {
      case button::kPicture: *value = RawBytes(picture_.View()); return true;
      case button::kButtonType: *value = RawInt(properties_.button_type); return true;
      case button::kText: *value = RawText(properties_.text); return true;
      case button::kAlignment: *value = RawInt(properties_.alignment); return true;
      case button::kVAlignment: *value = RawInt(properties_.v_alignment); return true;
      case button::kFont: *value = RawBytes(font_.View()); return true;
      default: return false;
    }
  }

  Bytes SaveProperties() override {
    ButtonProperties saved = properties_;
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
    DWORD style = BS_MULTILINE | HorizontalAlignmentStyle(properties_.alignment) |
                  VerticalAlignmentStyle(properties_.v_alignment);
    if (properties_.button_type == button::kDefaultButton) style |= BS_DEFPUSHBUTTON;
    style |= image_.Prepare(picture_.View(), ::GetSysColor(COLOR_BTNFACE));
    if (!CreateControl(creation, "BUTTON", properties_.text.c_str(), style)) return;
    font_in_use_.Apply(window_, font_.View());
    image_.Attach(window_);
  }

  LRESULT OnCommand(WORD code) override {
    if (code == BN_CLICKED) Raise(button::kClicked);
    return 0;
  }

 private:
  ButtonProperties properties_;  // the byte properties live in the buffers below
  ByteBuffer picture_;
  ByteBuffer font_;
  UnitFont font_in_use_;
  ButtonPicture image_;
};

void VisitButtonTexts(ButtonProperties& properties, const TextVisit& visit) {
  visit.Text(properties.text);
  visit.FontFace(properties.font);
}

BOOL ButtonIsDefault(void* unit) {
  if (unit == nullptr) return FALSE;
  auto* button = static_cast<Button*>(AsChildUnit(unit));
  return button->Window() != nullptr && button->IsDefault() ? TRUE : FALSE;
}

}  // namespace

UnitOperation ButtonInterface(std::int32_t code) {
  switch (code) {
    case unit_operation::kCreateUnit: return CreateOperation<Button, CoreLink>();
    case unit_operation::kVisitTexts: return VisitTextsOf<ButtonProperties, VisitButtonTexts>();
    case unit_operation::kIsDefaultButton: return AsUnitOperation(&ButtonIsDefault);
    default: return SharedOperation(code);
  }
}

}  // namespace quarrow
