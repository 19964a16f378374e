// The window's keys: Tab and Shift+Tab, Enter and the default button, Escape, the arrows over radio-style units, F1
// and Alt with a letter or digit. The focused unit may keep any of them for itself.
#include <algorithm>
#include <cctype>

#include "forms/input_codes.h"
#include "forms/win_form_unit.h"
#include "forms/window_map.h"
#include "forms/window_navigation.h"
#include "runtime/runtime.h"

namespace quarrow::forms {

namespace {

bool Down(int key) { return ::GetKeyState(key) < 0; }

bool Usable(const LiveUnit& unit) {
  return !unit.IsMenuItem() && unit.Live() && ::IsWindowVisible(unit.Window()) && ::IsWindowEnabled(unit.Window());
}

bool IsDefaultButton(const LiveUnit& unit) {
  if (!(unit.Flags() & unit_flag::kDefaultButton) || !unit.Live()) return false;
  const auto is_default = UnitTypeOperation<IsDefaultButtonOperation>(unit.type->unit_interface,
                                                                      unit_operation::kIsDefaultButton);
  return is_default != nullptr && is_default(unit.object);
}

void Focus(LiveUnit* unit) {
  if (unit != nullptr && unit->Live()) ::SetFocus(unit->Window());
}

// Radio-style units that share a parent, in focus order.
std::vector<FocusCandidate> RadioSiblings(WindowRecord& window, std::uint32_t parent) {
  std::vector<FocusCandidate> siblings;
  for (std::size_t i = 1; i < window.working.size(); ++i) {
    const LiveUnit& unit = window.working[i];
    if (!Usable(unit) || !(unit.Flags() & unit_flag::kRadioMnemonic) || unit.Record().parent != parent) continue;
    siblings.push_back({i, unit.Record().tab_order});
  }
  return FocusOrder(std::move(siblings));
}

// The unit gets the check mark and its radio-style siblings lose theirs.
void CheckRadio(WindowRecord& window, LiveUnit& chosen) {
  for (const FocusCandidate& c : RadioSiblings(window, chosen.Record().parent)) {
    LiveUnit& sibling = window.working[c.record];
    ::SendMessageA(sibling.Window(), BM_SETCHECK, &sibling == &chosen ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  ::SendMessageA(chosen.Window(), BM_SETCHECK, BST_CHECKED, 0);
}

// Whether the text holds "&" followed by the character (letters in either case); "&&" is a plain ampersand.
bool HasMnemonic(const std::string& text, char key) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    const auto c = static_cast<unsigned char>(text[i + 1]);
    if (c == static_cast<unsigned char>(key) || std::tolower(c) == std::tolower(static_cast<unsigned char>(key))) {
      return true;
    }
  }
  return false;
}

std::string TextOf(HWND window) {
  char text[512] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

}  // namespace

LiveUnit* FocusedUnit(WindowRecord& window) {
  HWND hwnd = window.Hwnd();
  if (hwnd == nullptr) return nullptr;
  // Up through the child windows only: a top-level window's "parent" would be its owner.
  for (HWND focus = ::GetFocus(); focus != nullptr;) {
    if (LiveUnit* unit = window.UnitOfWindow(focus)) return unit;
    if (focus == hwnd || !(::GetWindowLongPtrA(focus, GWL_STYLE) & WS_CHILD)) break;
    focus = ::GetParent(focus);
  }
  return nullptr;
}

std::uint32_t CurrentKeyState() { return KeyState(Down(VK_CONTROL), Down(VK_SHIFT), Down(VK_MENU)); }

std::vector<FocusCandidate> TabCandidates(WindowRecord& window) {
  std::vector<FocusCandidate> candidates;
  for (std::size_t i = 1; i < window.working.size(); ++i) {
    const LiveUnit& unit = window.working[i];
    if (!Usable(unit) || !(unit.Record().state & state_flag::kTabStop)) continue;
    if (unit.Flags() & (unit_flag::kNeverShown | unit_flag::kNoFocus)) continue;
    candidates.push_back({i, unit.Record().tab_order});
  }
  return FocusOrder(std::move(candidates));
}

LiveUnit* FocusTargetPast(WindowRecord& window, std::int32_t threshold, bool forward) {
  const auto target = FocusPastThreshold(TabCandidates(window), threshold, forward);
  return target ? &window.working[*target] : nullptr;
}

bool MoveFocus(WindowRecord& window, LiveUnit* focused, bool forward) {
  const auto order = TabCandidates(window);
  std::optional<std::size_t> target;
  if (focused != nullptr && focused != &window.working.front() &&
      (focused->Flags() & (unit_flag::kCaption | unit_flag::kMnemonicOnward))) {
    const std::int32_t threshold = (focused->Flags() & unit_flag::kMnemonicOnward) ? 0 : focused->Record().tab_order;
    target = FocusPastThreshold(order, threshold, forward);
  } else {
    std::optional<std::size_t> current;
    if (focused != nullptr) current = static_cast<std::size_t>(focused - window.working.data());
    target = NextFocus(order, current, forward);
  }
  if (!target) return false;
  Focus(&window.working[*target]);
  return true;
}

bool WindowMap::WindowKey(WindowRecord& window, const MSG& message) {
  WinFormUnit* form = window.Form();
  if (form == nullptr) return false;
  const auto key = static_cast<std::uint32_t>(message.wParam);
  const bool alt = Down(VK_MENU), ctrl = Down(VK_CONTROL), shift = Down(VK_SHIFT);
  const bool mnemonic = message.message == WM_SYSKEYDOWN && ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'));
  const bool navigation = !alt && !ctrl &&
                          (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_LEFT ||
                           key == VK_RIGHT || key == VK_UP || key == VK_DOWN || key == VK_F1);
  if (!mnemonic && !navigation) return false;

  LiveUnit* focused = FocusedUnit(window);
  if (focused != nullptr && focused != &window.working.front() && focused->Live()) {
    const auto wants = UnitTypeOperation<WantsKeyOperation>(focused->type ? focused->type->unit_interface : nullptr,
                                                             unit_operation::kWantsKey);
    if (wants != nullptr && wants(focused->object, key)) return false;
  }
  const WindowProperties& properties = form->Properties();
  const std::uint32_t window_id = window.Id();

  if (mnemonic) {
    for (std::size_t i = 1; i < window.working.size(); ++i) {
      LiveUnit& unit = window.working[i];
      const std::uint32_t flags = unit.Flags();
      if (!Usable(unit) || !(flags & unit_flag::kMnemonicSearch) || (flags & unit_flag::kNeverShown)) continue;
      if (!HasMnemonic(TextOf(unit.Window()), static_cast<char>(key))) continue;
      const std::uint32_t id = unit.id;
      if (flags & unit_flag::kCheckMnemonic) {
        const LRESULT checked = ::SendMessageA(unit.Window(), BM_GETCHECK, 0, 0);
        ::SendMessageA(unit.Window(), BM_SETCHECK, checked == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
        Raise(window_id, id, 0);
      } else if (flags & unit_flag::kRadioMnemonic) {
        CheckRadio(window, unit);
        Raise(window_id, id, 0);
      } else if (flags & unit_flag::kDefaultButton) {
        Raise(window_id, id, 0);
      } else if (flags & unit_flag::kCaption) {
        Focus(FocusTargetPast(window, unit.Record().tab_order, true));
      } else {
        const auto order = TabCandidates(window);
        const bool candidate = std::any_of(order.begin(), order.end(), [&](const auto& c) { return c.record == i; });
        Focus(candidate ? &unit : FocusTargetPast(window, unit.Record().tab_order, true));
      }
      return true;
    }
    return false;
  }

  switch (key) {
    case VK_TAB:
      MoveFocus(window, focused, !shift);
      return true;
    case VK_RETURN: {
      if (focused != nullptr && IsDefaultButton(*focused)) {
        Raise(window_id, focused->id, 0);
        return true;
      }
      if (properties.enter_moves_focus) {
        MoveFocus(window, focused, true);
        return true;
      }
      for (std::size_t i = 1; i < window.working.size(); ++i) {
        LiveUnit& unit = window.working[i];
        if (!unit.IsMenuItem() && Usable(unit) && IsDefaultButton(unit)) {
          Raise(window_id, unit.id, 0);
          return true;
        }
      }
      return false;
    }
    case VK_ESCAPE:
      if (!properties.escape_closes) return false;
      form->RequestClose();
      return true;
    case VK_F1:
      if (!properties.f1_opens_help) return false;
      form->OpenHelp();
      return true;
    default: {
      // The arrows move the check mark and the focus over radio-style units that share a parent.
      if (focused == nullptr || focused == &window.working.front() ||
          !(focused->Flags() & unit_flag::kRadioMnemonic)) {
        return false;
      }
      const std::size_t current = static_cast<std::size_t>(focused - window.working.data());
      const auto target = NextFocus(RadioSiblings(window, focused->Record().parent), current,
                                    key == VK_RIGHT || key == VK_DOWN);
      if (!target) return false;
      LiveUnit& reached = window.working[*target];
      const std::uint32_t id = reached.id;
      CheckRadio(window, reached);
      Raise(window_id, id, 0);
      if (LiveUnit* again = window.Unit(id)) Focus(again);
      return true;
    }
  }
}

}  // namespace quarrow::forms

namespace quarrow::forms {

HWND WindowMap::ActiveModalWindow() {
  for (auto& window : windows_) {
    HWND hwnd = window->Hwnd();
    WinFormUnit* form = window->Form();
    if (hwnd != nullptr && form != nullptr && form->Modal() && ::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd)) {
      return hwnd;
    }
  }
  return nullptr;
}

HWND WindowMap::FirstFocusWindow(std::uint32_t window_id) {
  WindowRecord* window = Find(window_id);
  if (window == nullptr || !window->Loaded()) return nullptr;
  const auto order = TabCandidates(*window);
  return order.empty() ? nullptr : window->working[order.front().record].Window();
}

HCURSOR WindowMap::CursorOver(std::uint32_t window_id, HWND under_mouse) {
  WindowRecord* window = Find(window_id);
  if (window == nullptr || !window->Loaded()) return nullptr;
  const LiveUnit* unit = window->UnitOfWindow(under_mouse);
  return unit != nullptr ? unit->cursor : nullptr;
}

void WindowMap::MenuCommand(std::uint32_t window_id, UINT command) {
  WindowRecord* window = Find(window_id);
  if (window == nullptr || command < kMenuCommandBase) return;
  const std::size_t index = command - kMenuCommandBase;
  if (index >= window->working.size() || !window->working[index].IsMenuItem()) return;
  Raise(window_id, window->working[index].id, 0);
}

}  // namespace quarrow::forms
