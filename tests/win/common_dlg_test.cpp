// CommonDlg with the system's real dialogs: a watchdog finds each dialog, checks its title and file types, types a
// name and confirms or cancels; the unit's properties show what came back. Also its hidden window, its limits
// and its help requests.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include <atomic>
#include <cstring>
#include <utility>
#include <mutex>

#include "commands/core_facade.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/save_dialog.h"
#include "tests/support/modal_watchdog.h"
#include "tests/support/scratch_folder.h"
#include "tests/win/unit_command_support.h"
#include "units/common_dlg.h"
#include "units/common_dlg_properties.h"
#include "commands/core_unit_types.h"
#include "units/unit_properties.h"

namespace quarrow::testing {
namespace {

namespace w = uc_window;
namespace u = uc_unit;

constexpr std::int32_t P(std::int32_t local) { return PropertyIndex(local); }
constexpr int kFileTypeBox = 0x470;  // cmb1
constexpr int kFontFaceBox = 0x470;  // cmb1 of the font dialog
constexpr int kFontSizeBox = 0x472;  // cmb3

std::string LongPath(const std::string& path) {
  char buffer[MAX_PATH * 2] = {};
  const DWORD n = ::GetLongPathNameA(path.c_str(), buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : path;
}

bool SamePath(const std::string& a, const std::string& b) { return ::lstrcmpiA(LongPath(a).c_str(), LongPath(b).c_str()) == 0; }

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  const LRESULT count = ::SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[256] = {};
    ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    items.emplace_back(text);
  }
  return items;
}

// What a responder saw inside a dialog, written on the watchdog's thread.
struct DialogView {
  std::mutex mutex;
  std::string caption;
  std::vector<std::string> file_types;
  int selected_type = -1;
  std::string proposed_name;
  HWND owner = nullptr;
  std::atomic<int> questions{0};
  std::string question;

  void Record(HWND dialog, const SeenBox& seen) {
    std::lock_guard<std::mutex> lock(mutex);
    caption = seen.caption;
    file_types = ComboItems(::GetDlgItem(dialog, kFileTypeBox));
    selected_type = static_cast<int>(::SendDlgItemMessageA(dialog, kFileTypeBox, CB_GETCURSEL, 0, 0));
    proposed_name = e2e::ProposedFileName(dialog);
    owner = ::GetWindow(dialog, GW_OWNER);
  }
};

bool IsQuestion(HWND box) { return ::GetDlgItem(box, IDYES) != nullptr && ::GetDlgItem(box, IDNO) != nullptr; }

class CommonDlgUnit : public ::testing::Test {
 protected:
  void SetUp() override {
    // A file dialog moves the current folder to the one it shows: it comes back before the folder is removed.
    ::GetCurrentDirectoryA(sizeof test_folder_, test_folder_);
    ResetHandlers();
    CloseWindows();
    ASSERT_TRUE(LoadAndActivate(w::kDialogs));
    ASSERT_TRUE(scratch_.Made());
    directory_ = LongPath(scratch_.Path().substr(0, scratch_.Path().size() - 1));
    WriteText(w::kDialogs, u::kSaveDialog, P(common_dlg::kInitialDir), directory_);
  }
  void TearDown() override {
    CloseWindows();
    ::SetCurrentDirectoryA(test_folder_);
    for (const std::string& file : made_) ::DeleteFileA(file.c_str());
  }

  std::string MakeFile(const std::string& name) {
    const std::string path = directory_ + "\\" + name;
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);
    made_.push_back(path);
    return path;
  }

  bool Show(std::uint32_t unit) { return ShowDialog(UnitObjectOf(w::kDialogs, unit)); }
  std::string FileName(std::uint32_t unit = u::kSaveDialog) {
    return ReadText(w::kDialogs, unit, P(common_dlg::kFileName));
  }
  void Set(std::uint32_t unit, std::int32_t local, std::int32_t value) { WriteInt(w::kDialogs, unit, P(local), value); }

  // The dialog with this caption: its view is recorded, a name typed (unless empty) and the button pressed.
  void Answer(ModalWatchdog& watchdog, const std::string& caption, DialogView& view, const std::string& name,
              int button, int question_answer = IDNO) {
    watchdog.Expect(caption, [&view, name, button, question_answer](HWND box, const SeenBox& seen) {
      if (IsQuestion(box)) {
        {
          std::lock_guard<std::mutex> lock(view.mutex);
          view.question = seen.text;
        }
        ++view.questions;
        PressButton(box, question_answer);
        // Refused: the file dialog stays open; leave it.
        if (question_answer == IDNO) e2e::PressCancel(::GetWindow(box, GW_OWNER));
        return true;
      }
      view.Record(box, seen);
      if (!name.empty()) e2e::TypeFileName(box, name);
      PressButton(box, button);
      return true;
    });
  }

  // Types a name into the file dialog with this caption and confirms it. A message box that comes up is answered
  // with `answer` when it asks a question, else with OK; a file dialog that stays open after it is cancelled.
  // The boxes' texts are added to `messages`; returns what ShowDialog returned.
  bool Confirm(const std::string& caption, const std::string& name, int answer, std::vector<std::string>& messages) {
    std::mutex mutex;
    std::vector<std::string> seen_messages;
    ModalWatchdog watchdog;
    const ModalWatchdog::Responder respond = [&](HWND box, const SeenBox& seen) {
      if (e2e::FileNameBox(box) != nullptr) {
        e2e::TypeFileName(box, name);
        PressButton(box, IDOK);
        return true;
      }
      {
        std::lock_guard<std::mutex> lock(mutex);
        seen_messages.push_back(seen.text);
      }
      const bool question = IsQuestion(box);
      PressButton(box, question ? answer : IDOK);
      if (!question || answer != IDYES) e2e::PressCancel(::GetWindow(box, GW_OWNER));
      return true;
    };
    watchdog.Expect(caption, respond);
    // Wine's file dialogs report a refused name in a box without caption and ask their questions under "错误".
    watchdog.Expect("", respond);
    watchdog.Expect(e2e::kReplaceQuestionCaption, respond);
    const bool confirmed = Show(u::kSaveDialog);
    EXPECT_TRUE(watchdog.Unexpected().empty());
    std::lock_guard<std::mutex> lock(mutex);
    messages.insert(messages.end(), seen_messages.begin(), seen_messages.end());
    return confirmed;
  }

  static std::string CurrentFolder() {
    char now[MAX_PATH] = {};
    ::GetCurrentDirectoryA(sizeof now, now);
    return now;
  }

  char test_folder_[MAX_PATH] = {};
  ScratchFolder scratch_;  // the dialogs' folder, removed with what they saved there
  std::string directory_;
  std::vector<std::string> made_;
};

TEST_F(CommonDlgUnit, HasAHiddenWindowOfItsOwnClass) {
  HWND window = UnitWindow(w::kDialogs, u::kSaveDialog);
  ASSERT_NE(window, nullptr);
  char name[32] = {};
  ::GetClassNameA(window, name, sizeof name);
  EXPECT_STREQ(name, "_ZR_CommonDlg");
  EXPECT_EQ(::GetClassLongPtrA(window, GCL_STYLE), static_cast<ULONG_PTR>(CS_DBLCLKS));
  EXPECT_FALSE(::IsWindowVisible(window)) << "a unit without visible window is never shown";
  EXPECT_FALSE(::GetWindowLongPtrA(window, GWL_STYLE) & WS_BORDER);
  EXPECT_EQ(::GetWindowTextLengthA(window), 0);
  const UnitTypeEntry& type = kCoreUnitTypes[core_type::kCommonDlg - 1];
  EXPECT_STREQ(type.chinese_name, "通用对话框");
  EXPECT_STREQ(type.english_name, "CommonDlg");
  EXPECT_EQ(type.flags, 0x80008040u);
  EXPECT_EQ(type.property_count, 30u);
}

TEST_F(CommonDlgUnit, PropertiesAreStoredWithTheirLimitsAndNothingRecreates) {
  UnitObject* unit = UnitObjectOf(w::kDialogs, u::kPlainDialog);
  struct Case {
    std::int32_t local, value, stored;
  };
  for (const Case c : {Case{common_dlg::kDialogType, 7, 3}, Case{common_dlg::kDialogType, -2, 0},
                       Case{common_dlg::kHelpCommand, 9, 5}, Case{common_dlg::kHelpCommand, -1, 0},
                       Case{common_dlg::kFilterIndex, -3, 0}, Case{common_dlg::kFilterIndex, 4, 4},
                       Case{common_dlg::kFontSize, -5, 0}, Case{common_dlg::kFontSize, 11, 11},
                       Case{common_dlg::kHelpContext, -8, -8}, Case{common_dlg::kBold, 1, 1},
                       Case{common_dlg::kFileMustExist, 0, 0}}) {
    EXPECT_EQ(SetWordDirectly(w::kDialogs, u::kPlainDialog, c.local, static_cast<std::uint32_t>(c.value)), 0);
    EXPECT_EQ(ReadInt(w::kDialogs, u::kPlainDialog, P(c.local)), c.stored) << "local " << c.local;
  }
  WriteText(w::kDialogs, u::kPlainDialog, P(common_dlg::kTitle), "导出");
  WriteText(w::kDialogs, u::kPlainDialog, P(common_dlg::kFontName), "宋体");
  EXPECT_EQ(UnitObjectOf(w::kDialogs, u::kPlainDialog), unit);

  CommonDlgProperties saved;
  ASSERT_TRUE(saved.Load(SavedBlock(w::kDialogs, u::kPlainDialog)));
  EXPECT_EQ(saved.dialog_type, 0);
  EXPECT_EQ(saved.filter_index, 4);
  EXPECT_EQ(saved.font_size, 11);
  EXPECT_EQ(saved.help_context, -8);
  EXPECT_TRUE(saved.bold);
  EXPECT_FALSE(saved.file_must_exist);
  EXPECT_EQ(saved.title, "导出");
  EXPECT_EQ(saved.font_name, "宋体");
  EXPECT_TRUE(saved.overwrite_prompt) << "a default";

  CommonDlgProperties stored;
  ASSERT_TRUE(stored.Load(SavedBlock(w::kDialogs, u::kSaveDialog)));
  EXPECT_EQ(stored.dialog_type, common_dlg::kSaveFile);
  EXPECT_EQ(stored.default_ext, "txt");
}

TEST_F(CommonDlgUnit, ASaveDialogShowsItsFileTypesAndAddsTheDefaultExtension) {
  DialogView view;
  {
    ModalWatchdog watchdog;
    Answer(watchdog, "另存为", view, "地址", IDOK);
    EXPECT_TRUE(Show(u::kSaveDialog));
    EXPECT_TRUE(watchdog.Unexpected().empty());
  }
  EXPECT_TRUE(SamePath(FileName(), directory_ + "\\地址.txt")) << FileName();
  std::lock_guard<std::mutex> lock(view.mutex);
  EXPECT_EQ(view.caption, "另存为") << "no title of its own";
  EXPECT_EQ(view.file_types, (std::vector<std::string>{"文本文件 (*.txt)", "所有文件 (*.*)"}))
      << "the trimmed filter closed with || gives two types";
  EXPECT_EQ(view.selected_type, 0);
  EXPECT_EQ(view.owner, WindowOf(w::kDialogs)) << "owned by the active window";
  EXPECT_EQ(view.questions.load(), 0) << "a new file needs no question";
}

TEST_F(CommonDlgUnit, TheTitleAndTheFilterIndexReachTheDialog) {
  WriteText(w::kDialogs, u::kSaveDialog, P(common_dlg::kTitle), "导出地址");
  Set(u::kSaveDialog, common_dlg::kFilterIndex, 1);
  WriteText(w::kDialogs, u::kSaveDialog, P(common_dlg::kFilter), "文本文件 (*.txt)|*.txt|所有文件 (*.*)|*.*||");
  DialogView view;
  {
    ModalWatchdog watchdog;
    Answer(watchdog, "导出地址", view, "", IDCANCEL);
    EXPECT_FALSE(Show(u::kSaveDialog));
    EXPECT_TRUE(watchdog.Unexpected().empty());
  }
  std::lock_guard<std::mutex> lock(view.mutex);
  EXPECT_EQ(view.caption, "导出地址");
  EXPECT_EQ(view.file_types.size(), 2u) << "no second || is added";
  EXPECT_EQ(view.selected_type, 1) << "FilterIndex 1 preselects the second type";
  EXPECT_EQ(ReadInt(w::kDialogs, u::kSaveDialog, P(common_dlg::kFilterIndex)), 1);
}

TEST_F(CommonDlgUnit, CancellingLeavesTheFileNameAsItWas) {
  WriteText(w::kDialogs, u::kSaveDialog, P(common_dlg::kFileName), "原名.txt");
  DialogView view;
  {
    ModalWatchdog watchdog;
    Answer(watchdog, "另存为", view, "", IDCANCEL);
    EXPECT_FALSE(Show(u::kSaveDialog));
  }
  EXPECT_EQ(FileName(), "原名.txt");
  std::lock_guard<std::mutex> lock(view.mutex);
  EXPECT_EQ(view.proposed_name, "原名.txt") << "the initial name is offered";
}

TEST_F(CommonDlgUnit, ReplacingAFileIsAskedFirstWhenOverwritePromptIsOn) {
  const std::string existing = MakeFile("已有.txt");
  {
    DialogView refused;
    ModalWatchdog watchdog;
    Answer(watchdog, "另存为", refused, "已有", IDOK, IDNO);
    Answer(watchdog, "错误", refused, "", IDOK, IDNO);
    EXPECT_FALSE(Show(u::kSaveDialog)) << "refused, then cancelled";
    EXPECT_EQ(refused.questions.load(), 1);
    EXPECT_TRUE(FileName().empty());
  }
  {
    DialogView agreed;
    ModalWatchdog watchdog;
    Answer(watchdog, "另存为", agreed, "已有", IDOK, IDYES);
    Answer(watchdog, "错误", agreed, "", IDOK, IDYES);
    EXPECT_TRUE(Show(u::kSaveDialog));
    EXPECT_EQ(agreed.questions.load(), 1);
    EXPECT_TRUE(SamePath(FileName(), existing)) << FileName();
    std::lock_guard<std::mutex> lock(agreed.mutex);
    EXPECT_NE(agreed.question.find("已经存在"), std::string::npos) << agreed.question;
  }
}

TEST_F(CommonDlgUnit, WithoutOverwritePromptAnExistingFileIsTakenWithoutAsking) {
  const std::string existing = MakeFile("已有.txt");
  WriteInt(w::kDialogs, u::kSaveDialog, P(common_dlg::kOverwritePrompt), 0);
  DialogView view;
  ModalWatchdog watchdog;
  Answer(watchdog, "另存为", view, "已有", IDOK);
  EXPECT_TRUE(Show(u::kSaveDialog));
  EXPECT_EQ(view.questions.load(), 0);
  EXPECT_TRUE(watchdog.Unexpected().empty());
  EXPECT_TRUE(SamePath(FileName(), existing));
}

// The logical properties become the file dialog's flags: each is seen by what the dialog does with a name.
TEST_F(CommonDlgUnit, FileMustExistRefusesANameThatIsNotThere) {
  Set(u::kSaveDialog, common_dlg::kDialogType, common_dlg::kOpenFile);
  std::vector<std::string> messages;
  EXPECT_FALSE(Confirm("打开", "没有.txt", IDOK, messages));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("文件不存在"), std::string::npos) << messages[0];
  EXPECT_TRUE(FileName().empty());

  Set(u::kSaveDialog, common_dlg::kFileMustExist, 0);
  messages.clear();
  EXPECT_TRUE(Confirm("打开", "没有.txt", IDOK, messages));
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(SamePath(FileName(), directory_ + "\\没有.txt")) << FileName();
}

TEST_F(CommonDlgUnit, CreatePromptAsksBeforeTakingANameThatIsNotThere) {
  Set(u::kSaveDialog, common_dlg::kDialogType, common_dlg::kOpenFile);
  Set(u::kSaveDialog, common_dlg::kFileMustExist, 0);
  Set(u::kSaveDialog, common_dlg::kCreatePrompt, 1);
  std::vector<std::string> messages;
  EXPECT_FALSE(Confirm("打开", "新.txt", IDNO, messages)) << "refused, then cancelled";
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("创建"), std::string::npos) << messages[0];
  EXPECT_TRUE(FileName().empty());

  messages.clear();
  EXPECT_TRUE(Confirm("打开", "新.txt", IDYES, messages));
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_TRUE(SamePath(FileName(), directory_ + "\\新.txt")) << FileName();
}

TEST_F(CommonDlgUnit, PathMustExistRefusesAFolderThatIsNotThere) {
  std::vector<std::string> messages;
  EXPECT_FALSE(Confirm("另存为", "无此目录\\地址.txt", IDOK, messages));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("路径不存在"), std::string::npos) << messages[0];
  EXPECT_TRUE(FileName().empty());

  Set(u::kSaveDialog, common_dlg::kPathMustExist, 0);
  messages.clear();
  EXPECT_TRUE(Confirm("另存为", "无此目录\\地址.txt", IDOK, messages));
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(SamePath(FileName(), directory_ + "\\无此目录\\地址.txt")) << FileName();
}

TEST_F(CommonDlgUnit, NoChangeDirKeepsTheCurrentFolderWhereItWas) {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(sizeof temp, temp);
  ASSERT_TRUE(::SetCurrentDirectoryA(temp));
  const std::string elsewhere = CurrentFolder();
  std::vector<std::string> messages;

  Set(u::kSaveDialog, common_dlg::kNoChangeDir, 1);
  EXPECT_TRUE(Confirm("另存为", "地址", IDOK, messages));
  EXPECT_TRUE(SamePath(FileName(), directory_ + "\\地址.txt")) << "the dialog showed InitialDir";
  EXPECT_TRUE(SamePath(CurrentFolder(), elsewhere)) << CurrentFolder();

  Set(u::kSaveDialog, common_dlg::kNoChangeDir, 0);
  WriteText(w::kDialogs, u::kSaveDialog, P(common_dlg::kFileName), "");
  EXPECT_TRUE(Confirm("另存为", "地址", IDOK, messages));
  EXPECT_TRUE(SamePath(CurrentFolder(), directory_)) << "without it the folder follows the dialog";
  EXPECT_TRUE(messages.empty());
}

TEST_F(CommonDlgUnit, AnOpenDialogTakesAnExistingFile) {
  const std::string existing = MakeFile("已有.txt");
  Set(u::kSaveDialog, common_dlg::kDialogType, common_dlg::kOpenFile);
  DialogView view;
  ModalWatchdog watchdog;
  Answer(watchdog, "打开", view, "已有.txt", IDOK);
  EXPECT_TRUE(Show(u::kSaveDialog));
  EXPECT_TRUE(watchdog.Unexpected().empty());
  EXPECT_TRUE(SamePath(FileName(), existing));
}

TEST_F(CommonDlgUnit, TheOpenDialogCommandShowsTheDialogOfTheUnit) {
  const rt::UnitRef dialog = RefOf(w::kDialogs, u::kSaveDialog, core_type::kCommonDlg);
  {
    DialogView view;
    ModalWatchdog watchdog;
    Answer(watchdog, "另存为", view, "新", IDOK);
    EXPECT_TRUE(cmd::OpenDialog(dialog));
  }
  EXPECT_TRUE(SamePath(FileName(), directory_ + "\\新.txt"));
  {
    DialogView view;
    ModalWatchdog watchdog;
    Answer(watchdog, "另存为", view, "地址", IDCANCEL);
    EXPECT_FALSE(cmd::OpenDialog(dialog));
  }
  EXPECT_TRUE(SamePath(FileName(), directory_ + "\\新.txt"));
}

TEST_F(CommonDlgUnit, AFontDialogWithoutASizeLeavesTheSizeToTheUserAndReportsTheChoice) {
  Set(u::kPlainDialog, common_dlg::kDialogType, common_dlg::kFontDialog);
  WriteInt(w::kDialogs, u::kPlainDialog, P(common_dlg::kFontColor), 0x0000FF);
  WriteInt(w::kDialogs, u::kPlainDialog, P(common_dlg::kBold), 1);
  WriteText(w::kDialogs, u::kPlainDialog, P(common_dlg::kFontName), "DejaVu Sans");
  std::mutex mutex;
  int size_selected = -2;
  std::string face_shown;
  {
    ModalWatchdog watchdog;
    watchdog.Expect("字体", [&](HWND dialog, const SeenBox&) {
      {
        std::lock_guard<std::mutex> lock(mutex);
        size_selected = static_cast<int>(::SendDlgItemMessageA(dialog, kFontSizeBox, CB_GETCURSEL, 0, 0));
        face_shown = WindowText(::GetDlgItem(dialog, kFontFaceBox));
      }
      // Chosen as a click in the size list chooses it.
      HWND sizes = ::GetDlgItem(dialog, kFontSizeBox);
      ::SendMessageA(sizes, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("12"));
      ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFontSizeBox, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizes));
      PressButton(dialog, IDOK);
      return true;
    });
    EXPECT_TRUE(Show(u::kPlainDialog));
    EXPECT_TRUE(watchdog.Unexpected().empty());
  }
  {
    std::lock_guard<std::mutex> lock(mutex);
    EXPECT_EQ(size_selected, -1) << "FontSize 0 presets no size";
    EXPECT_EQ(face_shown, "DejaVu Sans") << "the dialog starts from the unit's font";
  }
  EXPECT_EQ(ReadInt(w::kDialogs, u::kPlainDialog, P(common_dlg::kFontSize)), 12);
  EXPECT_EQ(ReadText(w::kDialogs, u::kPlainDialog, P(common_dlg::kFontName)), "DejaVu Sans");
  EXPECT_EQ(ReadInt(w::kDialogs, u::kPlainDialog, P(common_dlg::kBold)), 1) << "kept from the preset weight";
  EXPECT_EQ(ReadInt(w::kDialogs, u::kPlainDialog, P(common_dlg::kFontColor)), 0x0000FF);

  // A preset size and effects reach the dialog and come back from it unchanged.
  WriteInt(w::kDialogs, u::kPlainDialog, P(common_dlg::kFontSize), 14);
  WriteInt(w::kDialogs, u::kPlainDialog, P(common_dlg::kUnderline), 1);
  std::string size_shown;
  {
    ModalWatchdog watchdog;
    watchdog.Expect("字体", [&](HWND dialog, const SeenBox&) {
      {
        std::lock_guard<std::mutex> lock(mutex);
        size_shown = WindowText(::GetDlgItem(dialog, kFontSizeBox));
      }
      PressButton(dialog, IDOK);
      return true;
    });
    EXPECT_TRUE(Show(u::kPlainDialog));
  }
  {
    std::lock_guard<std::mutex> lock(mutex);
    EXPECT_EQ(size_shown, "14");
  }
  EXPECT_EQ(ReadInt(w::kDialogs, u::kPlainDialog, P(common_dlg::kFontSize)), 14);
  EXPECT_EQ(ReadInt(w::kDialogs, u::kPlainDialog, P(common_dlg::kUnderline)), 1);
  EXPECT_EQ(ReadInt(w::kDialogs, u::kPlainDialog, P(common_dlg::kItalic)), 0);

  ModalWatchdog watchdog;
  watchdog.ExpectAndPress("字体", IDCANCEL);
  WriteInt(w::kDialogs, u::kPlainDialog, P(common_dlg::kFontSize), 30);
  EXPECT_FALSE(Show(u::kPlainDialog));
  EXPECT_EQ(ReadInt(w::kDialogs, u::kPlainDialog, P(common_dlg::kFontSize)), 30) << "cancelled: unchanged";
}

TEST_F(CommonDlgUnit, HelpForAMissingFileIsRefusedWithoutAMessage) {
  ModalWatchdog watchdog;
  Set(u::kPlainDialog, common_dlg::kDialogType, common_dlg::kHelp);
  WriteText(w::kDialogs, u::kPlainDialog, P(common_dlg::kHelpFile), directory_ + "\\没有.hlp");
  for (std::int32_t command : {0, 1, 2, 3}) {
    Set(u::kPlainDialog, common_dlg::kHelpCommand, command);
    EXPECT_FALSE(Show(u::kPlainDialog)) << "command " << command;
  }
  WriteText(w::kDialogs, u::kPlainDialog, P(common_dlg::kHelpFile), directory_);
  EXPECT_FALSE(Show(u::kPlainDialog)) << "a folder is no help file";
  WriteText(w::kDialogs, u::kPlainDialog, P(common_dlg::kHelpFile), "");
  EXPECT_FALSE(Show(u::kPlainDialog)) << "the program has no help file beside it";
  Set(u::kPlainDialog, common_dlg::kHelpCommand, 5);
  EXPECT_TRUE(Show(u::kPlainDialog)) << "closing help needs no file";
  ASSERT_TRUE(PumpPostedMessages());
  EXPECT_TRUE(watchdog.Seen().empty());
}

// Stands in for the help viewer: WinHelpA hands every request to the window of the class "MS_WINHELP" (starting
// the viewer only when there is none) as WM_COPYDATA with a packed request: a 16-bit size and command, a 32-bit
// data word and a reserved word, then 16-bit offsets of the file name and of extra data.
class HelpViewer {
 public:
  struct Request {
    UINT command;
    std::uint32_t data;
    std::string file;
    bool operator==(const Request&) const = default;
  };

  HelpViewer() {
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = Receive;
    window_class.hInstance = ::GetModuleHandleA(nullptr);
    window_class.lpszClassName = kClass;
    ::RegisterClassA(&window_class);
    window_ = ::CreateWindowExA(0, kClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, window_class.hInstance, this);
  }
  ~HelpViewer() {
    ::DestroyWindow(window_);
    ::UnregisterClassA(kClass, ::GetModuleHandleA(nullptr));
  }
  bool Ready() const { return window_ != nullptr; }
  std::vector<Request> Take() { return std::exchange(requests_, {}); }

 private:
  static constexpr char kClass[] = "MS_WINHELP";
  static constexpr ULONG_PTR kWinHelpData = 0xA1DE505;

  static LRESULT CALLBACK Receive(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
      ::SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams));
    }
    auto* viewer = reinterpret_cast<HelpViewer*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    if (message == WM_COPYDATA && viewer != nullptr && copy->dwData == kWinHelpData && copy->cbData >= 16) {
      const auto* bytes = static_cast<const std::uint8_t*>(copy->lpData);
      std::uint16_t command, file_offset;
      std::uint32_t data;
      std::memcpy(&command, bytes + 2, 2);
      std::memcpy(&data, bytes + 4, 4);
      std::memcpy(&file_offset, bytes + 12, 2);
      std::string file;
      if (file_offset != 0 && file_offset < copy->cbData) {
        const char* name = reinterpret_cast<const char*>(bytes + file_offset);
        file.assign(name, ::strnlen(name, copy->cbData - file_offset));
      }
      viewer->requests_.push_back({command, data, file});
      return TRUE;
    }
    return ::DefWindowProcA(window, message, wparam, lparam);
  }

  HWND window_ = nullptr;
  std::vector<Request> requests_;
};

TEST_F(CommonDlgUnit, HelpRequestsReachTheHelpViewerAndCloseWithTheWindow) {
  ModalWatchdog watchdog;
  HelpViewer viewer;
  ASSERT_TRUE(viewer.Ready());
  using Request = HelpViewer::Request;
  const std::string help_file = MakeFile("地址.hlp");
  Set(u::kPlainDialog, common_dlg::kDialogType, common_dlg::kHelp);
  WriteText(w::kDialogs, u::kPlainDialog, P(common_dlg::kHelpFile), help_file);
  Set(u::kPlainDialog, common_dlg::kHelpContext, 7);
  const std::vector<Request> with_topic = {{HELP_FINDER, 0, help_file},
                                           {HELP_CONTEXT, 7, help_file},
                                           {HELP_CONTEXTPOPUP, 7, help_file},
                                           {HELP_FORCEFILE, 0, help_file}};
  for (std::int32_t command = 0; command <= 3; ++command) {
    Set(u::kPlainDialog, common_dlg::kHelpCommand, command);
    EXPECT_TRUE(Show(u::kPlainDialog)) << "command " << command;
    EXPECT_EQ(viewer.Take(), std::vector<Request>{with_topic[static_cast<std::size_t>(command)]}) << command;
  }
  Set(u::kPlainDialog, common_dlg::kHelpContext, 0);
  Set(u::kPlainDialog, common_dlg::kHelpCommand, 2);
  EXPECT_TRUE(Show(u::kPlainDialog));
  EXPECT_EQ(viewer.Take(), (std::vector<Request>{{HELP_FINDER, 0, help_file}})) << "no topic: the contents";
  Set(u::kPlainDialog, common_dlg::kHelpCommand, 4);
  EXPECT_TRUE(Show(u::kPlainDialog));
  EXPECT_EQ(viewer.Take(), (std::vector<Request>{{HELP_HELPONHELP, 0, ""}})) << "help on help names no file";

  // Help opened by the unit closes when its window closes; help closed by the program is not closed again.
  CloseWindows();
  EXPECT_EQ(viewer.Take(), (std::vector<Request>{{HELP_QUIT, 0, ""}}));
  ASSERT_TRUE(LoadAndActivate(w::kDialogs));
  Set(u::kPlainDialog, common_dlg::kDialogType, common_dlg::kHelp);
  WriteText(w::kDialogs, u::kPlainDialog, P(common_dlg::kHelpFile), help_file);
  EXPECT_TRUE(Show(u::kPlainDialog));
  Set(u::kPlainDialog, common_dlg::kHelpCommand, 5);
  EXPECT_TRUE(Show(u::kPlainDialog));
  EXPECT_EQ(viewer.Take(), (std::vector<Request>{{HELP_FINDER, 0, help_file}, {HELP_QUIT, 0, ""}}));
  CloseWindows();
  EXPECT_TRUE(viewer.Take().empty());
  EXPECT_TRUE(watchdog.Seen().empty());
}

TEST_F(CommonDlgUnit, HelpWithoutAFileNameUsesTheProgramsNameWithTheHelpExtension) {
  HelpViewer viewer;
  ASSERT_TRUE(viewer.Ready());
  char program[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, program, sizeof program);
  std::string help_file = program;
  help_file.replace(help_file.rfind('.'), std::string::npos, ".hlp");
  HANDLE file = ::CreateFileA(help_file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << help_file;
  ::CloseHandle(file);
  made_.push_back(help_file);
  Set(u::kPlainDialog, common_dlg::kDialogType, common_dlg::kHelp);
  EXPECT_TRUE(Show(u::kPlainDialog));
  const std::vector<HelpViewer::Request> requests = viewer.Take();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].command, static_cast<UINT>(HELP_FINDER));
  EXPECT_TRUE(SamePath(requests[0].file, help_file)) << requests[0].file;
}

TEST(CommonDlgHelp, CommandsMapToWinHelpRequests) {
  using common_dlg::HelpCallFor;
  EXPECT_EQ(HelpCallFor(0, 7).command, static_cast<UINT>(HELP_FINDER));
  EXPECT_EQ(HelpCallFor(1, 7).command, static_cast<UINT>(HELP_CONTEXT));
  EXPECT_EQ(HelpCallFor(1, 7).data, 7u);
  EXPECT_EQ(HelpCallFor(1, 0).command, static_cast<UINT>(HELP_FINDER)) << "no topic: the contents";
  EXPECT_EQ(HelpCallFor(1, 0).data, 0u);
  EXPECT_EQ(HelpCallFor(2, 9).command, static_cast<UINT>(HELP_CONTEXTPOPUP));
  EXPECT_EQ(HelpCallFor(2, 9).data, 9u);
  EXPECT_EQ(HelpCallFor(2, 0).command, static_cast<UINT>(HELP_FINDER));
  EXPECT_EQ(HelpCallFor(3, 9).command, static_cast<UINT>(HELP_FORCEFILE));
  EXPECT_EQ(HelpCallFor(3, 9).data, 0u);
  for (int command : {0, 1, 2, 3}) EXPECT_TRUE(HelpCallFor(command, 1).names_file);
  EXPECT_EQ(HelpCallFor(4, 9).command, static_cast<UINT>(HELP_HELPONHELP));
  EXPECT_FALSE(HelpCallFor(4, 9).names_file);
  EXPECT_EQ(HelpCallFor(5, 9).command, static_cast<UINT>(HELP_QUIT));
  EXPECT_FALSE(HelpCallFor(5, 9).names_file);

  EXPECT_EQ(common_dlg::DefaultHelpFile("C:\\程序\\", "地址.exe"), "C:\\程序\\地址.hlp");
  EXPECT_EQ(common_dlg::DefaultHelpFile("C:\\a.b\\", "prog"), "C:\\a.b\\prog.hlp");
  EXPECT_EQ(common_dlg::DefaultHelpFile("", "x.y.exe"), "x.y.hlp");
}

TEST(CommonDlgBlock, VisitTextsHandsOverEveryText) {
  CommonDlgProperties p;
  p.title = "t";
  p.file_name = "f";
  p.filter = "r";
  p.initial_dir = "i";
  p.default_ext = "d";
  p.font_name = "n";
  p.help_file = "h";
  Bytes block;
  EXPECT_EQ(VisitTexts(kCoreUnitTypes[core_type::kCommonDlg - 1].unit_interface, p.Save(), nullptr, &block),
            (SeenTexts{{"t", 0}, {"f", 0}, {"r", 0}, {"i", 0}, {"d", 0}, {"n", 0}, {"h", 0}}));
  EXPECT_FALSE(block.empty()) << "the block is given back";
}

}  // namespace
}  // namespace quarrow::testing
