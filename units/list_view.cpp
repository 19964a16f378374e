#include "units/list_view.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "units/extended_library.h"
#include "units/list_view_unit.h"
#include "units/raw_value_access.h"
#include "units/unit_operations.h"

namespace quarrow {

namespace lv = list_view;

namespace {

constexpr int kColumnTextFormats[] = {LVCFMT_LEFT, LVCFMT_CENTER, LVCFMT_RIGHT};

// The program's own hand cursor, for systems without IDC_HAND.
constexpr WORD kHandCursorResource = 2008;

}  // namespace

ListView::ListView(const LibraryLink& link, const UnitCreation& creation)
    : ChildUnit(link, creation),
      font_(ExtendedBufferPool()),
      columns_(ExtendedBufferPool()),
      header_images_(ExtendedBufferPool()),
      images_(ExtendedBufferPool()),
      state_images_(ExtendedBufferPool()),
      items_(ExtendedBufferPool()),
      painting_(link) {
  ReportFocusFromNotifications();
}

ListView::~ListView() = default;

ListView* ListView::Of(UnitObject* unit) {
  auto* list = dynamic_cast<ListView*>(unit);
  return list != nullptr && list->Window() != nullptr ? list : nullptr;
}

bool ListView::Load(std::span<const std::uint8_t> block) {
  if (!properties_.Load(block)) return false;
  const bool kept = font_.Assign(properties_.font) && columns_.Assign(properties_.columns) &&
                    header_images_.Assign(properties_.header_images) && images_.Assign(properties_.images) &&
                    state_images_.Assign(properties_.state_images) && items_.Assign(properties_.items);
  for (Bytes* bytes : {&properties_.font, &properties_.columns, &properties_.header_images, &properties_.images,
                       &properties_.state_images, &properties_.items}) {
    bytes->clear();
  }
  return kept;
}

Bytes ListView::SaveProperties() {
  ListViewProperties saved = properties_;
  saved.font = font_.ToBytes();
  saved.columns = columns_.ToBytes();
  saved.header_images = header_images_.ToBytes();
  saved.images = images_.ToBytes();
  saved.state_images = state_images_.ToBytes();
  saved.items = items_.ToBytes();
  return saved.Save();
}

DWORD ListView::WindowStyle() const {
  const ListViewProperties& p = properties_;
  DWORD style = WS_CLIPCHILDREN;
  switch (p.view_type) {
    case lv::kLargeIcons: style |= LVS_ICON; break;
    case lv::kSmallIcons: style |= LVS_SMALLICON; break;
    case lv::kList: style |= LVS_LIST; break;
    default: style |= LVS_REPORT; break;
  }
  if (IconView()) {
    if (p.icon_alignment == 1) style |= LVS_ALIGNLEFT;
    if (p.auto_arrange) style |= LVS_AUTOARRANGE;
    if (!p.label_wrap) style |= LVS_NOLABELWRAP;
  }
  if (ReportView()) {
    if (p.hide_column_header) {
      style |= LVS_NOCOLUMNHEADER;
    } else if (!p.clickable_header) {
      style |= LVS_NOSORTHEADER;
    }
  }
  if (p.editable_labels) style |= LVS_EDITLABELS;
  if (p.sort_order == 1) style |= LVS_SORTASCENDING;
  if (p.sort_order == 2) style |= LVS_SORTDESCENDING;
  if (p.single_selection) style |= LVS_SINGLESEL;
  if (p.always_show_selection) style |= LVS_SHOWSELALWAYS;
  return style;
}

DWORD ListView::ExtendedListStyle() const {
  const ListViewProperties& p = properties_;
  DWORD style = LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP;
  if (ReportView()) {
    if (!p.hide_column_header && p.header_drag_drop) style |= LVS_EX_HEADERDRAGDROP;
    if (p.full_row_select) style |= LVS_EX_FULLROWSELECT;
    if (p.grid_lines) style |= LVS_EX_GRIDLINES;
  }
  if (p.hot_tracking) {
    style |= LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE;
    if (p.underline_hot) style |= LVS_EX_UNDERLINEHOT;
    if (p.underline_cold) style |= LVS_EX_UNDERLINECOLD;
  }
  if (p.check_boxes) style |= LVS_EX_CHECKBOXES;
  if (p.flat_scroll_bars) style |= LVS_EX_FLATSB;
  return style;
}

void ListView::Create(const UnitCreation& creation) {
  const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&classes);
  if (!CreateControl(creation, WC_LISTVIEWA, "", WindowStyle())) return;
  painting_.Attach(window_);
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ExtendedListStyle());
  font_in_use_.Apply(window_, font_.View());
  if ((item_image_list_ = ReadImageList(images_.View()))) {
    Send(LVM_SETIMAGELIST, properties_.view_type == lv::kLargeIcons ? LVSIL_NORMAL : LVSIL_SMALL,
         reinterpret_cast<LPARAM>(item_image_list_.Get()));
  }
  if ((state_image_list_ = ReadImageList(state_images_.View()))) {
    Send(LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(state_image_list_.Get()));
  }
  if (ReportView()) ApplyHeaderImages();
  ApplyColours();
  ApplyBorder(window_, properties_.border);
  if (properties_.hot_tracking) ApplyHotCursor();
  if (ReportView()) InsertColumns();
  ShowStoredRows();
  ApplyCurrentItem();
}

HWND ListView::Header() const { return reinterpret_cast<HWND>(Send(LVM_GETHEADER)); }

void ListView::ApplyColours() {
  Send(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(properties_.text_color));
  Send(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(ResolveBackColour(properties_.text_back_color)));
  Send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(ResolveBackColour(properties_.back_color)));
}

void ListView::ApplyHotCursor() {
  HCURSOR cursor = nullptr;
  if (properties_.hand_cursor) {
    cursor = ::LoadCursorA(nullptr, IDC_HAND);
    if (cursor == nullptr) cursor = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kHandCursorResource));
  }
  if (cursor == nullptr) cursor = ::LoadCursorA(nullptr, IDC_ARROW);
  Send(LVM_SETHOTCURSOR, 0, reinterpret_cast<LPARAM>(cursor));
}

void ListView::InsertColumns() {
  std::vector<ListViewColumn> columns;
  ReadListViewColumns(columns_.View(), columns);  // a record cut short is left out
  for (std::size_t i = 0; i < columns.size(); ++i) {
    ListViewColumn& c = columns[i];
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = kColumnTextFormats[static_cast<int>(AlignmentOf(c))];
    if (c.image_on_right) column.fmt |= LVCFMT_BITMAP_ON_RIGHT;
    if (c.image != -1) {
      column.mask |= LVCF_IMAGE;
      column.fmt |= LVCFMT_IMAGE;
      column.iImage = c.image;
    }
    column.cx = c.width;
    column.pszText = c.title.data();
    column.iSubItem = static_cast<int>(i);
    Send(LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
}

void ListView::ApplyItemImages() {
  OwnedImageList list = ReadImageList(images_.View());
  Send(LVM_SETIMAGELIST, properties_.view_type == lv::kLargeIcons ? LVSIL_NORMAL : LVSIL_SMALL,
       reinterpret_cast<LPARAM>(list.Get()));
  // The control gave the header the small images too; the header keeps its own.
  if (ReportView()) {
    if (HWND header = Header()) {
      ::SendMessageA(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(header_image_list_.Get()));
    }
  }
  item_image_list_ = std::move(list);  // the old list only now, after the control let go of it
  ::InvalidateRect(window_, nullptr, TRUE);
}

void ListView::ApplyStateImages() {
  OwnedImageList list = ReadImageList(state_images_.View());
  auto old = reinterpret_cast<HIMAGELIST>(Send(LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(list.Get())));
  // The check boxes' own list, which the control made, is the unit's to destroy once handed back.
  if (old != nullptr && old != state_image_list_.Get()) ::ImageList_Destroy(old);
  state_image_list_ = std::move(list);
  ::InvalidateRect(window_, nullptr, TRUE);
}

void ListView::ApplyHeaderImages() {
  HWND header = Header();
  if (header == nullptr) return;
  OwnedImageList list = ReadImageList(header_images_.View());
  if (list) ::ImageList_SetBkColor(list.Get(), ResolveBackColour(kButtonFaceColor));
  ::SendMessageA(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list.Get()));
  header_image_list_ = std::move(list);
  ::InvalidateRect(header, nullptr, TRUE);
}

std::vector<ListViewItemRecord> ListView::StoredRecords() const {
  std::vector<ListViewItemRecord> records;
  ReadListViewItems(items_.View(), records);  // a record cut short is left out
  return records;
}

void ListView::ShowStoredRows() {
  const std::vector<ListViewItemRecord> records = StoredRecords();
  painting_.AllAtOnce([&] {
    Send(LVM_DELETEALLITEMS);
    PlayListViewItems(records, {ImageCount(item_image_list_.Get()), ImageCount(state_image_list_.Get())}, *this);
  });
}

std::int32_t ListView::InsertRow(std::int32_t position, const ListViewItemRecord& record, std::int32_t image,
                                 std::int32_t state_image) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = position;
  item.pszText = const_cast<char*>(record.text.c_str());
  item.iImage = image;
  item.lParam = static_cast<LPARAM>(record.data);
  if (state_image != -1) {
    item.mask |= LVIF_STATE;
    item.state = INDEXTOSTATEIMAGEMASK(state_image + 1);
    item.stateMask = LVIS_STATEIMAGEMASK;
  }
  if (ReportView()) {
    item.mask |= LVIF_INDENT;
    item.iIndent = record.indent;
  }
  return static_cast<std::int32_t>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetCell(std::int32_t row, std::int32_t column, const ListViewItemRecord& record, std::int32_t image) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = const_cast<char*>(record.text.c_str());
  item.iImage = image;
  Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void ListView::ApplyCurrentItem() {
  // Multiple selection keeps the selection to the user.
  if (!properties_.single_selection) return;
  LVITEMA state = {};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  if (properties_.current_item >= 0) {
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(properties_.current_item), reinterpret_cast<LPARAM>(&state));
    return;
  }
  const auto selected = static_cast<std::int32_t>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (selected >= 0) Send(LVM_SETITEMSTATE, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&state));
}

void ListView::DetachImageLists() {
  // The control destroys the lists it holds when it goes; these are the unit's.
  for (WPARAM slot : {LVSIL_NORMAL, LVSIL_SMALL, LVSIL_STATE}) {
    auto held = reinterpret_cast<HIMAGELIST>(Send(LVM_GETIMAGELIST, slot));
    if (held != nullptr && (held == item_image_list_.Get() || held == state_image_list_.Get())) {
      Send(LVM_SETIMAGELIST, slot, 0);
    }
  }
}

std::int32_t ListView::SetProperty(std::int32_t local_index, const RawValue& value) {
  ListViewProperties& p = properties_;
  switch (local_index) {
    case lv::kBorder:
      p.border = lv::ClampBorder(IntOf(value));
      ApplyBorder(window_, p.border);
      return 0;
    case lv::kTextColor:
      p.text_color = WordOf(value);
      Send(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(p.text_color));
      ::InvalidateRect(window_, nullptr, TRUE);
      return 0;
    case lv::kTextBackColor:
      p.text_back_color = WordOf(value);
      Send(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(ResolveBackColour(p.text_back_color)));
      ::InvalidateRect(window_, nullptr, TRUE);
      return 0;
    case lv::kBackColor:
      p.back_color = WordOf(value);
      Send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(ResolveBackColour(p.back_color)));
      ::InvalidateRect(window_, nullptr, TRUE);
      return 0;
    case lv::kFont:
      if (font_.Assign(BytesOf(value))) {
        font_in_use_.Apply(window_, font_.View());
        ::InvalidateRect(window_, nullptr, TRUE);
      }
      return 0;
    case lv::kViewType: p.view_type = lv::ClampViewType(IntOf(value)); return 1;
    case lv::kIconAlignment:
      p.icon_alignment = lv::ClampIconAlignment(IntOf(value));
      return IconView() ? 1 : 0;
    case lv::kAutoArrange:
      p.auto_arrange = LogicalOf(value);
      return IconView() ? 1 : 0;
    case lv::kLabelWrap:
      p.label_wrap = LogicalOf(value);
      if (IconView()) SwitchStyle(window_, LVS_NOLABELWRAP, p.label_wrap ? 0 : LVS_NOLABELWRAP);
      return 0;
    case lv::kColumns: return columns_.Assign(BytesOf(value)) && ReportView() ? 1 : 0;
    case lv::kHideColumnHeader:
      p.hide_column_header = LogicalOf(value);
      if (ReportView()) SwitchStyle(window_, LVS_NOCOLUMNHEADER, p.hide_column_header ? LVS_NOCOLUMNHEADER : 0);
      return 0;
    case lv::kHeaderImages:
      if (header_images_.Assign(BytesOf(value)) && ReportView()) ApplyHeaderImages();
      return 0;
    case lv::kClickableHeader:
      p.clickable_header = LogicalOf(value);
      return ReportView() ? 1 : 0;
    case lv::kFullRowSelect:
      p.full_row_select = LogicalOf(value);
      return ReportView() ? 1 : 0;
    case lv::kGridLines:
      p.grid_lines = LogicalOf(value);
      return ReportView() ? 1 : 0;
    case lv::kHeaderDragDrop:
      p.header_drag_drop = LogicalOf(value);
      return ReportView() ? 1 : 0;
    case lv::kImages:
      if (images_.Assign(BytesOf(value))) ApplyItemImages();
      return 0;
    case lv::kStateImages:
      if (state_images_.Assign(BytesOf(value))) ApplyStateImages();
      return 0;
    case lv::kHotTracking: p.hot_tracking = LogicalOf(value); return 1;
    case lv::kHandCursor:
      p.hand_cursor = LogicalOf(value);
      return p.hot_tracking ? 1 : 0;
    case lv::kUnderlineHot:
      p.underline_hot = LogicalOf(value);
      return p.hot_tracking ? 1 : 0;
    case lv::kUnderlineCold:
      p.underline_cold = LogicalOf(value);
      return p.hot_tracking ? 1 : 0;
    case lv::kEditableLabels: p.editable_labels = LogicalOf(value); return 1;
    case lv::kSortOrder: p.sort_order = lv::ClampSortOrder(IntOf(value)); return 1;
    case lv::kCheckBoxes: p.check_boxes = LogicalOf(value); return 1;
    case lv::kFlatScrollBars: p.flat_scroll_bars = LogicalOf(value); return 1;
    case lv::kSingleSelection: p.single_selection = LogicalOf(value); return 1;
    case lv::kCurrentItem:
      p.current_item = lv::ClampCurrentItem(IntOf(value));
      ApplyCurrentItem();
      return 0;
    case lv::kAlwaysShowSelection: p.always_show_selection = LogicalOf(value); return 1;
    case lv::kItems:
      if (items_.Assign(BytesOf(value))) ShowStoredRows();
      return 0;
    default: return 0;  // EditedText is read only
  }
}

bool ListView::GetProperty(std::int32_t local_index, RawValue* value) {
  const ListViewProperties& p = properties_;
  switch (local_index) {
    case lv::kBorder: *value = RawInt(p.border); return true;
    // The colours as the control shows them: a stored button-face colour reads as the actual colour.
    case lv::kTextColor: *value = RawWord(static_cast<std::uint32_t>(Send(LVM_GETTEXTCOLOR))); return true;
    case lv::kTextBackColor: *value = RawWord(static_cast<std::uint32_t>(Send(LVM_GETTEXTBKCOLOR))); return true;
    case lv::kBackColor: *value = RawWord(static_cast<std::uint32_t>(Send(LVM_GETBKCOLOR))); return true;
    case lv::kFont: *value = RawBytes(font_.View()); return true;
    case lv::kViewType: *value = RawInt(p.view_type); return true;
    case lv::kIconAlignment: *value = RawInt(p.icon_alignment); return true;
    case lv::kAutoArrange: *value = RawLogical(p.auto_arrange); return true;
    case lv::kLabelWrap: *value = RawLogical(p.label_wrap); return true;
    case lv::kColumns: *value = RawBytes(columns_.View()); return true;
    case lv::kHideColumnHeader: *value = RawLogical(p.hide_column_header); return true;
    case lv::kHeaderImages: *value = RawBytes(header_images_.View()); return true;
    case lv::kClickableHeader: *value = RawLogical(p.clickable_header); return true;
    case lv::kFullRowSelect: *value = RawLogical(p.full_row_select); return true;
    case lv::kGridLines: *value = RawLogical(p.grid_lines); return true;
    case lv::kHeaderDragDrop: *value = RawLogical(p.header_drag_drop); return true;
    case lv::kImages: *value = RawBytes(images_.View()); return true;
    case lv::kStateImages: *value = RawBytes(state_images_.View()); return true;
    case lv::kHotTracking: *value = RawLogical(p.hot_tracking); return true;
    case lv::kHandCursor: *value = RawLogical(p.hand_cursor); return true;
    case lv::kUnderlineHot: *value = RawLogical(p.underline_hot); return true;
    case lv::kUnderlineCold: *value = RawLogical(p.underline_cold); return true;
    case lv::kEditableLabels: *value = RawLogical(p.editable_labels); return true;
    case lv::kSortOrder: *value = RawInt(p.sort_order); return true;
    case lv::kCheckBoxes: *value = RawLogical(p.check_boxes); return true;
    case lv::kFlatScrollBars: *value = RawLogical(p.flat_scroll_bars); return true;
    case lv::kSingleSelection: *value = RawLogical(p.single_selection); return true;
    case lv::kCurrentItem:
      *value = RawInt(static_cast<std::int32_t>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
      return true;
    case lv::kAlwaysShowSelection: *value = RawLogical(p.always_show_selection); return true;
    case lv::kItems: *value = RawBytes(items_.View()); return true;
    case lv::kEditedText: *value = RawText(edited_text_); return true;
    default: return false;
  }
}

std::int32_t ListView::InsertItem(LVITEMA& item) {
  painting_.BeforeChange();
  return static_cast<std::int32_t>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetItemText(std::int32_t row, std::int32_t column, const char* text) {
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text);
  Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void ListView::SetItemState(std::int32_t row, UINT state, UINT mask) {
  LVITEMA item = {};
  item.state = state;
  item.stateMask = mask;
  Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::int32_t ListView::ItemCount() const { return static_cast<std::int32_t>(Send(LVM_GETITEMCOUNT)); }

std::string ListView::CellText(std::int32_t row, std::int32_t column) const {
  // The control may fill the whole buffer without a terminator, and its length then reads on: one zero byte
  // beyond what it is told stops that. A double-byte character that does not fit is left out whole, so a text
  // within two bytes of the buffer's end may have been cut.
  std::size_t size = list_view::kFirstCellBuffer;
  for (;;) {
    std::vector<char> buffer(size + 1, '\0');
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(size);
    const auto length = static_cast<std::size_t>(
        std::max<LRESULT>(0, Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item))));
    if (length + 2 < size || size >= lv::kMaxCellBuffer) return std::string(buffer.data(), std::strlen(buffer.data()));
    size *= 2;
  }
}

void ListView::DeleteAllItems() { Send(LVM_DELETEALLITEMS); }

namespace {

void VisitListViewTexts(ListViewProperties& properties, const TextVisit& visit) {
  visit.FontFace(properties.font);
  std::vector<ListViewColumn> columns;
  ReadListViewColumns(properties.columns, columns);
  if (!columns.empty()) {
    const std::size_t whole = WriteListViewColumns(columns).size();  // what the complete records take
    for (ListViewColumn& column : columns) visit.Text(column.title);
    Bytes rewritten = WriteListViewColumns(columns);
    rewritten.insert(rewritten.end(), properties.columns.begin() + static_cast<std::ptrdiff_t>(whole),
                     properties.columns.end());
    properties.columns = std::move(rewritten);
  }
  std::vector<ListViewItemRecord> records;
  ReadListViewItems(properties.items, records);
  if (!records.empty()) {
    const std::size_t whole = WriteListViewItems(records).size();
    for (ListViewItemRecord& record : records) {
      visit.Text(record.text);
      visit.Text(record.tip);
    }
    Bytes rewritten = WriteListViewItems(records);
    rewritten.insert(rewritten.end(), properties.items.begin() + static_cast<std::ptrdiff_t>(whole),
                     properties.items.end());
    properties.items = std::move(rewritten);
  }
}

}  // namespace

UnitOperation ListViewInterface(std::int32_t code) {
  switch (code) {
    case unit_operation::kCreateUnit: return CreateOperation<ListView, ExtendedLink>();
    case unit_operation::kVisitTexts: return VisitTextsOf<ListViewProperties, VisitListViewTexts>();
    case unit_operation::kSetProperty:
    case unit_operation::kSaveProperties:
    case unit_operation::kGetProperty: return SharedOperation(code);
    default: return nullptr;
  }
}

}  // namespace quarrow
