// Every unit type's stored property block, and text lists, on arbitrary input. The first byte picks the codec.
// Whatever loads must save to a block that loads to the same properties and saves to the same bytes; whatever
// fails must leave the defaults.
#include <cstddef>
#include <cstdint>
#include <span>

#include "units/button_properties.h"
#include "units/check_box_properties.h"
#include "units/common_dlg_properties.h"
#include "units/edit_box_properties.h"
#include "units/group_box_properties.h"
#include "units/label_properties.h"
#include "units/list_box_properties.h"
#include "units/list_view_properties.h"
#include "units/process_bar_properties.h"
#include "units/text_list.h"

namespace {

using namespace quarrow;

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

template <class P>
void CheckBlock(std::span<const std::uint8_t> block) {
  P p;
  if (!p.Load(block)) {
    Require(p == P{});
    return;
  }
  const Bytes saved = p.Save();
  P again;
  Require(again.Load(saved));
  Require(again == p);
  Require(again.Save() == saved);
}

void CheckTextList(std::span<const std::uint8_t> bytes) {
  const TextList items = LoadTextList(bytes);
  const Bytes saved = SaveTextList(items);
  Require(LoadTextList(saved) == items);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::span<const std::uint8_t> rest(data + 1, size - 1);
  switch (data[0] % 10) {
    case 0: CheckBlock<EditBoxProperties>(rest); break;
    case 1: CheckBlock<LabelProperties>(rest); break;
    case 2: CheckBlock<ButtonProperties>(rest); break;
    case 3: CheckBlock<CheckBoxProperties>(rest); break;
    case 4: CheckBlock<GroupBoxProperties>(rest); break;
    case 5: CheckBlock<ListBoxProperties>(rest); break;
    case 6: CheckBlock<ProcessBarProperties>(rest); break;
    case 7: CheckBlock<CommonDlgProperties>(rest); break;
    case 8: CheckBlock<ListViewProperties>(rest); break;
    default: CheckTextList(rest); break;
  }
  return 0;
}
