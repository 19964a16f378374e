#include "units/label.h"

#include <memory>
#include <string>

#include "units/core_link.h"
#include "internals/picture.h"
#include "units/label_painting.h"
#include "units/label_properties.h"
#include "units/raw_value_access.h"
#include "units/unit_appearance.h"
#include "units/unit_operations.h"
#include "units/unit_window_class.h"

namespace quarrow {

namespace {

class Label final : public ChildUnit {
 public:
  Label(const LibraryLink& link, const UnitCreation& creation)
      : ChildUnit(link, creation), picture_(CoreBufferPool()), font_(CoreBufferPool()) {
    UseDataBinding(&properties_.data_source, &properties_.data_column);
  }

  std::int32_t SetProperty(std::int32_t local_index, const RawValue& value) override {
    LabelProperties& p = properties_;
    switch (local_index) {
      case label::kText: {
        std::string text = TextOf(value);
        // The same text again changes nothing on screen; a progress label is set far more often than it changes.
        if (text == p.text) return 0;
        p.text = std::move(text);
        ::SetWindowTextA(window_, p.text.c_str());
        break;
      }
      case label::kEffect: p.effect = label::ClampEffect(IntOf(value)); break;
      case label::kBorder:
        p.border = label::ClampBorder(IntOf(value));
        ApplyBorder(window_, p.border);  // the gradient frame is no window border
        break;
      case label::kBorderWidth: p.border_width = label::ClampBorderWidth(IntOf(value)); break;
      case label::kBorderColor1: p.border_color1 = WordOf(value); break;
      case label::kBorderColor2: p.border_color2 = WordOf(value); break;
      case label::kBorderColor3: p.border_color3 = WordOf(value); break;
      case label::kFont: font_.Assign(BytesOf(value)); break;
      case label::kTextColor: p.text_color = WordOf(value); break;
      case label::kBackColor: p.back_color = WordOf(value); break;
      case label::kPicture:
        picture_.Assign(BytesOf(value));
        decoded_.reset();
        break;
      case label::kPictureMode: p.picture_mode = label::ClampPictureMode(IntOf(value)); break;
      case label::kBackGradient: p.back_gradient = label::ClampBackGradient(IntOf(value)); break;
      case label::kGradientColor1: p.gradient_color1 = WordOf(value); break;
      case label::kGradientColor2: p.gradient_color2 = WordOf(value); break;
      case label::kGradientColor3: p.gradient_color3 = WordOf(value); break;
      case label::kAlignment: p.alignment = label::ClampAlignment(IntOf(value)); break;
      case label::kWordWrap: p.word_wrap = LogicalOf(value); break;
      case label::kVAlignment: p.v_alignment = label::ClampVAlignment(IntOf(value)); break;
      case label::kDataSource:
        p.data_source = TextOf(value);
        Rebind();
        break;
      case label::kDataColumn:
        p.data_column = TextOf(value);
        Rebind();
        break;
      default: return 0;
    }
    Invalidate();
    return 0;
  }

  bool GetProperty(std::int32_t local_index, RawValue* value) override {
    const LabelProperties& p = properties_;
    switch (local_index) {
      case label::kText: *value = RawText(p.text); return true;
      case label::kEffect: *value = RawInt(p.effect); return true;
      case label::kBorder: *value = RawInt(p.border); return true;
      case label::kBorderWidth: *value = RawInt(p.border_width); return true;
      case label::kBorderColor1: *value = RawWord(p.border_color1); return true;
      case label::kBorderColor2: *value = RawWord(p.border_color2); return true;
      case label::kBorderColor3: *value = RawWord(p.border_color3); return true;
      case label::kFont: *value = RawBytes(font_.View()); return true;
      case label::kTextColor: *value = RawWord(p.text_color); return true;
      case label::kBackColor: *value = RawWord(p.back_color); return true;
      case label::kPicture: *value = RawBytes(picture_.View()); return true;
      case label::kPictureMode: *value = RawInt(p.picture_mode); return true;
      case label::kBackGradient: *value = RawInt(p.back_gradient); return true;
      case label::kGradientColor1: *value = RawWord(p.gradient_color1); return true;
      case label::kGradientColor2: *value = RawWord(p.gradient_color2); return true;
      case label::kGradientColor3: *value = RawWord(p.gradient_color3); return true;
      case label::kAlignment: *value = RawInt(p.alignment); return true;
      case label::kWordWrap: *value = RawLogical(p.word_wrap); return true;
      case label::kVAlignment: *value = RawInt(p.v_alignment); return true;
      case label::kDataSource: *value = RawText(p.data_source); return true;
      case label::kDataColumn: *value = RawText(p.data_column); return true;
      default: return false;
    }
  }

  Bytes SaveProperties() override {
    LabelProperties saved = properties_;
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
    if (!RegisterUnitWindowClass(label::kWindowClass, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS)) return;
    if (!CreateControl(creation, label::kWindowClass, properties_.text.c_str(), 0)) return;
    ApplyBorder(window_, properties_.border);
  }

  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override {
    switch (message) {
      case WM_PAINT: {
        PAINTSTRUCT paint;
        if (HDC dc = ::BeginPaint(window_, &paint)) {
          Paint(dc);
          ::EndPaint(window_, &paint);
        }
        return 0;
      }
      case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wparam));
        return 0;
      case WM_ERASEBKGND: return 1;  // painting covers everything
      case WM_SETFOCUS:
      case WM_KILLFOCUS: return Default(message, wparam, lparam);  // a label raises no focus events
      case label::kFeedbackMessage: {
        const std::optional<std::int32_t> answer =
            Raise(label::kFeedback, {static_cast<std::uintptr_t>(wparam), static_cast<std::uintptr_t>(lparam)});
        return answer.value_or(0);
      }
      default: return ChildUnit::Handle(message, wparam, lparam);
    }
  }

  void ShowDataValue(const std::string& value) override {
    properties_.text = value;
    ::SetWindowTextA(window_, value.c_str());
    Invalidate();
  }

 private:
  void Invalidate() {
    if (window_ != nullptr) ::InvalidateRect(window_, nullptr, TRUE);
  }

  // Decoded on the first paint that needs it. Bytes that do not decode are dropped, and the background colour
  // shows instead.
  const Picture* DecodedPicture() {
    if (picture_.Empty()) return nullptr;
    if (!decoded_) {
      decoded_ = DecodePicture(picture_.Data(), static_cast<std::ptrdiff_t>(picture_.Size()));
      if (!decoded_) picture_.Free();
    }
    return decoded_.get();
  }

  std::string WindowText() const {
    const int length = ::GetWindowTextLengthA(window_);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextA(window_, text.data(), length + 1)));
    return text;
  }

  void Paint(HDC dc) {
    if (dc == nullptr || window_ == nullptr) return;
    RECT client;
    ::GetClientRect(window_, &client);
    const std::string caption = WindowText();
    const LabelLook look{properties_, font_.View(), DecodedPicture(), caption};
    PaintLabel(dc, client, look);
  }

  LabelProperties properties_;  // the byte properties live in the buffers below
  ByteBuffer picture_;
  ByteBuffer font_;
  std::unique_ptr<Picture> decoded_;
};

void VisitLabelTexts(LabelProperties& properties, const TextVisit& visit) {
  visit.Text(properties.text);
  visit.FontFace(properties.font);
  visit.Text(properties.data_source);
  visit.Text(properties.data_column);
}

}  // namespace

UnitOperation LabelInterface(std::int32_t code) {
  switch (code) {
    case unit_operation::kCreateUnit: return CreateOperation<Label, CoreLink>();
    case unit_operation::kVisitTexts: return VisitTextsOf<LabelProperties, VisitLabelTexts>();
    default: return SharedOperation(code);
  }
}

}  // namespace quarrow
