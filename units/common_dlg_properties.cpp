#include "units/common_dlg_properties.h"

namespace quarrow {

namespace common_dlg {

constinit const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable =
    PropertyTable({
        0x800203EE,  // DialogType
        0x800003ED,  // Title
        0x800003ED,  // FileName
        0x800003ED,  // Filter
        0x800103E9,  // FilterIndex
        0x800003ED,  // InitialDir
        0x800003ED,  // DefaultExt
        0x800003EB,  // CreatePrompt
        0x800003EB,  // FileMustExist
        0x800003EB,  // OverwritePrompt
        0x800003EB,  // PathMustExist
        0x800203EB,  // NoChangeDir
        0x800003F6,  // FontColor
        0x800003EB,  // Bold
        0x800003EB,  // Italic
        0x800003EB,  // StrikeOut
        0x800003EB,  // Underline
        0x800003ED,  // FontName
        0x800203E9,  // FontSize
        0x800003ED,  // HelpFile
        0x800003EE,  // HelpCommand
        0x800103E9,  // HelpContext
    });

}  // namespace common_dlg

// The block holds all the words first and the texts after them.
bool CommonDlgProperties::Load(std::span<const std::uint8_t> block) {
  *this = CommonDlgProperties{};
  if (block.empty()) return true;
  ByteReader r(block);
  std::uint32_t version;
  if (!ReadBlockVersion(r, common_dlg::kBlockVersion, version)) return false;
  CommonDlgProperties p;
  p.dialog_type = r.I32();
  p.filter_index = r.I32();
  p.create_prompt = ReadLogical(r);
  p.file_must_exist = ReadLogical(r);
  p.overwrite_prompt = ReadLogical(r);
  p.path_must_exist = ReadLogical(r);
  p.no_change_dir = ReadLogical(r);
  p.font_color = r.U32();
  p.bold = ReadLogical(r);
  p.italic = ReadLogical(r);
  p.strike_out = ReadLogical(r);
  p.underline = ReadLogical(r);
  p.font_size = r.I32();
  p.help_command = r.I32();
  p.help_context = r.I32();
  p.title = r.CountedText();
  p.file_name = r.CountedText();
  p.filter = r.CountedText();
  p.initial_dir = r.CountedText();
  p.default_ext = r.CountedText();
  p.font_name = r.CountedText();
  p.help_file = r.CountedText();
  if (r.Failed()) return false;
  *this = std::move(p);
  return true;
}

Bytes CommonDlgProperties::Save() const {
  ByteWriter w;
  w.U32(common_dlg::kBlockVersion);
  w.I32(dialog_type);
  w.I32(filter_index);
  WriteLogical(w, create_prompt);
  WriteLogical(w, file_must_exist);
  WriteLogical(w, overwrite_prompt);
  WriteLogical(w, path_must_exist);
  WriteLogical(w, no_change_dir);
  w.U32(font_color);
  WriteLogical(w, bold);
  WriteLogical(w, italic);
  WriteLogical(w, strike_out);
  WriteLogical(w, underline);
  w.I32(font_size);
  w.I32(help_command);
  w.I32(help_context);
  w.CountedText(title);
  w.CountedText(file_name);
  w.CountedText(filter);
  w.CountedText(initial_dir);
  w.CountedText(default_ext);
  w.CountedText(font_name);
  w.CountedText(help_file);
  return w.Release();
}

}  // namespace quarrow
