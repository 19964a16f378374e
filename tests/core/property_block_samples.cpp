#include "tests/core/property_block_samples.h"

#include <cstring>

#include "units/list_view_data.h"

namespace quarrow::test {

Bytes SampleLogFont() {
  Bytes font(kLogFontSize, 0);
  font[0] = 0xF4;  // height -12
  font[1] = font[2] = font[3] = 0xFF;
  const char face[] = "黑体";
  std::memcpy(font.data() + kLogFontFaceNameOffset, face, sizeof face - 1);
  return font;
}

EditBoxProperties BlockTraits<EditBoxProperties>::Sample() {
  EditBoxProperties p;
  p.text = "门牌号";
  p.border = 5;
  p.text_color = 0x0000FF;
  p.back_color = kButtonFaceColor;
  p.font = SampleLogFont();
  p.hide_selection = false;
  p.max_length = 5;
  p.multi_line = true;
  p.scroll_bars = 3;
  p.alignment = 2;
  p.input_mode = edit_box::kModeDateTime;
  p.password_char = '#';
  p.letter_case = 1;
  p.adjuster_style = 2;
  p.adjuster_min = -7;
  p.adjuster_max = 70000;
  p.sel_start = 3;
  p.sel_length = 9;
  p.data_source = "数据源";
  p.data_column = "列";
  return p;
}
void BlockTraits<EditBoxProperties>::DropNewerFields(EditBoxProperties& p, std::uint32_t version) {
  if (version < 2) {
    p.data_source.clear();
    p.data_column.clear();
  }
}

LabelProperties BlockTraits<LabelProperties>::Sample() {
  LabelProperties p;
  p.text = "生成数：";
  p.effect = 3;
  p.border = 6;
  p.border_width = 12;
  p.border_color1 = 0x111111;
  p.border_color2 = kButtonFaceColor;
  p.border_color3 = 0x333333;
  p.font = SampleLogFont();
  p.text_color = 0x00FF00;
  p.back_color = 0x123456;
  p.picture = {'B', 'M', 1, 2, 3};
  p.picture_mode = 2;
  p.back_gradient = 7;
  p.gradient_color1 = 0x444444;
  p.gradient_color2 = 0x555555;
  p.gradient_color3 = 0x666666;
  p.alignment = 2;
  p.word_wrap = true;
  p.v_alignment = 0;
  p.data_source = "源";
  p.data_column = "列名";
  return p;
}
void BlockTraits<LabelProperties>::DropNewerFields(LabelProperties& p, std::uint32_t version) {
  if (version < 2) {
    p.data_source.clear();
    p.data_column.clear();
  }
}

ButtonProperties BlockTraits<ButtonProperties>::Sample() {
  ButtonProperties p;
  p.picture = {0, 0, 1, 0, 1, 0};
  p.button_type = 1;
  p.text = "导出到文件";
  p.alignment = 0;
  p.v_alignment = 2;
  p.font = SampleLogFont();
  return p;
}

CheckBoxProperties BlockTraits<CheckBoxProperties>::Sample() {
  CheckBoxProperties p;
  p.picture = {'G', 'I', 'F'};
  p.push_like = true;
  p.flat = true;
  p.text = "自动模式";
  p.box_on_right = true;
  p.alignment = 1;
  p.v_alignment = 2;
  p.text_color = 0xABCDEF;
  p.back_color = 0xFFFFFF;
  p.font = SampleLogFont();
  p.checked = true;
  p.data_source = "甲";
  p.data_column = "乙";
  return p;
}
void BlockTraits<CheckBoxProperties>::DropNewerFields(CheckBoxProperties& p, std::uint32_t version) {
  if (version < 2) {
    p.data_source.clear();
    p.data_column.clear();
  }
}

GroupBoxProperties BlockTraits<GroupBoxProperties>::Sample() {
  GroupBoxProperties p;
  p.text = "地址";
  p.alignment = 1;
  p.text_color = 0x010203;
  p.back_color = 0x040506;
  p.font = SampleLogFont();
  return p;
}

ListBoxProperties BlockTraits<ListBoxProperties>::Sample() {
  ListBoxProperties p;
  p.border = 5;
  p.sorted = true;
  p.multi_column = true;
  p.row_spacing = 4;
  p.text_color = 0x112233;
  p.back_color = 0x445566;
  p.font = SampleLogFont();
  p.multi_select = true;
  p.selection = 2;
  p.items = {"人民", "", "解放"};
  p.item_data = {1, 0, 0, 0, 2, 0, 0, 0};
  p.data_source = "源";
  p.data_column = "列";
  p.data_flag = true;
  return p;
}
void BlockTraits<ListBoxProperties>::DropNewerFields(ListBoxProperties& p, std::uint32_t version) {
  if (version < 3) p.data_flag = false;
  if (version < 2) {
    p.data_source.clear();
    p.data_column.clear();
  }
}

ProcessBarProperties BlockTraits<ProcessBarProperties>::Sample() {
  ProcessBarProperties p;
  p.border = 0;
  p.orientation = 1;
  p.bar_style = 1;
  p.minimum = 10;
  p.maximum = 32767;
  p.position = 25;
  return p;
}

CommonDlgProperties BlockTraits<CommonDlgProperties>::Sample() {
  CommonDlgProperties p;
  p.dialog_type = common_dlg::kSaveFile;
  p.title = "导出";
  p.file_name = "地址.txt";
  p.filter = "文本文件 (*.txt)|*.txt||";
  p.filter_index = 1;
  p.initial_dir = "C:\\";
  p.default_ext = "txt";
  p.create_prompt = true;
  p.file_must_exist = false;
  p.overwrite_prompt = false;
  p.path_must_exist = false;
  p.no_change_dir = true;
  p.font_color = 0x0000FF;
  p.bold = true;
  p.italic = true;
  p.strike_out = true;
  p.underline = true;
  p.font_name = "宋体";
  p.font_size = 12;
  p.help_file = "帮助.hlp";
  p.help_command = 2;
  p.help_context = 42;
  return p;
}

ListViewProperties BlockTraits<ListViewProperties>::Sample() {
  ListViewProperties p;
  p.border = 4;
  p.text_color = 0x000080;
  p.text_back_color = kButtonFaceColor;
  p.back_color = 0x00FFFF;
  p.font = SampleLogFont();
  p.view_type = list_view::kReport;
  p.icon_alignment = 1;
  p.auto_arrange = false;
  p.label_wrap = false;
  const ListViewColumn columns[] = {{false, -1, 0, 60, "序号"}, {true, 2, 1, 350, "地址"}};
  p.columns = WriteListViewColumns(columns);
  p.hide_column_header = true;
  const std::uint8_t stream[] = {1, 2, 3};
  p.header_images = WrapImageListStream(stream);
  p.clickable_header = false;
  p.full_row_select = true;
  p.grid_lines = true;
  p.header_drag_drop = true;
  p.images = WrapImageListStream(stream);
  p.state_images = {'X', 'Y'};
  p.hot_tracking = true;
  p.hand_cursor = false;
  p.underline_hot = false;
  p.underline_cold = false;
  p.editable_labels = true;
  p.sort_order = 2;
  p.check_boxes = true;
  p.flat_scroll_bars = true;
  p.single_selection = false;
  p.current_item = 7;
  p.always_show_selection = true;
  const ListViewItemRecord items[] = {{0, -1, -1, 0, 9, "1", "提示"}, {1, -1, -1, 0, 0, "人民路", ""}};
  p.items = WriteListViewItems(items);
  return p;
}

}  // namespace quarrow::test
