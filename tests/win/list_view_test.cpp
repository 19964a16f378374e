// The ListView unit on live windows: creation from stored blocks, its properties in place and by re-creation,
// image lists, fonts and colours, its events from real input, label editing, info tips and the library that
// holds it.
#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "tests/win/list_view_test_support.h"
#include "units/extended_library.h"
#include "units/list_view.h"
#include "units/list_view_commands.h"
#include "units/list_view_data.h"
#include "units/list_view_facade.h"
#include "units/list_view_properties.h"
#include "units/unit_properties.h"

namespace quarrow::testing {
namespace {

namespace w = list_window;
namespace u = list_unit;
namespace t = list_tag;
namespace lv = list_view;

class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override { HandlerCalls().clear(); }
  void TearDown() override {
    CloseWindows();
    HandlerCalls().clear();
  }
};

std::string ColumnTitle(HWND list, int column) {
  char text[64] = {};
  LVCOLUMNA c = {};
  c.mask = LVCF_TEXT;
  c.pszText = text;
  c.cchTextMax = sizeof text;
  ::SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&c));
  return text;
}

int ColumnCount(HWND list) {
  HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

DWORD ListExStyle(HWND list) {
  return static_cast<DWORD>(::SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

LVITEMA ItemOf(HWND list, int row) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM | LVIF_INDENT | LVIF_IMAGE | LVIF_STATE;
  item.iItem = row;
  item.stateMask = 0xFFFFFFFF;
  ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return item;
}

std::int32_t Selected(HWND list, UINT flags = LVNI_SELECTED) {
  return static_cast<std::int32_t>(::SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), flags));
}

// Image-list data holding `count` images of 16 × 16 pixels, as the platform writes an image list.
std::vector<std::uint8_t> ImageListData(int count, const char* magic = "MITL") {
  HIMAGELIST list = ::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, count, 0);
  for (int i = 0; i < count; ++i) {
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
    ::ReleaseDC(nullptr, screen);
    ::ImageList_Add(list, bitmap, nullptr);
    ::DeleteObject(bitmap);
  }
  IStream* stream = nullptr;
  EXPECT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
  EXPECT_TRUE(::ImageList_Write(list, stream));
  ::ImageList_Destroy(list);
  ULARGE_INTEGER end = {};
  stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &end);
  HGLOBAL memory = nullptr;
  ::GetHGlobalFromStream(stream, &memory);
  const auto* bytes = static_cast<const std::uint8_t*>(::GlobalLock(memory));
  const std::vector<std::uint8_t> written(bytes, bytes + end.QuadPart);
  ::GlobalUnlock(memory);
  stream->Release();
  Bytes data = WrapImageListStream(written);
  std::memcpy(data.data(), magic, 4);
  return data;
}

int ImageCountOf(HIMAGELIST list) { return list ? ::ImageList_GetImageCount(list) : -1; }

std::vector<std::uint8_t> LogFontBytes(std::size_t size, LONG height) {
  LOGFONTA font = {};
  font.lfHeight = height;
  font.lfWeight = FW_BOLD;
  font.lfCharSet = GB2312_CHARSET;
  font.lfQuality = NONANTIALIASED_QUALITY;
  std::strcpy(font.lfFaceName, "SimSun");
  std::vector<std::uint8_t> bytes(size, 0);
  std::memcpy(bytes.data(), &font, std::min(size, sizeof font));
  return bytes;
}

TEST_F(ListViewTest, TheApplicationsBlockMakesAReportWithItsThreeColumnsAndNoRows) {
  ASSERT_TRUE(LoadAndActivate(w::kResult));
  HWND list = UnitWindow(w::kResult, u::kResultList);
  ASSERT_NE(list, nullptr);
  char window_class[64] = {};
  ::GetClassNameA(list, window_class, sizeof window_class);
  EXPECT_STREQ(window_class, "SysListView32");
  EXPECT_EQ(StyleOf(list) & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_EQ(StyleOf(list) & (WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VISIBLE),
            WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VISIBLE);
  EXPECT_TRUE(StyleOf(list) & LVS_SINGLESEL);
  EXPECT_FALSE(StyleOf(list) & (LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER | LVS_EDITLABELS | LVS_SHOWSELALWAYS |
                              LVS_SORTASCENDING | LVS_SORTDESCENDING));
  EXPECT_EQ(ExStyleOf(list) & (WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE), WS_EX_CLIENTEDGE);
  EXPECT_EQ(ListExStyle(list), static_cast<DWORD>(LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP));

  ASSERT_EQ(ColumnCount(list), 3);
  EXPECT_EQ(ColumnTitle(list, 0), "序号");
  EXPECT_EQ(ColumnTitle(list, 1), "地址");
  EXPECT_EQ(ColumnTitle(list, 2), "");
  EXPECT_EQ(::SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 60);
  EXPECT_EQ(::SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0), 350);
  EXPECT_EQ(::SendMessageA(list, LVM_GETCOLUMNWIDTH, 2, 0), 50);

  EXPECT_EQ(RowCount(list), 0);
  EXPECT_EQ(Selected(list), -1);
  EXPECT_EQ(ReadInt(w::kResult, u::kResultList, PropertyIndex(lv::kCurrentItem)), -1);
  EXPECT_EQ(::SendMessageA(list, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(::GetStockObject(DEFAULT_GUI_FONT)));
  EXPECT_EQ(ReadInt(w::kResult, u::kResultList, PropertyIndex(lv::kTextColor)), 0x000000);
  EXPECT_EQ(ReadInt(w::kResult, u::kResultList, PropertyIndex(lv::kBackColor)), 0xFFFFFF);
  EXPECT_EQ(ReadInt(w::kResult, u::kResultList, PropertyIndex(lv::kViewType)), lv::kReport);
  // The unit answers the runtime's question for its object.
  EXPECT_EQ(::SendMessageA(list, 0x8002, 0, 0), reinterpret_cast<LRESULT>(UnitObjectOf(w::kResult, u::kResultList)));
}

TEST_F(ListViewTest, ChoicesAreClampedWhenSet) {
  ASSERT_TRUE(LoadAndActivate(w::kResult));
  const auto read = [](std::int32_t local) { return ReadInt(w::kResult, u::kResultList, PropertyIndex(local)); };
  const auto write = [](std::int32_t local, std::int32_t v) {
    WriteInt(w::kResult, u::kResultList, PropertyIndex(local), v);
  };
  write(lv::kViewType, 7);
  EXPECT_EQ(read(lv::kViewType), 3);
  EXPECT_EQ(StyleOf(UnitWindow(w::kResult, u::kResultList)) & LVS_TYPEMASK, LVS_REPORT);
  write(lv::kIconAlignment, -5);
  EXPECT_EQ(read(lv::kIconAlignment), 0);
  write(lv::kIconAlignment, 9);
  EXPECT_EQ(read(lv::kIconAlignment), 1);
  write(lv::kCurrentItem, -9);
  EXPECT_EQ(SavedListProperties(w::kResult, u::kResultList).current_item, -1);
  write(lv::kSortOrder, 5);
  EXPECT_EQ(read(lv::kSortOrder), 2);
  EXPECT_TRUE(StyleOf(UnitWindow(w::kResult, u::kResultList)) & LVS_SORTDESCENDING);
  write(lv::kBorder, 9);
  EXPECT_EQ(read(lv::kBorder), 5);
  HWND list = UnitWindow(w::kResult, u::kResultList);
  EXPECT_TRUE(StyleOf(list) & WS_BORDER);
  EXPECT_EQ(ExStyleOf(list) & WS_EX_CLIENTEDGE, 0);
  write(lv::kBorder, -3);
  EXPECT_EQ(read(lv::kBorder), 0);
  EXPECT_FALSE(StyleOf(list) & WS_BORDER);
}

TEST_F(ListViewTest, ChangesTakeEffectInPlaceOrByReCreationAsTheViewUsesThem) {
  ASSERT_TRUE(LoadAndActivate(w::kResult));
  struct Case {
    std::int32_t local;
    std::int32_t value;
    std::int32_t recreate;
  };
  // Report view, no hot tracking.
  for (const Case& c : {Case{lv::kViewType, 3, 1}, Case{lv::kIconAlignment, 1, 0}, Case{lv::kAutoArrange, 0, 0},
                        Case{lv::kLabelWrap, 0, 0}, Case{lv::kHideColumnHeader, 1, 0},
                        Case{lv::kClickableHeader, 0, 1}, Case{lv::kFullRowSelect, 1, 1}, Case{lv::kGridLines, 1, 1},
                        Case{lv::kHeaderDragDrop, 1, 1}, Case{lv::kHotTracking, 0, 1}, Case{lv::kHandCursor, 0, 0},
                        Case{lv::kUnderlineHot, 0, 0}, Case{lv::kUnderlineCold, 0, 0},
                        Case{lv::kEditableLabels, 0, 1}, Case{lv::kSortOrder, 0, 1}, Case{lv::kCheckBoxes, 0, 1},
                        Case{lv::kFlatScrollBars, 0, 1}, Case{lv::kSingleSelection, 1, 1},
                        Case{lv::kCurrentItem, -1, 0}, Case{lv::kAlwaysShowSelection, 0, 1},
                        Case{lv::kEditedText, 0, 0}, Case{lv::kOwnPropertyCount, 0, 0}}) {
    EXPECT_EQ(SetWordDirectly(w::kResult, u::kResultList, c.local, c.value), c.recreate) << "property " << c.local;
  }
  HWND list = UnitWindow(w::kResult, u::kResultList);
  EXPECT_TRUE(StyleOf(list) & LVS_NOCOLUMNHEADER) << "the header was hidden in place";
  EXPECT_EQ(SetBytesDirectly(w::kResult, u::kResultList, lv::kColumns, {}), 1);
  // With hot tracking the cursor and underlines need a new control too.
  SetWordDirectly(w::kResult, u::kResultList, lv::kHotTracking, 1);
  EXPECT_EQ(SetWordDirectly(w::kResult, u::kResultList, lv::kHandCursor, 1), 1);
  EXPECT_EQ(SetWordDirectly(w::kResult, u::kResultList, lv::kUnderlineCold, 1), 1);

  // Large icons: alignment and arrangement re-create, the label wrap switches in place, columns are kept only.
  ASSERT_TRUE(LoadAndActivate(w::kIcons));
  HWND icons = UnitWindow(w::kIcons, u::kIconList);
  EXPECT_EQ(StyleOf(icons) & LVS_TYPEMASK, LVS_ICON);
  EXPECT_TRUE(StyleOf(icons) & LVS_AUTOARRANGE);
  EXPECT_EQ(SetWordDirectly(w::kIcons, u::kIconList, lv::kIconAlignment, 1), 1);
  EXPECT_EQ(SetWordDirectly(w::kIcons, u::kIconList, lv::kAutoArrange, 0), 1);
  EXPECT_EQ(SetWordDirectly(w::kIcons, u::kIconList, lv::kLabelWrap, 0), 0);
  EXPECT_TRUE(StyleOf(icons) & LVS_NOLABELWRAP);
  EXPECT_EQ(SetBytesDirectly(w::kIcons, u::kIconList, lv::kColumns, {1, 2, 3}), 0);
  EXPECT_EQ(SetWordDirectly(w::kIcons, u::kIconList, lv::kFullRowSelect, 1), 0);
  // What the engine then builds from the saved block.
  WriteInt(w::kIcons, u::kIconList, PropertyIndex(lv::kIconAlignment), 1);
  HWND rebuilt = UnitWindow(w::kIcons, u::kIconList);
  EXPECT_NE(rebuilt, icons);
  EXPECT_TRUE(StyleOf(rebuilt) & LVS_ALIGNLEFT);
  EXPECT_FALSE(StyleOf(rebuilt) & LVS_AUTOARRANGE);
  EXPECT_TRUE(StyleOf(rebuilt) & LVS_NOLABELWRAP);
  EXPECT_EQ(RowCount(rebuilt), 2);

  // An index beyond the table: nothing to get.
  EXPECT_TRUE(GetBytesDirectly(w::kIcons, u::kIconList, lv::kOwnPropertyCount).empty());
}

TEST_F(ListViewTest, HotTrackingSelectsOnHoverWithTheHandCursorAndUnderlines) {
  ASSERT_TRUE(LoadAndActivate(w::kResult));
  WriteInt(w::kResult, u::kResultList, PropertyIndex(lv::kHotTracking), 1);
  HWND list = UnitWindow(w::kResult, u::kResultList);
  EXPECT_EQ(ListExStyle(list), static_cast<DWORD>(LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP | LVS_EX_TRACKSELECT |
                                                  LVS_EX_ONECLICKACTIVATE | LVS_EX_UNDERLINEHOT |
                                                  LVS_EX_UNDERLINECOLD));
  EXPECT_EQ(reinterpret_cast<HCURSOR>(::SendMessageA(list, LVM_GETHOTCURSOR, 0, 0)), ::LoadCursorA(nullptr, IDC_HAND));
  WriteInt(w::kResult, u::kResultList, PropertyIndex(lv::kHandCursor), 0);
  WriteInt(w::kResult, u::kResultList, PropertyIndex(lv::kUnderlineCold), 0);
  list = UnitWindow(w::kResult, u::kResultList);
  EXPECT_EQ(reinterpret_cast<HCURSOR>(::SendMessageA(list, LVM_GETHOTCURSOR, 0, 0)), ::LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(ListExStyle(list) & (LVS_EX_UNDERLINEHOT | LVS_EX_UNDERLINECOLD), static_cast<DWORD>(LVS_EX_UNDERLINEHOT));
}

TEST_F(ListViewTest, StoredRowsCarryTheirCellsDataAndIndentButNoImageTheListLacks) {
  ASSERT_TRUE(LoadAndActivate(w::kStored));
  HWND list = UnitWindow(w::kStored, u::kStoredList);
  ASSERT_EQ(RowCount(list), 2);
  EXPECT_EQ(CellOf(list, 0, 0), "一");
  EXPECT_EQ(CellOf(list, 0, 1), "一之一");
  EXPECT_EQ(CellOf(list, 0, 2), "一之二");
  EXPECT_EQ(CellOf(list, 1, 0), "二");
  EXPECT_EQ(CellOf(list, 1, 1), "");
  const LVITEMA first = ItemOf(list, 0);
  EXPECT_EQ(first.lParam, 77);
  EXPECT_EQ(first.iIndent, 2);
  EXPECT_EQ(first.iImage, -1);
  EXPECT_EQ(first.state & LVIS_STATEIMAGEMASK, 0u);
  EXPECT_EQ(ItemOf(list, 1).lParam, 88);
}

TEST_F(ListViewTest, TheItemsPropertyReplacesAllRowsInPlace) {
  ASSERT_TRUE(LoadAndActivate(w::kStored));
  HWND list = UnitWindow(w::kStored, u::kStoredList);
  cmd::ListViewInsertItem(ListRef(w::kStored, u::kStoredList), -1, "命令行");
  ListViewItemRecord row;
  row.text = "新";
  const Bytes items = WriteListViewItems(std::vector<ListViewItemRecord>{row, row});
  WriteBytes(w::kStored, u::kStoredList, PropertyIndex(lv::kItems), items);
  EXPECT_EQ(UnitWindow(w::kStored, u::kStoredList), list);
  ASSERT_EQ(RowCount(list), 2);
  EXPECT_EQ(CellOf(list, 1, 0), "新");
  EXPECT_EQ(ReadBytes(w::kStored, u::kStoredList, PropertyIndex(lv::kItems)), items);
  EXPECT_EQ(ScrollRows(list), RowCount(list)) << "shown at once, not left to a burst";
}

TEST_F(ListViewTest, ReCreationBringsBackTheStoredRowsButNotThoseAddedLater) {
  ASSERT_TRUE(LoadAndActivate(w::kStored));
  HWND list = UnitWindow(w::kStored, u::kStoredList);
  cmd::ListViewInsertItem(ListRef(w::kStored, u::kStoredList), -1, "命令行");
  ASSERT_EQ(RowCount(list), 3);
  WriteInt(w::kStored, u::kStoredList, PropertyIndex(lv::kGridLines), 1);
  HWND rebuilt = UnitWindow(w::kStored, u::kStoredList);
  ASSERT_NE(rebuilt, list);
  EXPECT_FALSE(::IsWindow(list));
  EXPECT_TRUE(ListExStyle(rebuilt) & LVS_EX_GRIDLINES);
  ASSERT_EQ(RowCount(rebuilt), 2);
  EXPECT_EQ(CellOf(rebuilt, 0, 2), "一之二");
  EXPECT_EQ(ColumnCount(rebuilt), 3);
}

TEST_F(ListViewTest, InfoTipsComeFromTheStoredRows) {
  ASSERT_TRUE(LoadAndActivate(w::kStored));
  HWND list = UnitWindow(w::kStored, u::kStoredList);
  cmd::ListViewInsertItem(ListRef(w::kStored, u::kStoredList), -1, "命令行");
  // Asked as the control asks: a notification to the window, which hands it to the unit.
  const auto tip = [&](int row, int size) {
    char buffer[64] = "原文";
    NMLVGETINFOTIPA info = {};
    info.hdr.hwndFrom = list;
    info.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(list));
    info.hdr.code = LVN_GETINFOTIPA;
    info.pszText = buffer;
    info.cchTextMax = size;
    info.iItem = row;
    ::SendMessageA(WindowOf(w::kStored), WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    return std::string(buffer);
  };
  EXPECT_EQ(tip(0, 64), "提示一");
  EXPECT_EQ(tip(1, 64), "提示二");
  EXPECT_EQ(tip(1, 3), "提") << "at most the buffer size less one byte";
  EXPECT_EQ(tip(2, 64), "原文") << "a row added later has no stored tip";
  EXPECT_EQ(tip(-1, 64), "原文");
}

TEST_F(ListViewTest, ColoursAreReadBackFromTheControl) {
  ASSERT_TRUE(LoadAndActivate(w::kResult));
  const auto read = [](std::int32_t local) {
    return static_cast<std::uint32_t>(ReadInt(w::kResult, u::kResultList, PropertyIndex(local)));
  };
  WriteInt(w::kResult, u::kResultList, PropertyIndex(lv::kBackColor), static_cast<std::int32_t>(kButtonFaceColor));
  WriteInt(w::kResult, u::kResultList, PropertyIndex(lv::kTextBackColor),
               static_cast<std::int32_t>(kButtonFaceColor));
  WriteInt(w::kResult, u::kResultList, PropertyIndex(lv::kTextColor), 0x0000FF);
  EXPECT_EQ(read(lv::kBackColor), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(read(lv::kTextBackColor), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(read(lv::kTextColor), 0x0000FFu);
  // The stored block keeps what was set.
  const ListViewProperties saved = SavedListProperties(w::kResult, u::kResultList);
  EXPECT_EQ(saved.back_color, kButtonFaceColor);
  EXPECT_EQ(saved.text_back_color, kButtonFaceColor);
}

TEST_F(ListViewTest, OnlyA60ByteFontIsAFontAndItIsMadeAsStoredWithTheFixedFields) {
  ASSERT_TRUE(LoadAndActivate(w::kResult));
  HWND list = UnitWindow(w::kResult, u::kResultList);
  const auto stock = reinterpret_cast<LRESULT>(::GetStockObject(DEFAULT_GUI_FONT));
  EXPECT_EQ(SetBytesDirectly(w::kResult, u::kResultList, lv::kFont, LogFontBytes(60, -21)), 0);
  const auto font = reinterpret_cast<HFONT>(::SendMessageA(list, WM_GETFONT, 0, 0));
  ASSERT_NE(reinterpret_cast<LRESULT>(font), stock);
  LOGFONTA made = {};
  ASSERT_EQ(::GetObjectA(font, sizeof made, &made), static_cast<int>(sizeof made));
  EXPECT_EQ(made.lfHeight, -21);
  EXPECT_EQ(made.lfWeight, FW_BOLD);
  EXPECT_EQ(made.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(made.lfQuality, PROOF_QUALITY);
  EXPECT_STREQ(made.lfFaceName, "SimSun");
  for (std::size_t size : {59u, 61u}) {
    EXPECT_EQ(SetBytesDirectly(w::kResult, u::kResultList, lv::kFont, LogFontBytes(size, -30)), 0);
    EXPECT_EQ(::SendMessageA(list, WM_GETFONT, 0, 0), stock) << size << " bytes mean the default font";
    EXPECT_EQ(GetBytesDirectly(w::kResult, u::kResultList, lv::kFont).size(), size) << "kept as stored";
  }
}

TEST_F(ListViewTest, ImageListsLoadFromTheirDataOrNotAtAll) {
  ASSERT_TRUE(LoadAndActivate(w::kStored));
  HWND list = UnitWindow(w::kStored, u::kStoredList);
  const auto held = [&](WPARAM which) {
    return reinterpret_cast<HIMAGELIST>(::SendMessageA(list, LVM_GETIMAGELIST, which, 0));
  };
  WriteBytes(w::kStored, u::kStoredList, PropertyIndex(lv::kImages), ImageListData(3));
  EXPECT_EQ(ImageCountOf(held(LVSIL_SMALL)), 3) << "report view shows small images";
  WriteBytes(w::kStored, u::kStoredList, PropertyIndex(lv::kStateImages), ImageListData(2));
  EXPECT_EQ(ImageCountOf(held(LVSIL_STATE)), 2);
  WriteBytes(w::kStored, u::kStoredList, PropertyIndex(lv::kHeaderImages), ImageListData(4));
  HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(ImageCountOf(reinterpret_cast<HIMAGELIST>(::SendMessageA(header, HDM_GETIMAGELIST, 0, 0))), 4);
  // Setting the item images again keeps the header's own.
  WriteBytes(w::kStored, u::kStoredList, PropertyIndex(lv::kImages), ImageListData(5));
  EXPECT_EQ(ImageCountOf(held(LVSIL_SMALL)), 5);
  EXPECT_EQ(ImageCountOf(reinterpret_cast<HIMAGELIST>(::SendMessageA(header, HDM_GETIMAGELIST, 0, 0))), 4);

  // Rows now take the images that exist, and only those.
  ListViewItemRecord shown;
  shown.text = "有图";
  shown.image = 4;
  shown.state_image = 1;
  ListViewItemRecord beyond;
  beyond.text = "无图";
  beyond.image = 5;
  beyond.state_image = 2;
  WriteBytes(w::kStored, u::kStoredList, PropertyIndex(lv::kItems),
                 WriteListViewItems(std::vector<ListViewItemRecord>{shown, beyond}));
  EXPECT_EQ(ItemOf(list, 0).iImage, 4);
  EXPECT_EQ(ItemOf(list, 0).state & LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(2));
  EXPECT_EQ(ItemOf(list, 1).iImage, -1);
  EXPECT_EQ(ItemOf(list, 1).state & LVIS_STATEIMAGEMASK, 0u);

  // Eight bytes, or another magic, hold no list.
  WriteBytes(w::kStored, u::kStoredList, PropertyIndex(lv::kImages), {'M', 'I', 'T', 'L', 0, 0, 0, 0});
  EXPECT_EQ(held(LVSIL_SMALL), nullptr);
  WriteBytes(w::kStored, u::kStoredList, PropertyIndex(lv::kStateImages), ImageListData(2, "MITX"));
  EXPECT_EQ(held(LVSIL_STATE), nullptr);
  // The lists are the unit's: the window goes without taking them along twice.
  WriteBytes(w::kStored, u::kStoredList, PropertyIndex(lv::kImages), ImageListData(1));
  ::DestroyWindow(WindowOf(w::kStored));
  EXPECT_EQ(UnitObjectOf(w::kStored, u::kStoredList), nullptr);
}

TEST_F(ListViewTest, CurrentItemSelectsOnlyInSingleSelection) {
  ASSERT_TRUE(LoadAndActivate(w::kStored));
  HWND list = UnitWindow(w::kStored, u::kStoredList);
  WriteInt(w::kStored, u::kStoredList, PropertyIndex(lv::kCurrentItem), 1);
  EXPECT_EQ(Selected(list), 1);
  EXPECT_EQ(Selected(list, LVNI_FOCUSED), 1);
  EXPECT_EQ(ReadInt(w::kStored, u::kStoredList, PropertyIndex(lv::kCurrentItem)), 1);
  WriteInt(w::kStored, u::kStoredList, PropertyIndex(lv::kCurrentItem), -1);
  EXPECT_EQ(Selected(list), -1);

  HWND multi = UnitWindow(w::kStored, u::kMultiList);
  EXPECT_FALSE(StyleOf(multi) & LVS_SINGLESEL);
  WriteInt(w::kStored, u::kMultiList, PropertyIndex(lv::kCurrentItem), 0);
  EXPECT_EQ(Selected(multi), -1) << "stored, but nothing changes on screen";
  EXPECT_EQ(SavedListProperties(w::kStored, u::kMultiList).current_item, 0);
  LVITEMA state = {};
  state.stateMask = LVIS_SELECTED;
  state.state = LVIS_SELECTED;
  ::SendMessageA(multi, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(ReadInt(w::kStored, u::kMultiList, PropertyIndex(lv::kCurrentItem)), 2);
}

// A point on the check box of a row, found by asking the control.
POINT CheckBoxOf(HWND list, int row) {
  RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
  ::SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
  const int y = (bounds.top + bounds.bottom) / 2;
  for (int x = bounds.left; x < bounds.left + 40; ++x) {
    LVHITTESTINFO hit = {};
    hit.pt = {x, y};
    ::SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.iItem == row && hit.flags == LVHT_ONITEMSTATEICON) return {x + 2, y};
  }
  return {-1, -1};
}

TEST_F(ListViewTest, AClickOnACheckBoxRaisesClickedAndThenTheNewCheckState) {
  ASSERT_TRUE(LoadAndActivate(w::kChecks));
  HWND list = UnitWindow(w::kChecks, u::kCheckList);
  EXPECT_TRUE(ListExStyle(list) & LVS_EX_CHECKBOXES);
  const POINT box = CheckBoxOf(list, 1);
  ASSERT_GE(box.x, 0) << "no check box found";
  const auto state_changes = [] {
    std::vector<std::vector<std::uintptr_t>> changes;
    for (const HandlerCall& call : HandlerCalls()) {
      if (call.tag == t::kCheckStateChanged) changes.push_back(call.args);
    }
    return changes;
  };
  ClickAt(list, box.x, box.y);
  ASSERT_TRUE(PumpUntil([&] { return !state_changes().empty(); }));
  EXPECT_EQ(TagsCalled(), (std::vector<int>{t::kCheckClicked, t::kCheckStateChanged}));
  EXPECT_EQ(state_changes(), (std::vector<std::vector<std::uintptr_t>>{{1, 1}}));

  // Clicking the box again unchecks it; a right click on it is reported after its own event.
  HandlerCalls().clear();
  Pump(600);  // no double click
  ClickAt(list, box.x, box.y);
  ASSERT_TRUE(PumpUntil([&] { return !state_changes().empty(); }));
  EXPECT_EQ(state_changes(), (std::vector<std::vector<std::uintptr_t>>{{1, 0}}));

  // A click on the text of a row is only a click.
  HandlerCalls().clear();
  Pump(600);
  RECT label = {LVIR_LABEL, 0, 0, 0};
  ::SendMessageA(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&label));
  ClickAt(list, label.left + 10, (label.top + label.bottom) / 2);
  // Space on the row the click made current is the barrier: its state change is the only one.
  TapKey(VK_SPACE);
  ASSERT_TRUE(PumpUntil([&] { return !state_changes().empty(); }));
  EXPECT_EQ(TagsCalled(), (std::vector<int>{t::kCheckClicked, t::kCheckStateChanged}));
  ASSERT_EQ(state_changes().size(), 1u);
  EXPECT_EQ(state_changes()[0][0], 2u) << "the row clicked";
}

TEST_F(ListViewTest, SpaceReportsTheCheckStateOnlyWithCheckBoxes) {
  ASSERT_TRUE(LoadAndActivate(w::kChecks));
  HWND checks = UnitWindow(w::kChecks, u::kCheckList);
  RECT label = {LVIR_LABEL, 0, 0, 0};
  ::SendMessageA(checks, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label));
  ClickAt(checks, label.left + 10, (label.top + label.bottom) / 2);
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == checks; }));
  ASSERT_EQ(Selected(checks, LVNI_FOCUSED), 0);
  HandlerCalls().clear();
  TapKey(VK_SPACE);
  ASSERT_TRUE(PumpUntil([] { return !HandlerCalls().empty(); }));
  EXPECT_EQ(HandlerCalls(), (std::vector<HandlerCall>{{t::kCheckStateChanged, {0, 1}}}));

  HWND plain = UnitWindow(w::kChecks, u::kPlainList);
  ::SendMessageA(plain, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label));
  ClickAt(plain, label.left + 10, (label.top + label.bottom) / 2);
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == plain; }));
  HandlerCalls().clear();
  TapKey(VK_SPACE);
  // Space in the list with check boxes is the barrier: once it reports, the Space before it has been handled.
  ::SendMessageA(checks, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label));
  ClickAt(checks, label.left + 10, (label.top + label.bottom) / 2);
  TapKey(VK_SPACE);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(t::kCheckStateChanged) > 0; }));
  EXPECT_EQ(CallsOf(t::kPlainStateChanged), 0);
}

TEST_F(ListViewTest, ARightClickActivationAndHotTrackingRaiseTheirEvents) {
  ASSERT_TRUE(LoadAndActivate(w::kChecks));
  HWND list = UnitWindow(w::kChecks, u::kCheckList);
  RECT label = {LVIR_LABEL, 0, 0, 0};
  ::SendMessageA(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&label));
  HandlerCalls().clear();
  ClickAt(list, label.left + 10, (label.top + label.bottom) / 2, MouseButton::kRight);
  ASSERT_TRUE(PumpUntil([] { return !HandlerCalls().empty(); }));
  EXPECT_EQ(TagsCalled(), std::vector<int>{t::kCheckRightClicked});

  // Activation and hot tracking as the control reports them to the window, which hands them to the unit.
  const auto notify = [&](UINT code, int row) {
    NMLISTVIEW info = {};
    info.hdr.hwndFrom = list;
    info.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(list));
    info.hdr.code = code;
    info.iItem = row;
    return ::SendMessageA(WindowOf(w::kChecks), WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
  };
  HandlerCalls().clear();
  AnswerFrom(t::kCheckHotItem, 1);
  EXPECT_EQ(notify(LVN_HOTTRACK, 2), 0) << "hot tracking goes on whatever the handler says";
  EXPECT_EQ(notify(LVN_ITEMACTIVATE, 1), 0);
  EXPECT_EQ(HandlerCalls(), (std::vector<HandlerCall>{{t::kCheckHotItem, {2}}, {t::kCheckActivated, {}}}));
}

// Starts editing a row's label; the edit box, or null.
HWND EditLabel(HWND list, int row) {
  ::SetFocus(list);
  return reinterpret_cast<HWND>(::SendMessageA(list, LVM_EDITLABELA, row, 0));
}

TEST_F(ListViewTest, ACancelledLabelEditStillEndsWithTheUnchangedText) {
  ASSERT_TRUE(LoadAndActivate(w::kEdit));
  HWND list = UnitWindow(w::kEdit, u::kEditList);
  std::string during;
  OnHandler(t::kEditEnded, [&] { during = ReadText(w::kEdit, u::kEditList, PropertyIndex(lv::kEditedText)); });
  HWND edit = EditLabel(list, 0);
  ASSERT_NE(edit, nullptr);
  ::SetWindowTextA(edit, "改过");
  ::SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(PumpUntil([] { return HandlerCalls().size() == 2; }));
  EXPECT_EQ(HandlerCalls(), (std::vector<HandlerCall>{{t::kEditStarting, {0}}, {t::kEditEnded, {0}}}));
  EXPECT_EQ(during, "甲");
  EXPECT_EQ(CellOf(list, 0, 0), "甲");
  EXPECT_EQ(ReadText(w::kEdit, u::kEditList, PropertyIndex(lv::kEditedText)), "") << "only while the event runs";
}

TEST_F(ListViewTest, AFinishedLabelEditKeepsTheNewTextUnlessTheHandlerRejectsIt) {
  ASSERT_TRUE(LoadAndActivate(w::kEdit));
  HWND list = UnitWindow(w::kEdit, u::kEditList);
  std::string during;
  OnHandler(t::kEditEnded, [&] { during = ReadText(w::kEdit, u::kEditList, PropertyIndex(lv::kEditedText)); });
  HWND edit = EditLabel(list, 1);
  ASSERT_NE(edit, nullptr);
  ::SetWindowTextA(edit, "新名");
  ::SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(PumpUntil([] { return HandlerCalls().size() == 2; }));
  EXPECT_EQ(during, "新名");
  EXPECT_EQ(CellOf(list, 1, 0), "新名");

  HandlerCalls().clear();
  AnswerFrom(t::kEditEnded, 0);
  edit = EditLabel(list, 1);
  ASSERT_NE(edit, nullptr);
  ::SetWindowTextA(edit, "不要");
  ::SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(PumpUntil([] { return HandlerCalls().size() == 2; }));
  EXPECT_EQ(during, "不要");
  EXPECT_EQ(CellOf(list, 1, 0), "新名") << "rejected by the handler";

  // A handler that answers false to the start keeps the label from being edited at all.
  HandlerCalls().clear();
  AnswerFrom(t::kEditStarting, 0);
  EXPECT_EQ(EditLabel(list, 0), nullptr);
  ASSERT_TRUE(PumpPostedMessages());
  EXPECT_EQ(HandlerCalls(), (std::vector<HandlerCall>{{t::kEditStarting, {0}}}));
}

TEST_F(ListViewTest, FocusSelectionAndColumnClicksRaiseTheirEvents) {
  ASSERT_TRUE(LoadAndActivate(w::kResult));
  HWND list = UnitWindow(w::kResult, u::kResultList);
  const rt::UnitRef ref = ListRef(w::kResult, u::kResultList);
  for (int i = 0; i < 3; ++i) cmd::ListViewInsertItem(ref, -1, "行");
  // The list took the focus when its window was activated; the button takes it first.
  ::SetFocus(UnitWindow(w::kResult, u::kButton));
  Pump(30);
  HandlerCalls().clear();
  RECT label = {LVIR_LABEL, 0, 0, 0};
  ::SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&label));
  ClickAt(list, label.left + 5, (label.top + label.bottom) / 2);
  ASSERT_TRUE(PumpUntil([] { return !HandlerCalls().empty() && HandlerCalls().back().tag == t::kResultClicked; }));
  // The control decides whether it selects before or after it takes the focus; the click comes last.
  std::vector<int> tags = TagsCalled();
  ASSERT_EQ(tags.size(), 3u);
  std::sort(tags.begin(), tags.end() - 1);
  EXPECT_EQ(tags, (std::vector<int>{t::kResultGotFocus, t::kResultCurrentChanged, t::kResultClicked}));
  EXPECT_EQ(ReadInt(w::kResult, u::kResultList, PropertyIndex(lv::kCurrentItem)), 1);

  // The button takes the focus away.
  HandlerCalls().clear();
  ::SetFocus(UnitWindow(w::kResult, u::kButton));
  ASSERT_TRUE(PumpPostedMessages());
  EXPECT_EQ(TagsCalled(), std::vector<int>{t::kResultLostFocus});

  // A click on the second column's header.
  HandlerCalls().clear();
  HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
  RECT column = {};
  ::SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&column));
  ClickAt(header, column.left + 20, (column.top + column.bottom) / 2);
  ASSERT_TRUE(PumpUntil([] {
    for (const HandlerCall& call : HandlerCalls()) {
      if (call.tag == t::kResultColumnClicked) return true;
    }
    return false;
  }));
  for (const HandlerCall& call : HandlerCalls()) {
    if (call.tag == t::kResultColumnClicked) {
      EXPECT_EQ(call.args, std::vector<std::uintptr_t>{1});
    }
  }
}

// Turns every 'a' into 'o' in place.
void AToO(char* text) {
  for (char* c = text; *c; ++c) {
    if (*c == 'a') *c = 'o';
  }
}

TEST_F(ListViewTest, VisitTextsSeesTheFaceColumnTitlesAndRowTextsAndKeepsWhatTheVisitorChanged) {
  ListViewProperties p;
  const std::vector<std::uint8_t> font = LogFontBytes(60, -12);
  p.font.assign(font.begin(), font.end());
  std::memcpy(p.font.data() + kLogFontFaceNameOffset, "Arial", 6);
  const ListViewColumn columns[] = {{false, -1, 0, 50, "name"}, {false, -1, 1, 60, "value"}};
  p.columns = WriteListViewColumns(columns);
  ListViewItemRecord row;
  row.text = "alpha";
  row.tip = "tap";
  ListViewItemRecord cell;
  cell.kind = 1;
  cell.text = "gamma";
  p.items = WriteListViewItems(std::vector<ListViewItemRecord>{row, cell});
  p.items.push_back(0);  // a record cut short after the whole ones stays as it is
  const Bytes block = p.Save();

  Bytes changed_block;
  EXPECT_EQ(VisitTexts(ListViewTypeInterface(), block, &AToO, &changed_block),
            (SeenTexts{{"Arial", 1}, {"name", 0}, {"value", 0}, {"alpha", 0}, {"tap", 0}, {"gamma", 0}, {"", 0}}));
  ListViewProperties changed;
  ASSERT_TRUE(!changed_block.empty() && changed.Load(changed_block));
  EXPECT_STREQ(reinterpret_cast<const char*>(changed.font.data() + kLogFontFaceNameOffset), "Ariol");
  std::vector<ListViewColumn> read_columns;
  ASSERT_TRUE(ReadListViewColumns(changed.columns, read_columns));
  EXPECT_EQ(read_columns[0].title, "nome");
  EXPECT_EQ(read_columns[1].width, 60);
  std::vector<ListViewItemRecord> read_items;
  EXPECT_FALSE(ReadListViewItems(changed.items, read_items));
  ASSERT_EQ(read_items.size(), 2u);
  EXPECT_EQ(read_items[0].text, "olpho");
  EXPECT_EQ(read_items[0].tip, "top");
  EXPECT_EQ(read_items[1].text, "gommo");
  EXPECT_EQ(changed.items.back(), 0) << "the cut record's byte is kept";

  // A block of a later version is not visited and gives nothing.
  ByteWriter later;
  later.U32(lv::kBlockVersion + 1);
  EXPECT_TRUE(VisitTexts(ListViewTypeInterface(), later.Release(), &AToO, &changed_block).empty());
  EXPECT_TRUE(changed_block.empty());
}

TEST_F(ListViewTest, CreationFailsForALaterVersionAndUsesTheDefaultsWithoutABlock) {
  ASSERT_TRUE(LoadAndActivate(w::kResult));
  const auto create = UnitTypeOperation<CreateUnitOperation>(ListViewTypeInterface(), unit_operation::kCreateUnit);
  ASSERT_NE(create, nullptr);
  HWND parent = WindowOf(w::kResult);
  ByteWriter later;
  later.U32(lv::kBlockVersion + 1);
  const Bytes bad = later.Release();
  EXPECT_EQ(create(bad.data(), static_cast<std::int32_t>(bad.size()), 0, parent, 900, 0, 0, 0, 50, 50, w::kResult,
                   0x160100F0, 0, 0),
            nullptr);
  auto* object = static_cast<UnitObject*>(
      create(nullptr, 0, 0, parent, 901, 0, 0, 0, 50, 50, w::kResult, 0x160100F1, 0, 0));
  ASSERT_NE(object, nullptr);
  HWND made = object->Window();
  EXPECT_EQ(StyleOf(made) & LVS_TYPEMASK, LVS_ICON);
  EXPECT_TRUE(StyleOf(made) & (LVS_AUTOARRANGE | LVS_SINGLESEL));
  EXPECT_FALSE(StyleOf(made) & WS_VISIBLE) << "the engine shows units itself";
  ::DestroyWindow(made);  // the unit goes with it
}

TEST_F(ListViewTest, AStoredViewTypeOutOfRangeIsUsedAsItsNearestViewThroughout) {
  ASSERT_TRUE(LoadAndActivate(w::kResult));
  const auto create = UnitTypeOperation<CreateUnitOperation>(ListViewTypeInterface(), unit_operation::kCreateUnit);
  ListViewProperties stored = SavedListProperties(w::kResult, u::kResultList);  // a report with three columns
  stored.auto_arrange = true;
  stored.full_row_select = true;
  const auto get = UnitTypeOperation<GetPropertyOperation>(ListViewTypeInterface(), unit_operation::kGetProperty);
  std::uintptr_t view_read = 0xFF;
  const auto make = [&](std::int32_t view_type, std::uint32_t unit_id) {
    stored.view_type = view_type;
    const Bytes block = stored.Save();
    auto* object = static_cast<UnitObject*>(create(block.data(), static_cast<std::int32_t>(block.size()), 0,
                                                   WindowOf(w::kResult), 900, 0, 0, 0, 200, 100, w::kResult,
                                                   unit_id, 0, 0));
    RawValue read;
    view_read = object && get(object, lv::kViewType, &read) ? read.word1 : 0xFF;
    return object ? object->Window() : nullptr;
  };

  HWND report = make(7, 0x160100F2);
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(view_read, 3u) << "read back as the view it shows";
  EXPECT_EQ(StyleOf(report) & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_EQ(ColumnCount(report), 3) << "a report view gets its columns";
  EXPECT_FALSE(StyleOf(report) & LVS_AUTOARRANGE) << "no icon-view bits on a report";
  EXPECT_TRUE(ListExStyle(report) & LVS_EX_FULLROWSELECT);
  ::DestroyWindow(report);

  HWND icons = make(-1, 0x160100F3);
  ASSERT_NE(icons, nullptr);
  EXPECT_EQ(view_read, 0u);
  EXPECT_EQ(StyleOf(icons) & LVS_TYPEMASK, LVS_ICON);
  EXPECT_TRUE(StyleOf(icons) & LVS_AUTOARRANGE);
  EXPECT_FALSE(ListExStyle(icons) & LVS_EX_FULLROWSELECT) << "no report-view bits on icons";
  ::DestroyWindow(icons);
}

TEST_F(ListViewTest, TheLibraryHoldsTheListViewAsType4AndItsFiveCommands) {
  const LibraryDescriptor& library = kExtendedLibrary;
  EXPECT_EQ(library.format_code, 0x01312D65u);
  EXPECT_STREQ(library.identifier, "5a0c93e2b8f14d7ea6c2d1f0e9b8a7c4");
  EXPECT_EQ(std::vector<std::uint32_t>(library.numbers, library.numbers + 3), (std::vector<std::uint32_t>{2, 0, 3}));
  EXPECT_EQ(std::vector<std::uint32_t>(library.more_numbers, library.more_numbers + 4),
            (std::vector<std::uint32_t>{3, 0, 3, 0}));
  EXPECT_EQ(library.one, 1u);
  ASSERT_EQ(library.unit_type_count, 5u);
  for (std::uint32_t i : {0u, 1u, 2u, 4u}) EXPECT_TRUE(library.unit_types[i].Empty()) << i;
  const UnitTypeEntry& entry = library.unit_types[3];
  EXPECT_STREQ(entry.english_name, "ListView");
  EXPECT_STREQ(entry.chinese_name, "超级列表框");
  EXPECT_EQ(entry.flags, 0x40u);
  EXPECT_EQ(entry.property_count, 39u);
  EXPECT_EQ(TheRuntime().FindUnitType(lv::kUnitType), &entry);
  for (std::int32_t code : {1, 4, 5, 6, 9}) EXPECT_NE(entry.unit_interface(code), nullptr) << code;
  for (std::int32_t code : {0, 2, 3, 7, 8, 10, 11}) EXPECT_EQ(entry.unit_interface(code), nullptr) << code;
  ASSERT_EQ(library.command_count, 5u);
  for (std::uint32_t i = 0; i < 5; ++i) EXPECT_NE(library.commands[i], nullptr) << i;
  EXPECT_NE(library.notify, nullptr);
  EXPECT_TRUE(ExtendedLink().Connected()) << "the runtime handed over its notify entry at start";
}

}  // namespace
}  // namespace quarrow::testing
