// "导出到文件" as a user uses it: rows generated in the window, the system's save dialog answered from outside,
// and the file on disk compared byte for byte with what the list shows. Then the export under faults: a file that
// cannot be written, a folder that vanishes while the dialog asks, a Chinese path, and a program ended in the
// middle of writing a long export. In every case the file holds either its old bytes or the whole new export, and
// a failure is shown to the user.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/driver/quarrow_session.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/save_dialog.h"
#include "tests/support/modal_watchdog.h"
#include "tests/support/scratch_folder.h"

namespace quarrow::e2e {
namespace {

using testing::FileBytes;
using testing::NamesIn;
using testing::PutFile;
using testing::SeenBox;
using testing::ScratchFolder;
using Rows = std::vector<std::vector<std::string>>;
using Names = std::vector<std::string>;

constexpr char kFailureCaption[] = "Quarrow";
constexpr char kFailureLead[] = "无法写入文件：";
constexpr char kTemporaryPattern[] = "~qrw*";

std::string DesktopFolder() {
  char path[MAX_PATH] = {};
  if (!::SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE)) return {};
  return std::string(path) + "\\";
}

// ---- What the file must hold

// The rows as the list shows them, one line each: number, address, CR LF.
std::string ExportOf(const Rows& rows) {
  std::string bytes;
  for (const auto& row : rows) bytes += row[0] + row[1] + "\r\n";
  return bytes;
}

// True when the bytes are a whole export of one generate run of `count` rows in auto mode: lines "1" to the
// count, each with an auto address, each ended by CR LF, nothing after the last.
bool IsWholeAutoExport(std::string_view bytes, int count) {
  for (int row = 1; row <= count; ++row) {
    const std::size_t end = bytes.find("\r\n");
    if (end == std::string_view::npos) return false;
    const std::string number = std::to_string(row);
    const std::string_view line = bytes.substr(0, end);
    if (line.substr(0, number.size()) != number || !IsAutoAddress(std::string(line.substr(number.size())))) {
      return false;
    }
    bytes.remove_prefix(end + 2);
  }
  return bytes.empty();
}

// ---- Answers to the program's boxes, given in the order the test queued them

using Answer = std::function<void(HWND box, const SeenBox& seen)>;

class AnswerQueue {
 public:
  void Push(Answer answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    answers_.push_back(std::move(answer));
  }
  // Answers a box with the next queued answer; false when none is left, and the watchdog then dismisses the box
  // and reports it as unexpected.
  bool Take(HWND box, const SeenBox& seen) {
    Answer answer;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (answers_.empty()) return false;
      answer = std::move(answers_.front());
      answers_.pop_front();
    }
    answer(box, seen);
    return true;
  }
  std::size_t Left() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return answers_.size();
  }

 private:
  mutable std::mutex mutex_;
  std::deque<Answer> answers_;
};

// In the save dialog: note what it proposes, type the name, press Save.
Answer SaveAs(const std::string& name, std::string* proposed = nullptr) {
  return [name, proposed](HWND dialog, const SeenBox&) {
    if (proposed) *proposed = ProposedFileName(dialog);
    TypeFileName(dialog, name);
    PressSave(dialog);
  };
}

// In the save dialog: type the name, then think better of it.
Answer TypeAndCancel(const std::string& name) {
  return [name](HWND dialog, const SeenBox&) {
    TypeFileName(dialog, name);
    PressCancel(dialog);
  };
}

Answer Press(int button, SeenBox* seen_out = nullptr) {
  return [button, seen_out](HWND box, const SeenBox& seen) {
    if (seen_out) *seen_out = seen;
    testing::PressButton(box, button);
  };
}

// The replace question answered No, and then the save dialog behind it cancelled.
Answer RefuseAndCancel() {
  return [](HWND box, const SeenBox&) {
    HWND dialog = ::GetWindow(box, GW_OWNER);
    testing::PressButton(box, IDNO);
    WaitUntil([&] { return !::IsWindow(box); }, 5000);
    PressCancel(dialog);
  };
}

// The failure box: its text and owner noted, then closed.
struct FailureBox {
  std::string text;
  HWND owner = nullptr;
};
Answer Acknowledge(FailureBox* box_out) {
  return [box_out](HWND box, const SeenBox& seen) {
    box_out->text = seen.text;
    box_out->owner = ::GetWindow(box, GW_OWNER);
    testing::PressButton(box, IDOK);
  };
}

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session_.Started()) << "quarrow.exe did not show its window";
    for (HWND control : {session_.CountBox(), session_.GenerateButton(), session_.ResultList(),
                         session_.ExportButton()}) {
      ASSERT_NE(control, nullptr) << "a control is missing from the window";
    }
    AnswerBoxesOf(session_);
  }

  void TearDown() override {
    EXPECT_EQ(dialogs_.Left(), 0u) << "a save dialog the test expected did not open";
    EXPECT_EQ(questions_.Left(), 0u) << "a question the test expected was not asked";
    EXPECT_EQ(failures_.Left(), 0u) << "a failure the test expected was not shown";
    if (!session_.Running()) return;  // ended by the test itself
    for (const SeenBox& box : session_.Watchdog().Unexpected()) {
      ADD_FAILURE() << "an unexpected box \"" << box.caption << "\": " << box.text;
    }
    EXPECT_EQ(session_.Close(), 0u) << "the program ends with 0 when its window is closed";
  }

  // The boxes of this session's program are answered from the test's queues.
  void AnswerBoxesOf(QuarrowSession& session) {
    session.Watchdog().Expect(kSaveDialogTitle, [this](HWND box, const SeenBox& seen) {
      return dialogs_.Take(box, seen);
    });
    session.Watchdog().Expect(kReplaceQuestionCaption, [this](HWND box, const SeenBox& seen) {
      return questions_.Take(box, seen);
    });
    session.Watchdog().Expect(kFailureCaption, [this](HWND box, const SeenBox& seen) {
      return failures_.Take(box, seen);
    });
  }

  Rows GenerateRows(QuarrowSession& session, int count) {
    const int before = ListViewRowCount(session.ResultList());
    session.Generate(std::to_string(count));
    EXPECT_TRUE(session.WaitForRows(before + count)) << "the rows did not come";
    EXPECT_TRUE(session.WaitUntilIdle());
    return session.Rows();
  }
  Rows GenerateRows(int count) { return GenerateRows(session_, count); }

  // Clicks "导出到文件" and waits until the program is done with it: the save dialog and every box after it
  // answered from the queues, the click handler returned.
  void Export(QuarrowSession& session) {
    const std::size_t seen = session.Watchdog().Seen().size();
    ClickCentre(session.ExportButton());
    ASSERT_TRUE(WaitUntil([&] { return session.Watchdog().Seen().size() > seen; }, 15000)) << "no dialog opened";
    ASSERT_TRUE(session.WaitUntilIdle()) << "the program did not come back from the export";
  }
  void Export() { Export(session_); }

  // A scratch folder that outlives the test's program, whose current folder the save dialog moves into it.
  const ScratchFolder& NewFolder(const std::string& suffix = "") {
    return *folders_.emplace_back(std::make_unique<ScratchFolder>(suffix));
  }

  std::vector<std::unique_ptr<ScratchFolder>> folders_;
  QuarrowSession session_;
  AnswerQueue dialogs_, questions_, failures_;
};

// ---- The export as the user sees it

TEST_F(ExportTest, WritesEachRowAsItsNumberAndAddressThenCrLfIntoANameTypedOnTheDesktop) {
  const Rows rows = GenerateRows(5);
  ASSERT_EQ(rows.size(), 5u);
  const std::string desktop = DesktopFolder();
  ASSERT_FALSE(desktop.empty());
  const std::string name = "quarrow-export-test-" + std::to_string(::GetCurrentProcessId());
  const std::string path = desktop + name + ".txt";
  ::DeleteFileA(path.c_str());

  std::string proposed = "(not read)";
  dialogs_.Push(SaveAs(name, &proposed));
  Export();
  const auto bytes = FileBytes(path);
  ::DeleteFileA(path.c_str());

  EXPECT_EQ(proposed, "") << "the first export proposes no name";
  ASSERT_TRUE(bytes) << "a bare name is saved in the desktop folder, with the extension \".txt\" added";
  EXPECT_EQ(*bytes, ExportOf(rows));
  // Its shape on its own: GBK lines without a byte-order mark, each ended by CR LF, no zero byte anywhere.
  EXPECT_EQ(bytes->substr(0, 1), "1") << "no byte-order mark";
  EXPECT_EQ(std::count(bytes->begin(), bytes->end(), '\0'), 0) << "no terminating zero";
  EXPECT_TRUE(IsWholeAutoExport(*bytes, 5)) << *bytes;
}

TEST_F(ExportTest, AnEmptyListGivesAnEmptyFile) {
  const ScratchFolder& folder = NewFolder();
  ASSERT_TRUE(PutFile(folder / "empty.txt", "old bytes"));
  dialogs_.Push(SaveAs(folder / "empty.txt"));
  questions_.Push(Press(IDYES));
  Export();
  EXPECT_EQ(FileBytes(folder / "empty.txt"), "");
  EXPECT_EQ(NamesIn(folder.Path()), Names{"empty.txt"});
}

TEST_F(ExportTest, CancellingLeavesAnExistingFileUntouched) {
  const ScratchFolder& folder = NewFolder();
  const std::string path = folder / "keep.txt";
  ASSERT_TRUE(PutFile(path, "the old bytes\r\n"));
  GenerateRows(2);

  dialogs_.Push(TypeAndCancel(path));
  Export();
  EXPECT_EQ(FileBytes(path), "the old bytes\r\n");

  // Saving onto it, then answering No to the question and cancelling, keeps it too.
  dialogs_.Push(SaveAs(path));
  questions_.Push(RefuseAndCancel());
  Export();
  EXPECT_EQ(FileBytes(path), "the old bytes\r\n");
  EXPECT_EQ(NamesIn(folder.Path()), Names{"keep.txt"});
}

TEST_F(ExportTest, ExportingTwiceToOneNameProposesItAsksAndKeepsOnlyTheSecondContent) {
  const ScratchFolder& folder = NewFolder();
  const std::string path = folder / "twice.txt";
  const Rows first = GenerateRows(3);
  dialogs_.Push(SaveAs(path));
  Export();
  ASSERT_EQ(FileBytes(path), ExportOf(first));

  const Rows second = GenerateRows(2);
  ASSERT_EQ(second.size(), 5u);
  std::string proposed;
  SeenBox question;
  dialogs_.Push([&](HWND dialog, const SeenBox&) {
    proposed = ProposedFileName(dialog);
    PressSave(dialog);  // the proposed name, as it stands
  });
  questions_.Push(Press(IDYES, &question));
  Export();
  // The dialog opens in the folder of the name chosen the first time and proposes the name in it.
  EXPECT_EQ(proposed, "twice.txt");
  EXPECT_NE(question.text.find("替换"), std::string::npos) << "the question is whether to replace the file";
  EXPECT_EQ(FileBytes(path), ExportOf(second)) << "the second content only, not appended";
  EXPECT_EQ(NamesIn(folder.Path()), Names{"twice.txt"});
}

// ---- Faults: the old bytes stay, or the new ones are complete; a failure is shown

TEST_F(ExportTest, AReadOnlyFileStaysAsItWasAndTheUserIsTold) {
  const ScratchFolder& folder = NewFolder();
  const std::string path = folder / "readonly.txt";
  ASSERT_TRUE(PutFile(path, "read-only bytes"));
  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  GenerateRows(2);

  FailureBox box;
  dialogs_.Push(SaveAs(path));
  questions_.Push(Press(IDYES));
  failures_.Push(Acknowledge(&box));
  Export();
  EXPECT_EQ(box.text.rfind(kFailureLead + path + "\r\n", 0), 0u) << box.text;
  EXPECT_GT(box.text.size(), std::string(kFailureLead).size() + path.size() + 2) << "with the system's reason";
  EXPECT_EQ(box.owner, session_.Window()) << "over the program's window";
  EXPECT_EQ(FileBytes(path), "read-only bytes");
  EXPECT_TRUE(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(NamesIn(folder.Path()), Names{"readonly.txt"});
}

TEST_F(ExportTest, AFileAnotherProgramHoldsOpenStaysAsItWasAndTheUserIsTold) {
  const ScratchFolder& folder = NewFolder();
  const std::string path = folder / "busy.txt";
  ASSERT_TRUE(PutFile(path, "held bytes"));
  GenerateRows(2);
  // This test program holds it, open for reading and writing and shared with no one.
  const HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);

  FailureBox box;
  dialogs_.Push(SaveAs(path));
  questions_.Push(Press(IDYES));
  failures_.Push(Acknowledge(&box));
  Export();
  ::CloseHandle(held);
  EXPECT_EQ(box.text.rfind(kFailureLead + path + "\r\n", 0), 0u) << box.text;
  EXPECT_EQ(FileBytes(path), "held bytes");
  EXPECT_EQ(NamesIn(folder.Path()), Names{"busy.txt"}) << "no temporary file left";
}

// The folder goes while the dialog asks whether to replace the file in it: the dialog has checked the path, the
// program has not written yet.
TEST_F(ExportTest, AFolderRemovedBeforeTheWriteGetsNoFileAndTheUserIsTold) {
  const ScratchFolder& folder = NewFolder();
  const std::string subfolder = folder / "vanishing";
  const std::string path = subfolder + "\\gone.txt";
  ASSERT_TRUE(::CreateDirectoryA(subfolder.c_str(), nullptr));
  ASSERT_TRUE(PutFile(path, "old"));
  GenerateRows(2);

  bool removed = false;
  DWORD remove_error = 0;
  FailureBox box;
  dialogs_.Push(SaveAs(path));
  questions_.Push([&](HWND question, const SeenBox&) {
    removed = ::DeleteFileA(path.c_str()) && ::RemoveDirectoryA(subfolder.c_str());
    remove_error = removed ? 0 : ::GetLastError();
    testing::PressButton(question, IDYES);
  });
  failures_.Push(Acknowledge(&box));
  Export();
  ASSERT_TRUE(removed) << "the folder could not be removed while the dialog was open: error " << remove_error;
  EXPECT_EQ(box.text.rfind(kFailureLead + path + "\r\n", 0), 0u) << box.text;
  EXPECT_EQ(::GetFileAttributesA(subfolder.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing re-created";
  EXPECT_EQ(NamesIn(folder.Path()), Names{});
}

TEST_F(ExportTest, AChinesePathGetsTheWholeExport) {
  // "乗" is 81 5C in GBK: a trail byte with a backslash's code, in the folder's name and in the file's.
  const ScratchFolder& folder = NewFolder("-导出乗");
  const std::string name = "地址列表乗.txt";
  const Rows rows = GenerateRows(4);
  dialogs_.Push(SaveAs(folder / name));
  Export();
  EXPECT_EQ(FileBytes(folder / name), ExportOf(rows));
  EXPECT_EQ(NamesIn(folder.Path()), Names{name});
}

// The program is ended, as the task manager would end it, while it writes an export of 99,999 rows over an
// existing file. Whatever moment the end comes, the file holds its old bytes or the whole export; a temporary
// file it may leave is removed by the next export to that file. Generating the rows takes minutes under Wine, so
// this case runs as a test of its own.
using LongExportTest = ExportTest;

TEST_F(LongExportTest, EndedWhileWritingLeavesTheOldFileOrTheWholeNewOne) {
  constexpr int kRows = 99999;
  const ScratchFolder& folder = NewFolder();
  const std::string path = folder / "long.txt";
  std::string old;
  for (int i = 0; i < 20000; ++i) old += "an older export, line " + std::to_string(i) + "\r\n";
  ASSERT_TRUE(PutFile(path, old));

  session_.Generate(std::to_string(kRows));
  ASSERT_TRUE(session_.WaitForRows(kRows, 1800000)) << "99,999 rows did not come in time";
  ASSERT_TRUE(session_.WaitUntilIdle(60000));

  dialogs_.Push(SaveAs(path));
  questions_.Push(Press(IDYES));
  ClickCentre(session_.ExportButton());
  // The program's temporary file appears when the write begins: end the program right then.
  const bool caught = WaitUntil(
      [&] {
        for (int spin = 0; spin < 2000; ++spin) {
          if (!NamesIn(folder.Path(), kTemporaryPattern).empty()) return true;
        }
        return false;
      },
      120000);
  session_.Kill();
  const Names leftovers = NamesIn(folder.Path(), kTemporaryPattern);
  const auto after = FileBytes(path);
  ASSERT_TRUE(after) << "the file is gone";
  const bool old_intact = *after == old;
  const bool whole_export = !old_intact && IsWholeAutoExport(*after, kRows);
  EXPECT_TRUE(old_intact || whole_export) << "the file holds " << after->size() << " bytes of neither";
  std::printf("  ended %s the write: the file holds %s; %zu temporary file(s) left\n",
              caught ? "during" : "after waiting for", old_intact ? "its old bytes" : "the whole new export",
              leftovers.size());

  // The next export to the same file removes what the ended one left.
  QuarrowSession next;
  ASSERT_TRUE(next.Started());
  AnswerBoxesOf(next);
  const Rows rows = GenerateRows(next, 2);
  dialogs_.Push(SaveAs(path));
  questions_.Push(Press(IDYES));
  Export(next);
  EXPECT_EQ(FileBytes(path), ExportOf(rows));
  EXPECT_EQ(NamesIn(folder.Path()), Names{"long.txt"}) << "no temporary file left";
  EXPECT_TRUE(next.Watchdog().Unexpected().empty());
  EXPECT_EQ(next.Close(), 0u);
}

}  // namespace
}  // namespace quarrow::e2e
