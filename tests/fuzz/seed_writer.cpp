// Writes the seed corpus of the property-block and list-view-data fuzz targets with the system's own writers:
// seed_writer <corpus directory>. Each seed is the fuzz target's selector byte followed by the bytes.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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
  return 0;
}
