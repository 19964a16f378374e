#include "units/common_dlg.h"

#include <commdlg.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "units/core_link.h"
#include "runtime/runtime_notify.h"
#include "units/common_dlg_properties.h"
#include "units/file_dialog_filter.h"
#include "units/raw_value_access.h"
#include "units/unit_operations.h"
#include "units/unit_window_class.h"

namespace quarrow {

namespace {

// Room for the chosen path; an initial name that does not fit is cut.
constexpr std::size_t kFileBufferSize = 4096;

const char* UnlessEmpty(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

int ScreenPixelsPerInch() {
  HDC screen = ::GetDC(nullptr);
  const int pixels = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  return pixels > 0 ? pixels : 96;
}

class CommonDlg final : public ChildUnit {
 public:
  using ChildUnit::ChildUnit;

  std::int32_t SetProperty(std::int32_t local_index, const RawValue& value) override {
    CommonDlgProperties& p = properties_;
    switch (local_index) {
      case common_dlg::kDialogType: p.dialog_type = common_dlg::ClampDialogType(IntOf(value)); break;
      case common_dlg::kTitle: p.title = TextOf(value); break;
      case common_dlg::kFileName: p.file_name = TextOf(value); break;
      case common_dlg::kFilter: p.filter = TextOf(value); break;
      case common_dlg::kFilterIndex: p.filter_index = common_dlg::ClampFilterIndex(IntOf(value)); break;
      case common_dlg::kInitialDir: p.initial_dir = TextOf(value); break;
      case common_dlg::kDefaultExt: p.default_ext = TextOf(value); break;
      case common_dlg::kCreatePrompt: p.create_prompt = LogicalOf(value); break;
      case common_dlg::kFileMustExist: p.file_must_exist = LogicalOf(value); break;
      case common_dlg::kOverwritePrompt: p.overwrite_prompt = LogicalOf(value); break;
      case common_dlg::kPathMustExist: p.path_must_exist = LogicalOf(value); break;
      case common_dlg::kNoChangeDir: p.no_change_dir = LogicalOf(value); break;
      case common_dlg::kFontColor: p.font_color = WordOf(value); break;
      case common_dlg::kBold: p.bold = LogicalOf(value); break;
      case common_dlg::kItalic: p.italic = LogicalOf(value); break;
      case common_dlg::kStrikeOut: p.strike_out = LogicalOf(value); break;
      case common_dlg::kUnderline: p.underline = LogicalOf(value); break;
      case common_dlg::kFontName: p.font_name = TextOf(value); break;
      case common_dlg::kFontSize: p.font_size = common_dlg::ClampFontSize(IntOf(value)); break;
      case common_dlg::kHelpFile: p.help_file = TextOf(value); break;
      case common_dlg::kHelpCommand: p.help_command = common_dlg::ClampHelpCommand(IntOf(value)); break;
      case common_dlg::kHelpContext: p.help_context = IntOf(value); break;
      default: break;
    }
    return 0;
  }

  bool GetProperty(std::int32_t local_index, RawValue* value) override {
    const CommonDlgProperties& p = properties_;
    switch (local_index) {
      case common_dlg::kDialogType: *value = RawInt(p.dialog_type); return true;
      case common_dlg::kTitle: *value = RawText(p.title); return true;
      case common_dlg::kFileName: *value = RawText(p.file_name); return true;
      case common_dlg::kFilter: *value = RawText(p.filter); return true;
      case common_dlg::kFilterIndex: *value = RawInt(p.filter_index); return true;
      case common_dlg::kInitialDir: *value = RawText(p.initial_dir); return true;
      case common_dlg::kDefaultExt: *value = RawText(p.default_ext); return true;
      case common_dlg::kCreatePrompt: *value = RawLogical(p.create_prompt); return true;
      case common_dlg::kFileMustExist: *value = RawLogical(p.file_must_exist); return true;
      case common_dlg::kOverwritePrompt: *value = RawLogical(p.overwrite_prompt); return true;
      case common_dlg::kPathMustExist: *value = RawLogical(p.path_must_exist); return true;
      case common_dlg::kNoChangeDir: *value = RawLogical(p.no_change_dir); return true;
      case common_dlg::kFontColor: *value = RawWord(p.font_color); return true;
      case common_dlg::kBold: *value = RawLogical(p.bold); return true;
      case common_dlg::kItalic: *value = RawLogical(p.italic); return true;
      case common_dlg::kStrikeOut: *value = RawLogical(p.strike_out); return true;
      case common_dlg::kUnderline: *value = RawLogical(p.underline); return true;
      case common_dlg::kFontName: *value = RawText(p.font_name); return true;
      case common_dlg::kFontSize: *value = RawInt(p.font_size); return true;
      case common_dlg::kHelpFile: *value = RawText(p.help_file); return true;
      case common_dlg::kHelpCommand: *value = RawInt(p.help_command); return true;
      case common_dlg::kHelpContext: *value = RawInt(p.help_context); return true;
      default: return false;
    }
  }

  Bytes SaveProperties() override { return properties_.Save(); }

  bool Show() {
    switch (properties_.dialog_type) {
      case common_dlg::kOpenFile:
      case common_dlg::kSaveFile: return ShowFileDialog(properties_.dialog_type == common_dlg::kSaveFile);
      case common_dlg::kFontDialog: return ShowFontDialog();
      case common_dlg::kHelp: return RequestHelp();
      default: return false;
    }
  }

 protected:
  bool Load(std::span<const std::uint8_t> block) override { return properties_.Load(block); }

  void Create(const UnitCreation& creation) override {
    if (!RegisterUnitWindowClass(common_dlg::kWindowClass, CS_DBLCLKS)) return;
    CreateControl(creation, common_dlg::kWindowClass, "", Design() ? WS_BORDER : 0);
  }

  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override {
    // Help opened for this window closes with it.
    if (message == WM_DESTROY && help_open_) {
      ::WinHelpA(window_, nullptr, HELP_QUIT, 0);
      help_open_ = false;
    }
    return ChildUnit::Handle(message, wparam, lparam);
  }

 private:
  // The program's active window owns the dialog; without one, the unit's own top-level window.
  HWND Owner() const {
    if (HWND active = ::GetActiveWindow()) return active;
    return window_ ? ::GetAncestor(window_, GA_ROOT) : nullptr;
  }

  bool ShowFileDialog(bool save) {
    const CommonDlgProperties& p = properties_;
    const std::string filter = common_dlg::SystemFilter(p.filter);
    std::vector<char> file(kFileBufferSize, '\0');
    std::memcpy(file.data(), p.file_name.data(), std::min(p.file_name.size(), file.size() - 1));

    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Owner();
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = common_dlg::InitialFilterNumber(filter, p.filter_index);
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = UnlessEmpty(p.initial_dir);
    dialog.lpstrTitle = UnlessEmpty(p.title);
    dialog.lpstrDefExt = UnlessEmpty(p.default_ext);
    dialog.Flags = OFN_HIDEREADONLY;
    if (p.create_prompt) dialog.Flags |= OFN_CREATEPROMPT;
    if (p.file_must_exist) dialog.Flags |= OFN_FILEMUSTEXIST;
    if (p.overwrite_prompt) dialog.Flags |= OFN_OVERWRITEPROMPT;
    if (p.path_must_exist) dialog.Flags |= OFN_PATHMUSTEXIST;
    if (p.no_change_dir) dialog.Flags |= OFN_NOCHANGEDIR;

    const BOOL confirmed = save ? ::GetSaveFileNameA(&dialog) : ::GetOpenFileNameA(&dialog);
    if (!confirmed) return false;
    file.back() = '\0';
    properties_.file_name = file.data();
    return true;
  }

  bool ShowFontDialog() {
    CommonDlgProperties& p = properties_;
    const int pixels_per_inch = ScreenPixelsPerInch();
    LOGFONTA font = {};
    if (p.bold) font.lfWeight = FW_BOLD;
    font.lfItalic = p.italic ? 1 : 0;
    font.lfStrikeOut = p.strike_out ? 1 : 0;
    font.lfUnderline = p.underline ? 1 : 0;
    if (!p.font_name.empty()) {
      std::strncpy(font.lfFaceName, p.font_name.c_str(), LF_FACESIZE - 1);
    }
    if (p.font_size != 0) font.lfHeight = -::MulDiv(p.font_size, pixels_per_inch, 72);

    CHOOSEFONTA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Owner();
    dialog.lpLogFont = &font;
    dialog.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    dialog.rgbColors = static_cast<COLORREF>(p.font_color);
    if (!::ChooseFontA(&dialog)) return false;

    font.lfFaceName[LF_FACESIZE - 1] = '\0';
    p.font_color = dialog.rgbColors;
    p.bold = font.lfWeight >= FW_BOLD;
    p.italic = font.lfItalic != 0;
    p.strike_out = font.lfStrikeOut != 0;
    p.underline = font.lfUnderline != 0;
    p.font_name = font.lfFaceName;
    p.font_size = ::MulDiv(std::abs(font.lfHeight), 72, pixels_per_inch);
    return true;
  }

  bool RequestHelp() {
    if (window_ == nullptr) return false;
    const common_dlg::HelpCall call = common_dlg::HelpCallFor(properties_.help_command, properties_.help_context);
    if (!call.names_file) {
      ::WinHelpA(window_, nullptr, call.command, call.data);
      help_open_ = call.command != HELP_QUIT;
      return true;
    }
    std::string file = properties_.help_file;
    if (file.empty()) {
      const auto* directory = reinterpret_cast<const char*>(Link().Notify(notify_code::kProgramDirectory));
      const auto* name = reinterpret_cast<const char*>(Link().Notify(notify_code::kProgramFileName));
      file = common_dlg::DefaultHelpFile(directory ? directory : "", name ? name : "");
    }
    const DWORD attributes = ::GetFileAttributesA(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
    help_open_ = true;
    ::WinHelpA(window_, file.c_str(), call.command, call.data);
    return true;
  }

  CommonDlgProperties properties_;
  bool help_open_ = false;
};

void VisitCommonDlgTexts(CommonDlgProperties& p, const TextVisit& visit) {
  for (std::string* text : {&p.title, &p.file_name, &p.filter, &p.initial_dir, &p.default_ext, &p.font_name,
                            &p.help_file}) {
    visit.Text(*text);
  }
}

}  // namespace

namespace common_dlg {

HelpCall HelpCallFor(std::int32_t help_command, std::int32_t help_context) {
  const auto context = static_cast<ULONG_PTR>(static_cast<std::uint32_t>(help_context));
  switch (help_command) {
    case 1: return help_context != 0 ? HelpCall{HELP_CONTEXT, context, true} : HelpCall{};
    case 2: return help_context != 0 ? HelpCall{HELP_CONTEXTPOPUP, context, true} : HelpCall{};
    case 3: return {HELP_FORCEFILE, 0, true};
    case 4: return {HELP_HELPONHELP, 0, false};
    case 5: return {HELP_QUIT, 0, false};
    default: return {};
  }
}

std::string DefaultHelpFile(const std::string& program_directory_slash, const std::string& program_file_name) {
  std::string file = program_directory_slash + program_file_name;
  const std::size_t dot = file.rfind('.');
  const std::size_t slash = file.find_last_of("\\/");
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) file.resize(dot);
  return file + ".hlp";
}

}  // namespace common_dlg

UnitOperation CommonDlgInterface(std::int32_t code) {
  switch (code) {
    case unit_operation::kCreateUnit: return CreateOperation<CommonDlg, CoreLink>();
    case unit_operation::kVisitTexts: return VisitTextsOf<CommonDlgProperties, VisitCommonDlgTexts>();
    default: return SharedOperation(code);
  }
}

bool ShowDialog(UnitObject* unit) {
  auto* dialog = dynamic_cast<CommonDlg*>(unit);
  if (dialog == nullptr) return false;
  // The unit outlives the dialog even if its window goes while the dialog is open.
  ChildUnit::Guard guard(*dialog);
  return dialog->Show();
}

}  // namespace quarrow
