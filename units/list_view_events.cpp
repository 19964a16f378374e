// What the ListView unit does with its control's messages and notifications: its events, check-state detection,
// label editing, info tips from the stored rows, and the burst painting.
#include <algorithm>
#include <cstring>
#include <vector>

#include "units/list_view.h"
#include "units/list_view_unit.h"

namespace quarrow {

namespace lv = list_view;

namespace {

std::uintptr_t Word(std::int32_t value) { return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(value)); }

// A handler that ran and gave the logical result false.
bool ReturnedFalse(const std::optional<std::int32_t>& result) { return result.has_value() && *result == 0; }

}  // namespace

LRESULT ListView::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  if (painting_.Handle(message, wparam)) return 0;
  switch (message) {
    case lv::kUnitObjectQuery: return reinterpret_cast<LRESULT>(static_cast<UnitObject*>(this));
    case lv::kCheckStateMessage: ReportCheckState(static_cast<std::int32_t>(wparam)); return 0;
    case WM_CHAR: {
      const LRESULT result = Default(message, wparam, lparam);
      if (wparam == ' ' && properties_.check_boxes && window_ != nullptr) {
        const auto focused = static_cast<std::int32_t>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
        if (focused >= 0) ::PostMessageA(window_, lv::kCheckStateMessage, static_cast<WPARAM>(focused), 0);
      }
      return result;
    }
    case WM_DESTROY:
      painting_.Detach();
      DetachImageLists();
      return ChildUnit::Handle(message, wparam, lparam);
    default: return ChildUnit::Handle(message, wparam, lparam);
  }
}

LRESULT ListView::OnNotify(NMHDR* header) {
  if (header == nullptr) return 0;
  switch (header->code) {
    case NM_SETFOCUS: RaiseFocusEvent(true); return 0;
    case NM_KILLFOCUS: RaiseFocusEvent(false); return 0;
    case LVN_ITEMCHANGED: {
      const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
      if ((change->uNewState & LVIS_FOCUSED) != 0 && (change->uOldState & LVIS_FOCUSED) == 0) {
        Raise(lv::kCurrentItemChanged);
      }
      return 0;
    }
    case LVN_ITEMACTIVATE: Raise(lv::kItemActivated); return 0;
    case LVN_COLUMNCLICK:
      Raise(lv::kColumnClicked, {Word(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem)});
      return 0;
    case LVN_HOTTRACK:
      Raise(lv::kHotItemChanged, {Word(reinterpret_cast<const NMLISTVIEW*>(header)->iItem)});
      return 0;
    case NM_CLICK:
      Raise(lv::kClicked);
      CheckAfterClick(header);
      return 0;
    case NM_RCLICK:
      Raise(lv::kRightClicked);
      CheckAfterClick(header);
      return 0;
    case NM_DBLCLK: CheckAfterClick(header); return 0;
    case LVN_BEGINLABELEDITA: return BeginLabelEdit(*reinterpret_cast<const NMLVDISPINFOA*>(header));
    case LVN_ENDLABELEDITA: return EndLabelEdit(*reinterpret_cast<const NMLVDISPINFOA*>(header));
    case LVN_GETINFOTIPA: GiveInfoTip(*reinterpret_cast<NMLVGETINFOTIPA*>(header)); return 0;
    default: return 0;
  }
}

void ListView::CheckAfterClick(const NMHDR* header) {
  // A handler may have closed the window meanwhile.
  if (window_ == nullptr) return;
  const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
  LVHITTESTINFO hit = {};
  hit.pt = click->ptAction;
  Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (hit.iItem == click->iItem && hit.flags == LVHT_ONITEMSTATEICON) {
    ::PostMessageA(window_, lv::kCheckStateMessage, static_cast<WPARAM>(click->iItem), 0);
  }
}

void ListView::ReportCheckState(std::int32_t row) {
  const auto state = static_cast<std::uint32_t>(Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK));
  const auto state_image = static_cast<std::int32_t>((state & LVIS_STATEIMAGEMASK) >> 12);
  Raise(lv::kCheckStateChanged, {Word(row), Word(state_image - 1)});
}

LRESULT ListView::BeginLabelEdit(const NMLVDISPINFOA& info) {
  if (info.item.iItem < 0) return 0;
  return ReturnedFalse(Raise(lv::kLabelEditStarting, {Word(info.item.iItem)})) ? 1 : 0;
}

LRESULT ListView::EndLabelEdit(const NMLVDISPINFOA& info) {
  const std::int32_t row = info.item.iItem;
  if (row < 0) return 0;
  // A cancelled edit brings no text: the handler sees the label as it stays.
  edited_text_ = info.item.pszText != nullptr ? std::string(info.item.pszText) : CellText(row, 0);
  const bool rejected = ReturnedFalse(Raise(lv::kLabelEditEnded, {Word(row)}));
  edited_text_.clear();
  return rejected ? 0 : 1;
}

void ListView::GiveInfoTip(NMLVGETINFOTIPA& tip) const {
  if (tip.pszText == nullptr || tip.cchTextMax <= 0) return;
  const std::vector<ListViewItemRecord> records = StoredRecords();
  const std::string* text = TipOfRow(records, tip.iItem);
  if (text == nullptr) return;
  const std::size_t length = std::min(text->size(), static_cast<std::size_t>(tip.cchTextMax - 1));
  std::memcpy(tip.pszText, text->data(), length);
  tip.pszText[length] = '\0';
}

}  // namespace quarrow
