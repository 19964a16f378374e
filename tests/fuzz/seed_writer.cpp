// Writes the seed corpus of the property-block, window-property, list-view-data and byte-stream fuzz targets with
// the system's own writers: seed_writer <corpus directory>. A seed of a target that reads several formats is its
// selector byte followed by the bytes.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "forms/window_properties.h"
#include "base/byte_stream.h"
#include "tests/core/property_block_samples.h"
#include "units/list_view_data.h"
#include "units/text_list.h"

namespace {

using namespace quarrow;
namespace fs = std::filesystem;

void WriteSeed(const fs::path& dir, const std::string& name, std::uint8_t selector, const Bytes& bytes) {
  fs::create_directories(dir);
  std::ofstream out(dir / name, std::ios::binary);
  out.put(static_cast<char>(selector));
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteRawSeed(const fs::path& dir, const std::string& name, const Bytes& bytes) {
  fs::create_directories(dir);
  std::ofstream out(dir / name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

template <class P>
void WriteBlockSeeds(const fs::path& dir, const std::string& name, std::uint8_t selector) {
  WriteSeed(dir, name + "-defaults", selector, P{}.Save());
  WriteSeed(dir, name + "-sample", selector, test::BlockTraits<P>::Sample().Save());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: seed_writer <corpus directory>\n");
    return 2;
  }
  const fs::path root = argv[1];

  const fs::path blocks = root / "unit_properties";
  WriteBlockSeeds<EditBoxProperties>(blocks, "edit_box", 0);
  WriteBlockSeeds<LabelProperties>(blocks, "label", 1);
  WriteBlockSeeds<ButtonProperties>(blocks, "button", 2);
  WriteBlockSeeds<CheckBoxProperties>(blocks, "check_box", 3);
  WriteBlockSeeds<GroupBoxProperties>(blocks, "group_box", 4);
  WriteBlockSeeds<ListBoxProperties>(blocks, "list_box", 5);
  WriteBlockSeeds<ProcessBarProperties>(blocks, "process_bar", 6);
  WriteBlockSeeds<CommonDlgProperties>(blocks, "common_dlg", 7);
  WriteBlockSeeds<ListViewProperties>(blocks, "list_view", 8);
  WriteSeed(blocks, "text_list", 9, SaveTextList({"人民路", "", "解放路"}));

  const fs::path data = root / "list_view_data";
  const ListViewColumn columns[] = {{false, -1, 0, 60, "序号"}, {false, -1, 0, 350, "地址"}, {false, -1, 0, 50, ""}};
  WriteSeed(data, "columns", 0, WriteListViewColumns(columns));
  const ListViewItemRecord items[] = {{1, 0, -1, 0, 0, "孤", ""},
                                      {0, 1, 0, 2, 7, "1", "第一行"},
                                      {1, 2, -1, 0, 0, "人民路 3号", ""},
                                      {0, -1, 1, 0, 0, "2", ""}};
  WriteSeed(data, "items", 91, WriteListViewItems(items));  // 91: items data with three images, three state images
  const std::uint8_t stream[] = {'I', 'L', 1, 1, 0, 0};
  WriteSeed(data, "image_list", 2, WrapImageListStream(stream));

  // The window's own block: the defaults, and one with every counted part filled.
  const fs::path window = root / "window_properties";
  WriteRawSeed(window, "defaults", forms::SaveWindowProperties({}));
  forms::WindowProperties filled;
  filled.border_style = 1;
  filled.always_on_top = 1;
  filled.class_name = "QuarrowClass";
  filled.picture = {'B', 'M', 0, 0};
  filled.icon = {0, 0, 1, 0, 1, 0};
  filled.music = {'M', 'T', 'h', 'd'};
  filled.title = "地址生成";
  filled.help_file = "help.hlp";
  WriteRawSeed(window, "filled", forms::SaveWindowProperties(filled));

  // The byte reader's fuzz target reads an operation byte (mod 5: counted text, zero text, counted bytes, word,
  // half word) and then what it names.
  ByteWriter ops;
  ops.U8(0);
  ops.U32(4);
  for (char c : std::string("人民")) ops.U8(static_cast<std::uint8_t>(c));
  ops.U8(1);
  for (char c : std::string("zero")) ops.U8(static_cast<std::uint8_t>(c));
  ops.U8(0);
  ops.U8(2);
  ops.U32(3);
  ops.U8(7);
  ops.U8(8);
  ops.U8(9);
  ops.U8(3);
  ops.U32(0x52010001);
  ops.U8(4);
  ops.U16(0xFFFF);
  WriteRawSeed(root / "byte_stream", "every_operation", ops.Release());
  ByteWriter too_long;
  too_long.U8(2);
  too_long.U32(0x7FFFFFFF);
  WriteRawSeed(root / "byte_stream", "count_beyond_the_end", too_long.Release());
  return 0;
}
