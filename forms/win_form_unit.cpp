#include "forms/win_form_unit.h"

#include "units/core_link.h"
#include "base/event_record.h"
#include "forms/runtime_parts.h"
#include "forms/window_map.h"
#include "runtime/runtime.h"
#include "units/message_reflection.h"
#include "units/raw_value_access.h"
#include "units/unit_appearance.h"
#include "units/unit_window_class.h"

namespace quarrow::forms {

namespace {

// Horizontal and vertical redraw, double clicks.
constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;

Bytes CopyOf(std::span<const std::uint8_t> bytes) { return Bytes(bytes.begin(), bytes.end()); }

}  // namespace

WinFormUnit::WinFormUnit(std::uint32_t window_id, std::uint32_t unit_id, bool modal)
    : SubclassedUnit(CoreLink(), window_id, unit_id), modal_(modal) {}

WinFormUnit::~WinFormUnit() { music_.Stop(); }

DWORD WinFormUnit::Style(DWORD base) const {
  const WindowProperties& p = properties_;
  // Of the record's style only the disabled state applies: on a top-level window the tab-stop bit would be the
  // maximize box.
  DWORD style = (base & WS_DISABLED) | WS_CLIPCHILDREN;
  if (p.border_style != 0) {
    style |= WS_DLGFRAME;
    if (!p.title.empty() || p.control_box) style |= WS_CAPTION;
    if (p.control_box) style |= WS_SYSMENU;
    if (p.border_style == 1 || p.border_style == 3 || p.border_style == 5) style |= WS_THICKFRAME;
  }
  if (p.maximize_button) style |= WS_MAXIMIZEBOX;
  if (p.minimize_button) style |= WS_MINIMIZEBOX;
  // The platform gives every overlapped window a caption: a window without one is a pop-up window.
  if ((style & WS_CAPTION) != WS_CAPTION) style |= WS_POPUP;
  return style;
}

DWORD WinFormUnit::ExtendedStyle() const {
  DWORD style = 0;
  if (properties_.border_style == 3 || properties_.border_style == 4) style |= WS_EX_TOOLWINDOW;
  if (properties_.border_style == 5 || properties_.border_style == 6) style |= WS_EX_CLIENTEDGE;
  if (properties_.always_on_top) style |= WS_EX_TOPMOST;
  return style;
}

WinFormUnit* WinFormUnit::Create(const void* block, std::int32_t length, std::uint32_t style, HWND owner, bool modal,
                                 HMENU menu, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                                 std::uint32_t window_id, std::uint32_t unit_id) {
  auto* unit = new WinFormUnit(window_id, unit_id, modal);
  const std::span<const std::uint8_t> bytes = PropertyBlockBytes(block, length);
  const WindowProperties& p = unit->properties_;
  if (!LoadWindowProperties(bytes, &unit->properties_) ||
      !RegisterUnitWindowClass(p.class_name.empty() ? kDefaultWindowClass : p.class_name.c_str(), kClassStyle)) {
    if (menu != nullptr) ::DestroyMenu(menu);
    delete unit;
    return nullptr;
  }
  const char* class_name = p.class_name.empty() ? kDefaultWindowClass : p.class_name.c_str();

  DWORD window_style = unit->Style(style);
  if (p.start_position == 1) {
    x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  } else if (p.start_position == 2) {
    window_style |= WS_MINIMIZE;
  } else if (p.start_position == 3 && (window_style & WS_THICKFRAME)) {
    window_style |= WS_MAXIMIZE;
  }
  Runtime& runtime = TheRuntime();
  if (owner != nullptr) {
    window_style = (window_style & ~WS_CHILD) | WS_POPUP;
  } else if (runtime.ProgramMode() != 0 && (modal || !p.show_in_task_bar)) {
    // Owned by the hidden owner window, the window has no task-bar button of its own.
    owner = runtime.HiddenOwner();
  }

  HWND hwnd = ::CreateWindowExA(unit->ExtendedStyle(), class_name, p.title.c_str(), window_style, x, y, width, height,
                                owner, menu, ::GetModuleHandleA(nullptr), nullptr);
  if (hwnd == nullptr || !unit->Subclass(hwnd)) {
    if (hwnd == nullptr && menu != nullptr) ::DestroyMenu(menu);  // a destroyed window took its menu along
    delete unit;
    return nullptr;
  }

  WinFormUnit* created = nullptr;
  {
    Guard guard(*unit);
    if (!(window_style & (WS_MINIMIZE | WS_MAXIMIZE))) {
      RECT r;
      ::GetWindowRect(hwnd, &r);
      if (r.left != x || r.top != y || r.right - r.left != width || r.bottom - r.top != height) {
        ::MoveWindow(hwnd, x, y, width, height, FALSE);
      }
    }
    unit->MakeIcons();
    // Property 28 has no effect on the frame in this program.
    ::SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    if (p.always_on_top) ::SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    unit->ApplyCloseButton();
    if (!p.picture.empty()) {
      unit->picture_ = DecodePicture(p.picture.data(), static_cast<std::ptrdiff_t>(p.picture.size()));
    }
    unit->StartMusic();
    if (unit->window_ != nullptr) created = unit;
  }  // a window destroyed meanwhile has taken its object with it here
  return created;
}

void WinFormUnit::MakeIcons() {
  // A large and a small icon from the icon property when it holds icon data, else the runtime's default icons.
  HICON large = nullptr, small = nullptr;
  if (!properties_.icon.empty()) {
    const auto picture = DecodePicture(properties_.icon.data(), static_cast<std::ptrdiff_t>(properties_.icon.size()));
    if (picture != nullptr && picture->icon != nullptr) {
      large = static_cast<HICON>(::CopyImage(picture->icon, IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
                                             ::GetSystemMetrics(SM_CYICON), 0));
      small = static_cast<HICON>(::CopyImage(picture->icon, IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                             ::GetSystemMetrics(SM_CYSMICON), 0));
    }
  }
  if (large == nullptr || small == nullptr) {
    if (large != nullptr) ::DestroyIcon(large);
    if (small != nullptr) ::DestroyIcon(small);
    large = small = nullptr;
  }
  HICON shown_large = large, shown_small = small;
  if (large == nullptr) TheRuntime().DefaultIcons(&shown_large, &shown_small);
  ::SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(shown_large));
  ::SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(shown_small));
  // Icons made from the property go when they are replaced, and with the window object.
  large_icon_.Reset(large);
  small_icon_.Reset(small);
}

void WinFormUnit::StartMusic() {
  music_.Stop();
  if (!properties_.music.empty()) music_.Start(properties_.music.data(), properties_.music.size(), properties_.music_mode);
}

void WinFormUnit::ApplyCloseButton() {
  ::GetSystemMenu(window_, TRUE);  // back to the standard menu
  if (!properties_.close_button) {
    if (HMENU menu = ::GetSystemMenu(window_, FALSE)) ::RemoveMenu(menu, SC_CLOSE, MF_BYCOMMAND);
  }
}

void WinFormUnit::ApplyStyles() {
  constexpr DWORD kFrameBits = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX;
  const auto current = static_cast<DWORD>(::GetWindowLongPtrA(window_, GWL_STYLE));
  const bool owned_popup = (current & WS_POPUP) && ::GetWindow(window_, GW_OWNER) != nullptr &&
                           ::GetWindow(window_, GW_OWNER) != TheRuntime().HiddenOwner();
  DWORD style = (current & ~kFrameBits) | (Style(0) & kFrameBits);
  if (owned_popup) style |= WS_POPUP;
  ::SetWindowLongPtrA(window_, GWL_STYLE, static_cast<LONG_PTR>(style));
  const auto extended = static_cast<DWORD>(::GetWindowLongPtrA(window_, GWL_EXSTYLE));
  constexpr DWORD kExtendedBits = WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE;
  ::SetWindowLongPtrA(window_, GWL_EXSTYLE,
                      static_cast<LONG_PTR>((extended & ~kExtendedBits) | (ExtendedStyle() & kExtendedBits)));
  ::SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyCloseButton();
}

void WinFormUnit::ShowInStartState(bool force) {
  Guard guard(*this);  // a handler of the events that showing raises may close the window
  int command = SW_SHOWNORMAL;
  if (!force && TheRuntime().ProgramMode() != 0) {
    if (properties_.start_position == 3) command = SW_SHOWMAXIMIZED;
    if (properties_.start_position == 2) command = SW_SHOWMINIMIZED;
  }
  ::ShowWindow(window_, command);
  if (window_ != nullptr) ::UpdateWindow(window_);
}

void WinFormUnit::ShowByProperty(bool visible) {
  Guard guard(*this);
  if (!visible) {
    ::ShowWindow(window_, SW_HIDE);
  } else if (!::IsWindowVisible(window_)) {
    ::ShowWindow(window_, SW_SHOW);
  }
}

void WinFormUnit::RestoreDisabled() { TheWindowMap().Modals().Restore(window_); }

void WinFormUnit::OpenHelp() {
  Guard guard(*this);
  std::string file = properties_.help_file;
  if (file.empty()) {
    const Runtime& runtime = TheRuntime();
    std::string name = runtime.ProgramFileName();
    const auto dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);
    file = runtime.ProgramDirectorySlash() + name + ".hlp";
  }
  if (::GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  if (properties_.help_context != 0) {
    ::WinHelpA(window_, file.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(properties_.help_context));
  } else {
    ::WinHelpA(window_, file.c_str(), HELP_CONTENTS, 0);
  }
  help_opened_ = true;
}

bool WinFormUnit::CloseAllowed() {
  // Event 12 asks first, then event 1; a handler returning 0 keeps the window open.
  const auto first = Raise(window_event::kAskClose);
  if ((first && *first == 0) || window_ == nullptr) return false;
  const auto second = Raise(window_event::kClosing);
  return !(second && *second == 0) && window_ != nullptr;
}

void WinFormUnit::OnActivate(WPARAM wparam) {
  if (LOWORD(wparam) == WA_INACTIVE) {
    HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(window_, focus)) focus_before_deactivation_ = focus;
    Raise(window_event::kDeactivated);
    return;
  }
  Raise(window_event::kActivated);
  if (window_ != nullptr && !activated_once_) {
    activated_once_ = true;
    Raise(window_event::kFirstActivated);
  }
}

void WinFormUnit::PaintBackground(HDC dc) {
  RECT client;
  ::GetClientRect(window_, &client);
  const COLORREF colour = ResolveBackColour(properties_.background_colour);
  OwnedBrush brush(::CreateSolidBrush(colour));
  ::FillRect(dc, &client, brush.Get());
  if (picture_ == nullptr) return;
  DisplayHandle handle;
  if (!MakeDisplayHandle(*picture_, dc, colour, &handle)) return;
  const int w = handle.width, h = handle.height;
  switch (properties_.picture_mode) {
    case 0: DrawPicture(handle, dc, 0, 0, -1, -1, SRCCOPY); break;  // at the top left
    case 2: DrawPicture(handle, dc, (client.right - w) / 2, (client.bottom - h) / 2, -1, -1, SRCCOPY); break;
    case 3: DrawPicture(handle, dc, 0, 0, client.right, client.bottom, SRCCOPY); break;  // stretched
    default:                                                                             // tiled
      if (w <= 0 || h <= 0) break;
      for (int y = 0; y < client.bottom; y += h) {
        for (int x = 0; x < client.right; x += w) DrawPicture(handle, dc, x, y, -1, -1, SRCCOPY);
      }
  }
}

LRESULT WinFormUnit::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      if (CloseAllowed()) {
        RestoreDisabled();
        ::DestroyWindow(window_);
      }
      return 0;
    case WM_QUERYENDSESSION: {
      const auto value = Raise(window_event::kClosing);
      return value && *value == 0 ? FALSE : TRUE;
    }
    case WM_DESTROY: {
      Raise(window_event::kDestroyed);
      RestoreDisabled();
      music_.Stop();
      if (help_opened_ && window_ != nullptr) ::WinHelpA(window_, nullptr, HELP_QUIT, 0);
      return Default(message, wparam, lparam);
    }
    case WM_MOVE: {
      const LRESULT result = Default(message, wparam, lparam);
      Raise(window_event::kMoved);
      return result;
    }
    case WM_SIZE: {
      const LRESULT result = Default(message, wparam, lparam);
      Raise(window_event::kResized);
      return result;
    }
    case WM_ACTIVATE: {
      if (LOWORD(wparam) != WA_INACTIVE && !::IsWindowEnabled(window_)) {
        // A disabled window gives the activation to the program's modal window.
        HWND modal = TheWindowMap().ActiveModalWindow();
        if (modal != nullptr && modal != window_) {
          ::SetActiveWindow(modal);
          return 0;
        }
      }
      OnActivate(wparam);
      if (window_ == nullptr) return 0;
      if (LOWORD(wparam) != WA_INACTIVE && !::IsIconic(window_)) {
        // The focus goes back to the unit that had it, or to the first unit Tab reaches.
        HWND target = focus_before_deactivation_;
        if (target == nullptr || !::IsWindow(target) || !::IsChild(window_, target)) {
          target = TheWindowMap().FirstFocusWindow(WindowId());
        }
        if (target != nullptr) {
          ::SetFocus(target);
          return 0;
        }
      }
      return Default(message, wparam, lparam);
    }
    case WM_SHOWWINDOW: {
      const LRESULT result = Default(message, wparam, lparam);
      Raise(wparam ? window_event::kShown : window_event::kHidden);
      return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = Default(message, wparam, lparam);
      Raise(message == WM_SETFOCUS ? common_event::kGotFocus : common_event::kLostFocus);
      return result;
    }
    case WM_ERASEBKGND: PaintBackground(reinterpret_cast<HDC>(wparam)); return 1;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT) {
        if (HCURSOR cursor = TheWindowMap().CursorOver(WindowId(), reinterpret_cast<HWND>(wparam))) {
          ::SetCursor(cursor);
          return TRUE;
        }
      }
      return Default(message, wparam, lparam);
    case WM_COMMAND:
      if (lparam == 0) {
        TheWindowMap().MenuCommand(WindowId(), LOWORD(wparam));
        return 0;
      }
      [[fallthrough]];
    default: {
      LRESULT result = 0;
      if (ReflectToChild(window_, message, wparam, lparam, &result)) return result;
      return Default(message, wparam, lparam);
    }
  }
}

std::int32_t WinFormUnit::SetProperty(std::int32_t local_index, const RawValue& value) {
  using namespace window_property;
  WindowProperties& p = properties_;
  const std::int32_t word = IntOf(value);
  switch (local_index) {
    case kTitle:
      p.title = TextOf(value);
      ::SetWindowTextA(window_, p.title.c_str());
      ApplyStyles();
      break;
    case kBorderStyle: p.border_style = word; ApplyStyles(); break;
    case kBackgroundColour: p.background_colour = WordOf(value); ::InvalidateRect(window_, nullptr, TRUE); break;
    case kPicture:
      p.picture = CopyOf(BytesOf(value));
      picture_ = p.picture.empty() ? nullptr : DecodePicture(p.picture.data(), static_cast<std::ptrdiff_t>(p.picture.size()));
      ::InvalidateRect(window_, nullptr, TRUE);
      break;
    case kPictureMode: p.picture_mode = word; ::InvalidateRect(window_, nullptr, TRUE); break;
    case kMusic: p.music = CopyOf(BytesOf(value)); StartMusic(); break;
    case kMusicMode: p.music_mode = word; StartMusic(); break;
    case kControlBox: p.control_box = word; ApplyStyles(); break;
    case kMaximizeButton: p.maximize_button = word; ApplyStyles(); break;
    case kMinimizeButton: p.minimize_button = word; ApplyStyles(); break;
    case kStartPosition:
      p.start_position = word;
      if (::IsWindowVisible(window_)) {
        ::ShowWindow(window_, word == 2 ? SW_MINIMIZE : word == 3 ? SW_MAXIMIZE : SW_RESTORE);
      }
      break;
    case kCloseButton: p.close_button = word; ApplyCloseButton(); break;
    case kIcon: p.icon = CopyOf(BytesOf(value)); MakeIcons(); break;
    case kEnterMovesFocus: p.enter_moves_focus = word; break;
    case kEscapeCloses: p.escape_closes = word; break;
    case kF1OpensHelp: p.f1_opens_help = word; break;
    case kHelpFile: p.help_file = TextOf(value); break;
    case kHelpContext: p.help_context = word; break;
    case kShowInTaskBar: {
      p.show_in_task_bar = word;
      // Only a window the runtime itself owns (or leaves unowned) moves between the two.
      HWND owner = ::GetWindow(window_, GW_OWNER);
      Runtime& runtime = TheRuntime();
      if (!modal_ && runtime.ProgramMode() != 0 && (owner == nullptr || owner == runtime.HiddenOwner())) {
        ::SetWindowLongPtrA(window_, GWLP_HWNDPARENT,
                            reinterpret_cast<LONG_PTR>(word ? nullptr : runtime.HiddenOwner()));
      }
      break;
    }
    case kDragByClientArea: p.drag_by_client_area = word; break;
    case kProperty28: p.property_28 = word; break;
    case kAlwaysOnTop:
      p.always_on_top = word;
      ::SetWindowPos(window_, word ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      break;
    case kProperty30: p.property_30 = word; break;
    case kClassName: p.class_name = TextOf(value); break;  // takes effect at the next load
    default: break;
  }
  return 0;
}

std::int32_t WinFormUnit::GetProperty(std::int32_t local_index, RawValue* value) {
  using namespace window_property;
  const WindowProperties& p = properties_;
  switch (local_index) {
    case kTitle: *value = RawText(p.title); return 1;
    case kBorderStyle: *value = RawInt(p.border_style); return 1;
    case kBackgroundColour: *value = RawWord(p.background_colour); return 1;
    case kPicture: *value = RawBytes(p.picture); return 1;
    case kPictureMode: *value = RawInt(p.picture_mode); return 1;
    case kMusic: *value = RawBytes(p.music); return 1;
    case kMusicMode: *value = RawInt(p.music_mode); return 1;
    case kControlBox: *value = RawInt(p.control_box); return 1;
    case kMaximizeButton: *value = RawInt(p.maximize_button); return 1;
    case kMinimizeButton: *value = RawInt(p.minimize_button); return 1;
    case kStartPosition: *value = RawInt(::IsIconic(window_) ? 2 : ::IsZoomed(window_) ? 3 : 0); return 1;
    case kCloseButton: *value = RawInt(p.close_button); return 1;
    case kIcon: *value = RawBytes(p.icon); return 1;
    case kEnterMovesFocus: *value = RawInt(p.enter_moves_focus); return 1;
    case kEscapeCloses: *value = RawInt(p.escape_closes); return 1;
    case kF1OpensHelp: *value = RawInt(p.f1_opens_help); return 1;
    case kHelpFile: *value = RawText(p.help_file); return 1;
    case kHelpContext: *value = RawInt(p.help_context); return 1;
    case kShowInTaskBar: *value = RawInt(p.show_in_task_bar); return 1;
    case kDragByClientArea: *value = RawInt(p.drag_by_client_area); return 1;
    case kProperty28: *value = RawInt(p.property_28); return 1;
    case kAlwaysOnTop: *value = RawInt(p.always_on_top); return 1;
    case kProperty30: *value = RawInt(p.property_30); return 1;
    case kClassName: *value = RawText(p.class_name); return 1;
    default: return 0;
  }
}

}  // namespace quarrow::forms
