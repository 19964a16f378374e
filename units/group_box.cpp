#include "units/group_box.h"

#include "units/core_link.h"
#include "units/button_family.h"
#include "units/group_box_properties.h"
#include "units/message_reflection.h"
#include "units/raw_value_access.h"
#include "units/unit_appearance.h"
#include "units/unit_operations.h"

namespace quarrow {

namespace {

using namespace group_box;

bool IsChildNotification(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL: return true;
    default: return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
  }
}

class GroupBox final : public ChildUnit {
 public:
  GroupBox(const LibraryLink& link, const UnitCreation& creation)
      : ChildUnit(link, creation), font_(CoreBufferPool()) {}

  std::int32_t SetProperty(std::int32_t local_index, const RawValue& value) override {
    GroupBoxProperties& p = properties_;
    switch (local_index) {
      case kText:
        p.text = TextOf(value);
        ::SetWindowTextA(window_, p.text.c_str());
        return 0;
      case kAlignment:
        p.alignment = ClampAlignment(IntOf(value));
        SwitchStyle(window_, kHorizontalAlignmentMask, HorizontalAlignmentStyle(p.alignment));
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
      default: return 0;
    }
  }

  bool GetProperty(std::int32_t local_index, RawValue* value) override {
    const GroupBoxProperties& p = properties_;
    switch (local_index) {
      case kText: *value = RawText(p.text); return true;
      case kAlignment: *value = RawInt(p.alignment); return true;
      case kTextColor: *value = RawWord(p.text_color); return true;
      case kBackColor: *value = RawWord(p.back_color); return true;
      case kFont: *value = RawBytes(font_.View()); return true;
      default: return false;
    }
  }

  Bytes SaveProperties() override {
    GroupBoxProperties saved = properties_;
    saved.font = font_.ToBytes();
    return saved.Save();
  }

 protected:
  bool Load(std::span<const std::uint8_t> block) override {
    if (!properties_.Load(block)) return false;
    const bool kept = font_.Assign(properties_.font);
    properties_.font.clear();
    return kept;
  }

  void Create(const UnitCreation& creation) override {
    brush_.Make(properties_.back_color);
    const DWORD style = BS_GROUPBOX | HorizontalAlignmentStyle(properties_.alignment);
    if (!CreateControl(creation, "BUTTON", properties_.text.c_str(), style)) return;
    font_in_use_.Apply(window_, font_.View());
  }

  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == WM_ERASEBKGND) {
      if (brush_.Get() != nullptr) {
        RECT client;
        ::GetClientRect(window_, &client);
        ::FillRect(reinterpret_cast<HDC>(wparam), &client, brush_.Get());
      }
      return Default(message, wparam, lparam);
    }
    if (IsChildNotification(message)) {
      LRESULT result = 0;
      if (ReflectToChild(window_, message, wparam, lparam, &result)) return result;
    }
    return ChildUnit::Handle(message, wparam, lparam);
  }

  HBRUSH ControlColours(HDC dc) override {
    return reinterpret_cast<HBRUSH>(
        AnswerControlColours(dc, properties_.text_color, properties_.back_color, brush_.Get()));
  }

 private:
  GroupBoxProperties properties_;  // the font lives in the buffer below
  ByteBuffer font_;
  UnitFont font_in_use_;
  BackgroundBrush brush_;
};

void VisitGroupBoxTexts(GroupBoxProperties& properties, const TextVisit& visit) {
  visit.Text(properties.text);
  visit.FontFace(properties.font);
}

}  // namespace

UnitOperation GroupBoxInterface(std::int32_t code) {
  switch (code) {
    case unit_operation::kCreateUnit: return CreateOperation<GroupBox, CoreLink>();
    case unit_operation::kVisitTexts: return VisitTextsOf<GroupBoxProperties, VisitGroupBoxTexts>();
    default: return SharedOperation(code);
  }
}

}  // namespace quarrow
