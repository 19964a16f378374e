#include "units/edit_box.h"

#include <string>
#include <vector>

#include "units/core_link.h"
#include "units/edit_box_adjuster.h"
#include "units/edit_box_input.h"
#include "units/edit_box_properties.h"
#include "units/raw_value_access.h"
#include "units/unit_appearance.h"
#include "units/unit_operations.h"

namespace quarrow {

namespace {

using namespace edit_box;

std::string WindowText(HWND window) {
  const int length = ::GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::vector<char> text(static_cast<std::size_t>(length) + 1, 0);
  const int read = ::GetWindowTextA(window, text.data(), length + 1);
  return std::string(text.data(), static_cast<std::size_t>(read > 0 ? read : 0));
}

// The current selection: start and end as the control reports them.
std::pair<DWORD, DWORD> SelectionOf(HWND window) {
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageA(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

// A text's extent in a font, measured on the window's device context.
SIZE TextExtent(HWND window, HFONT font, const char* text) {
  SIZE size = {};
  HDC dc = ::GetDC(window);
  HGDIOBJ old = ::SelectObject(dc, font);
  ::GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(window, dc);
  return size;
}

SIZE WindowSize(HWND window) {
  RECT r = {};
  ::GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

bool AdjusterHasStaticEdge(std::int32_t border) { return border == 0 || border == 1 || border == 3; }

class EditBox final : public ChildUnit, private AdjusterOwner {
 public:
  EditBox(const LibraryLink& link, const UnitCreation& creation) : ChildUnit(link, creation), font_(CoreBufferPool()) {
    ReportFocusFromNotifications();
    UseDataBinding(&properties_.data_source, &properties_.data_column);
  }

  bool WantsKey(std::uint32_t key) const {
    return key == VK_RETURN && properties_.multi_line && properties_.input_mode != kModeReadOnly;
  }

  std::int32_t SetProperty(std::int32_t local_index, const RawValue& value) override {
    EditBoxProperties& p = properties_;
    switch (local_index) {
      case kText: {
        p.text = TextOf(value);
        WriteOwnText(p.text);
        // Changed once, for this write.
        ::SendMessageA(window_, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(window_), EN_CHANGE),
                       reinterpret_cast<LPARAM>(window_));
        return 0;
      }
      case kBorder:
        p.border = IntOf(value);
        ApplyBorder(window_, p.border);
        adjuster_.SetStaticEdge(AdjusterHasStaticEdge(p.border));
        return 0;
      case kTextColor:
        p.text_color = WordOf(value);
        ::InvalidateRect(window_, nullptr, TRUE);
        return 0;
      case kBackColor:
        p.back_color = WordOf(value);
        brush_.Make(p.back_color);
        ::RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
        return 0;
      case kFont:
        if (font_.Assign(BytesOf(value))) ApplyFontAndHeight();
        return 0;
      case kHideSelection: return Changes(p.hide_selection, LogicalOf(value)) && !Design() ? 1 : 0;
      case kMaxLength:
        p.max_length = ClampMaxLength(IntOf(value));
        ::SendMessageA(window_, EM_LIMITTEXT, static_cast<WPARAM>(p.max_length), 0);
        return 0;
      case kMultiLine: return Changes(p.multi_line, LogicalOf(value)) ? 1 : 0;
      case kScrollBars: return Changes(p.scroll_bars, ClampScrollBars(IntOf(value))) ? 1 : 0;
      case kAlignment: return Changes(p.alignment, ClampAlignment(IntOf(value))) ? 1 : 0;
      case kInputMode:
        p.input_mode = ClampInputMode(IntOf(value));
        ::SendMessageA(window_, EM_SETPASSWORDCHAR, p.input_mode == kModePassword ? p.password_char : 0, 0);
        ApplyReadOnly();
        ::InvalidateRect(window_, nullptr, TRUE);
        return 0;
      case kPasswordChar:
        p.password_char = PasswordCharOf(static_cast<const char*>(value.Address()));
        if (p.input_mode == kModePassword) {
          ::SendMessageA(window_, EM_SETPASSWORDCHAR, p.password_char, 0);
          ::InvalidateRect(window_, nullptr, TRUE);
        }
        return 0;
      case kLetterCase: return Changes(p.letter_case, ClampLetterCase(IntOf(value))) ? 1 : 0;
      case kAdjusterStyle: return Changes(p.adjuster_style, ClampAdjusterStyle(IntOf(value))) ? 1 : 0;
      case kAdjusterMin:
        p.adjuster_min = IntOf(value);
        adjuster_.SetRange(p.adjuster_min, p.adjuster_max);
        return 0;
      case kAdjusterMax:
        p.adjuster_max = IntOf(value);
        adjuster_.SetRange(p.adjuster_min, p.adjuster_max);
        return 0;
      case kSelStart:
      case kSelLength: {
        const auto [start, end] = SelectionOf(window_);
        const Selection current{static_cast<std::int32_t>(start), static_cast<std::int32_t>(end - start)};
        // Selections count characters, not bytes.
        const auto length = static_cast<std::int32_t>(::GetWindowTextLengthW(window_));
        const Selection wanted = local_index == kSelStart ? WithSelStart(current, IntOf(value), length)
                                                          : WithSelLength(current, IntOf(value), length);
        p.sel_start = wanted.start;
        p.sel_length = wanted.length;
        Select(wanted);
        return 0;
      }
      case kSelText: {
        const std::string text = TextOf(value);
        ::SendMessageA(window_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
        return 0;
      }
      case kDataSource:
        p.data_source = TextOf(value);
        Rebind();
        return 0;
      case kDataColumn:
        p.data_column = TextOf(value);
        Rebind();
        return 0;
      default: return 0;
    }
  }

  bool GetProperty(std::int32_t local_index, RawValue* value) override {
    EditBoxProperties& p = properties_;
    switch (local_index) {
      case kText:
        if (!Design()) p.text = WindowText(window_);
        *value = RawText(p.text);
        return true;
      case kBorder: *value = RawInt(p.border); return true;
      case kTextColor: *value = RawWord(p.text_color); return true;
      case kBackColor: *value = RawWord(p.back_color); return true;
      case kFont: *value = RawBytes(font_.View()); return true;
      case kHideSelection: *value = RawLogical(p.hide_selection); return true;
      case kMaxLength: *value = RawInt(p.max_length); return true;
      case kMultiLine: *value = RawLogical(p.multi_line); return true;
      case kScrollBars: *value = RawInt(p.scroll_bars); return true;
      case kAlignment: *value = RawInt(p.alignment); return true;
      case kInputMode: *value = RawInt(p.input_mode); return true;
      case kPasswordChar:
        scratch_ = p.password_char != 0 ? std::string(1, static_cast<char>(p.password_char)) : std::string();
        *value = RawText(scratch_);
        return true;
      case kLetterCase: *value = RawInt(p.letter_case); return true;
      case kAdjusterStyle: *value = RawInt(p.adjuster_style); return true;
      case kAdjusterMin: *value = RawInt(p.adjuster_min); return true;
      case kAdjusterMax: *value = RawInt(p.adjuster_max); return true;
      case kSelStart:
      case kSelLength: {
        if (Design()) {
          *value = RawInt(local_index == kSelStart ? p.sel_start : p.sel_length);
          return true;
        }
        const auto [start, end] = SelectionOf(window_);
        *value = RawInt(static_cast<std::int32_t>(local_index == kSelStart ? start : end - start));
        return true;
      }
      case kSelText: {
        scratch_ = SelectedText();
        *value = RawText(scratch_);
        return true;
      }
      case kDataSource: *value = RawText(p.data_source); return true;
      case kDataColumn: *value = RawText(p.data_column); return true;
      default: return false;
    }
  }

  Bytes SaveProperties() override {
    EditBoxProperties saved = properties_;
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
    const EditBoxProperties& p = properties_;
    DWORD style = 0;
    if (!p.hide_selection) style |= ES_NOHIDESEL;
    if (p.multi_line) {
      style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
      if (p.scroll_bars == 1 || p.scroll_bars == 3) style |= ES_AUTOHSCROLL;
      if (p.scroll_bars == 1 || p.scroll_bars == 3) style |= WS_HSCROLL;
      if (p.scroll_bars == 2 || p.scroll_bars == 3) style |= WS_VSCROLL;
    } else {
      style |= ES_AUTOHSCROLL;
    }
    if (p.alignment == 1) style |= ES_CENTER;
    if (p.alignment == 2) style |= ES_RIGHT;
    if (p.input_mode == kModeReadOnly) style |= ES_READONLY;
    if (p.input_mode == kModePassword) style |= ES_PASSWORD;
    if (p.letter_case == 1) style |= ES_LOWERCASE;
    if (p.letter_case == 2) style |= ES_UPPERCASE;

    brush_.Make(p.back_color);
    writing_ = true;
    const bool created = CreateControl(creation, "EDIT", p.text.c_str(), style);
    writing_ = false;
    if (!created) return;
    ApplyFontAndHeight();
    ::SendMessageA(window_, EM_LIMITTEXT, static_cast<WPARAM>(p.max_length), 0);
    if (p.input_mode == kModePassword) ::SendMessageA(window_, EM_SETPASSWORDCHAR, p.password_char, 0);
    if (!p.multi_line && p.adjuster_style != kNoAdjuster) {
      if (adjuster_.Create(window_, *this, *this, AdjusterHasStaticEdge(p.border))) {
        adjuster_.SetRange(p.adjuster_min, p.adjuster_max);
      } else {
        properties_.adjuster_style = kNoAdjuster;
      }
    }
    Select({p.sel_start, p.sel_length});
    ApplyBorder(window_, p.border);
  }

  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override {
    switch (message) {
      case WM_CHAR:
        if (!KeystrokeAllowed(properties_.input_mode, static_cast<std::uint32_t>(wparam))) return 0;
        return Default(message, wparam, lparam);
      case WM_NCCALCSIZE: return properties_.multi_line ? Default(message, wparam, lparam) : CalculateFrame(wparam, lparam);
      case WM_NCHITTEST: {
        const LRESULT hit = Default(message, wparam, lparam);
        if (properties_.multi_line) return hit;
        const POINT at = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
        RECT client;
        ::GetClientRect(window_, &client);
        ::MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
        return ::PtInRect(&client, at) ? hit : HTBORDER;
      }
      case WM_NCPAINT:
        if (!properties_.multi_line) PaintFrameBackground();
        return Default(message, wparam, lparam);
      case WM_ERASEBKGND: {
        if (properties_.multi_line) return Default(message, wparam, lparam);
        RECT box;
        HDC dc = reinterpret_cast<HDC>(wparam);
        ::GetClipBox(dc, &box);
        ::FillRect(dc, &box, brush_.Get());
        return 1;
      }
      case WM_WINDOWPOSCHANGED:
      case WM_ENABLE: {
        const LRESULT result = Default(message, wparam, lparam);
        adjuster_.Follow(window_);
        return result;
      }
      case WM_SHOWWINDOW:
        // A box shown inside a hidden window gets no position change, only this.
        if (lparam == 0) adjuster_.Follow(window_, wparam != 0);
        return Default(message, wparam, lparam);
      case unit_message::kAllCreated: {
        // The box may have moved into a container since it was created.
        adjuster_.Follow(window_);
        return ChildUnit::Handle(message, wparam, lparam);
      }
      case WM_DESTROY: adjuster_.Destroy(); return ChildUnit::Handle(message, wparam, lparam);
      default: return ChildUnit::Handle(message, wparam, lparam);
    }
  }

  LRESULT OnCommand(WORD code) override {
    switch (code) {
      case EN_CHANGE:
        if (!writing_) Raise(kChanged);
        return 0;
      case EN_SETFOCUS: RaiseFocusEvent(true); return 0;
      case EN_KILLFOCUS:
        Normalise();
        if (window_ != nullptr) RaiseFocusEvent(false);
        return 0;
      default: return 0;
    }
  }

  HBRUSH ControlColours(HDC dc) override {
    return reinterpret_cast<HBRUSH>(
        AnswerControlColours(dc, properties_.text_color, properties_.back_color, brush_.Get()));
  }

  void ApplyProviderReadOnly(bool read_only) override {
    provider_read_only_ = read_only;
    ApplyReadOnly();
  }

  void ShowDataValue(const std::string& value) override {
    WriteOwnText(value);
    ::SendMessageA(window_, EM_SETSEL, 0, -1);
    ::SendMessageA(window_, EM_SCROLLCARET, 0, 0);
  }

  std::optional<std::string> EditedDataValue() override { return WindowText(window_); }

 private:
  template <class T>
  static bool Changes(T& stored, T value) {
    if (stored == value) return false;
    stored = value;
    return true;
  }

  // Writes the window text without raising Changed.
  void WriteOwnText(const std::string& text) {
    writing_ = true;
    ::SetWindowTextA(window_, text.c_str());
    writing_ = false;
  }

  void ApplyReadOnly() {
    const bool read_only = properties_.input_mode == kModeReadOnly || provider_read_only_;
    ::SendMessageA(window_, EM_SETREADONLY, read_only ? TRUE : FALSE, 0);
  }

  void Select(const Selection& selection) {
    ::SendMessageA(window_, EM_SETSEL, static_cast<WPARAM>(selection.start), static_cast<LPARAM>(selection.End()));
    ::SendMessageA(window_, EM_SCROLLCARET, 0, 0);
  }

  std::string SelectedText() const {
    const auto [start, end] = SelectionOf(window_);
    const int length = ::GetWindowTextLengthW(window_);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int read = ::GetWindowTextW(window_, wide.data(), length + 1);
    wide.resize(static_cast<std::size_t>(read > 0 ? read : 0));
    if (start >= end || start >= wide.size()) return {};
    const std::wstring part = wide.substr(start, end - start);
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, part.data(), static_cast<int>(part.size()), nullptr, 0,
                                            nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, part.data(), static_cast<int>(part.size()), text.data(), bytes, nullptr,
                          nullptr);
    return text;
  }

  // Losing the focus: the text in the form its input mode gives it.
  void Normalise() {
    const std::string text = WindowText(window_);
    const std::string normal = NormalisedText(properties_.input_mode, text);
    if (normal == text) return;
    const DWORD start = SelectionOf(window_).first;
    ::SetWindowTextA(window_, normal.c_str());  // raises Changed
    if (window_ == nullptr) return;
    ::SendMessageA(window_, EM_SETSEL, start, start);
    ::SendMessageA(window_, EM_SCROLLCARET, 0, 0);
  }

  // The font, and for a single-line box a height no lower than its text plus the edges.
  void ApplyFontAndHeight() {
    font_in_use_.Apply(window_, font_.View());
    HFONT font = font_in_use_.Current();
    text_height_ = TextExtent(window_, font, "W").cy;
    if (properties_.multi_line) return;
    const int lowest = TextExtent(window_, font, "吴").cy + 2 * ::GetSystemMetrics(SM_CYEDGE);
    const SIZE size = WindowSize(window_);
    if (size.cy < lowest) {
      ::SetWindowPos(window_, nullptr, 0, 0, size.cx, lowest, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RecalculateFrame(window_);
  }

  // A single-line box's client area is one line of text high, centred in the box.
  LRESULT CalculateFrame(WPARAM wparam, LPARAM lparam) {
    const LRESULT result = Default(WM_NCCALCSIZE, wparam, lparam);
    RECT* client = wparam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0] : reinterpret_cast<RECT*>(lparam);
    // A box lower than one line keeps the client area it has.
    if (text_height_ > 0 && client->bottom - client->top > text_height_) {
      client->top += (client->bottom - client->top - text_height_) / 2;
      client->bottom = client->top + text_height_;
    }
    return result;
  }

  // The band between the frame and the centred client area takes the background colour.
  void PaintFrameBackground() {
    RECT window;
    ::GetWindowRect(window_, &window);
    RECT client;
    ::GetClientRect(window_, &client);
    ::MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ::OffsetRect(&client, -window.left, -window.top);
    ::OffsetRect(&window, -window.left, -window.top);
    HDC dc = ::GetWindowDC(window_);
    ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    ::FillRect(dc, &window, brush_.Get());
    ::ReleaseDC(window_, dc);
  }

  // AdjusterOwner
  void AdjusterStep(std::int32_t step) override {
    if (window_ == nullptr || !::IsWindowVisible(window_)) return;
    if (properties_.adjuster_style == kManualAdjuster) {
      Raise(kAdjusterPressed, {static_cast<std::uint32_t>(step)});
      return;
    }
    const std::int32_t next =
        AdjustedValue(WindowText(window_), properties_.adjuster_min, properties_.adjuster_max, step);
    ::SetWindowTextA(window_, std::to_string(next).c_str());  // raises Changed
    if (window_ == nullptr) return;
    ::SendMessageA(window_, EM_SETSEL, 0, -1);
    ::SendMessageA(window_, EM_SCROLLCARET, 0, 0);
    ::SetFocus(window_);
  }

  HBRUSH AdjusterColours(HDC dc) override { return ControlColours(dc); }

  EditBoxProperties properties_;  // the font lives in the buffer below
  ByteBuffer font_;
  UnitFont font_in_use_;
  BackgroundBrush brush_;
  EditBoxAdjuster adjuster_;
  std::string scratch_;  // SelText and PasswordChar as read
  int text_height_ = 0;
  bool writing_ = false;
  bool provider_read_only_ = false;
};

BOOL EditBoxWantsKey(void* unit, std::uint32_t key) {
  if (unit == nullptr) return FALSE;
  return static_cast<EditBox*>(AsChildUnit(unit))->WantsKey(key) ? TRUE : FALSE;
}

void VisitEditBoxTexts(EditBoxProperties& properties, const TextVisit& visit) {
  visit.Text(properties.text);
  visit.FontFace(properties.font);
  visit.Text(properties.data_source);
  visit.Text(properties.data_column);
}

}  // namespace

UnitOperation EditBoxInterface(std::int32_t code) {
  switch (code) {
    case unit_operation::kCreateUnit: return CreateOperation<EditBox, CoreLink>();
    case unit_operation::kWantsKey: return AsUnitOperation(&EditBoxWantsKey);
    case unit_operation::kVisitTexts: return VisitTextsOf<EditBoxProperties, VisitEditBoxTexts>();
    default: return SharedOperation(code);
  }
}

}  // namespace quarrow
