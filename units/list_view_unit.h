// The ListView unit object, for the unit type's own files and the commands on its rows.
#pragma once

#include <windows.h>

#include <objbase.h>  // the image-list stream functions need IStream first

#include <commctrl.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "units/burst_painting.h"
#include "units/byte_buffer.h"
#include "units/list_view_data.h"
#include "units/list_view_images.h"
#include "units/list_view_properties.h"
#include "units/unit_appearance.h"
#include "units/unit_base.h"

namespace quarrow {

namespace list_view {
// The unit posts this to itself after a click on a check box or a space, so that the control has toggled the box
// before the state is read; wParam is the row.
inline constexpr UINT kCheckStateMessage = WM_USER + 1;
// The runtime asks a unit's window for its unit object with this message.
inline constexpr UINT kUnitObjectQuery = 0x8002;
// A cell is read into a buffer of this size first, which doubles while the text fills it.
inline constexpr std::size_t kFirstCellBuffer = 512;
// No cell is read beyond this size; a longer text comes back cut.
inline constexpr std::size_t kMaxCellBuffer = std::size_t{1} << 26;
}  // namespace list_view

class ListView final : public ChildUnit, private ListViewRowSink {
 public:
  ListView(const LibraryLink& link, const UnitCreation& creation);
  ~ListView() override;

  // The list view behind a unit object; null when the object is no ListView or its window is gone.
  static ListView* Of(UnitObject* unit);

  std::int32_t SetProperty(std::int32_t local_index, const RawValue& value) override;
  bool GetProperty(std::int32_t local_index, RawValue* value) override;
  Bytes SaveProperties() override;

  // The rows as the commands change and read them. Inserting starts or continues a burst (burst_painting.h).
  std::int32_t InsertItem(LVITEMA& item);
  void SetItemText(std::int32_t row, std::int32_t column, const char* text);
  void SetItemState(std::int32_t row, UINT state, UINT mask);
  std::int32_t ItemCount() const;
  // The whole text of a cell, however long; empty for a cell or row that does not exist.
  std::string CellText(std::int32_t row, std::int32_t column) const;
  void DeleteAllItems();
  const BurstPainting& Painting() const { return painting_; }

 protected:
  bool Load(std::span<const std::uint8_t> block) override;
  void Create(const UnitCreation& creation) override;
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override;
  LRESULT OnNotify(NMHDR* header) override;

 private:
  // ListViewRowSink: the stored rows.
  std::int32_t InsertRow(std::int32_t position, const ListViewItemRecord& record, std::int32_t image,
                         std::int32_t state_image) override;
  void SetCell(std::int32_t row, std::int32_t column, const ListViewItemRecord& record, std::int32_t image) override;

  LRESULT Send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const {
    return ::SendMessageA(window_, message, wparam, lparam);
  }
  bool ReportView() const { return properties_.view_type == list_view::kReport; }
  bool IconView() const { return properties_.view_type <= list_view::kSmallIcons; }
  HWND Header() const;

  // Creation.
  DWORD WindowStyle() const;
  DWORD ExtendedListStyle() const;
  void ApplyColours();
  void ApplyHotCursor();
  void InsertColumns();
  // Appearance and contents set in place.
  void ApplyItemImages();
  void ApplyStateImages();
  void ApplyHeaderImages();
  void ShowStoredRows();
  void ApplyCurrentItem();
  void DetachImageLists();
  std::vector<ListViewItemRecord> StoredRecords() const;

  // Events.
  void CheckAfterClick(const NMHDR* header);
  void ReportCheckState(std::int32_t row);
  LRESULT BeginLabelEdit(const NMLVDISPINFOA& info);
  LRESULT EndLabelEdit(const NMLVDISPINFOA& info);
  void GiveInfoTip(NMLVGETINFOTIPA& tip) const;

  ListViewProperties properties_;  // the byte properties live in the buffers below
  ByteBuffer font_;
  ByteBuffer columns_;
  ByteBuffer header_images_;
  ByteBuffer images_;
  ByteBuffer state_images_;
  ByteBuffer items_;
  UnitFont font_in_use_;
  OwnedImageList item_image_list_;
  OwnedImageList state_image_list_;
  OwnedImageList header_image_list_;
  std::string edited_text_;  // set only while LabelEditEnded runs
  BurstPainting painting_;
};

}  // namespace quarrow
