// The listener side of data binding, against the test provider: lookup by name, showing the provider's values
// without events, read-only state, collecting edits, re-binding, and a provider that goes away.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win/test_provider.h"
#include "tests/win/unit_test_support.h"
#include "units/check_box_properties.h"
#include "units/edit_box_properties.h"
#include "units/list_box_properties.h"
#include "base/unit_interface.h"
#include "units/unit_properties.h"

namespace quarrow::testing {
namespace {

namespace w = unit_window;
namespace u = unit_id;
namespace t = unit_tag;
constexpr std::int32_t P(std::int32_t local) { return PropertyIndex(local); }

class DataBindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseWindows();
    ASSERT_TRUE(LoadAndActivate(w::kBinding));
    provider_ = static_cast<TestProvider*>(static_cast<ChildUnit*>(UnitObjectOf(w::kBinding, u::kProvider)));
    ASSERT_NE(provider_, nullptr);
    edit_ = UnitWindow(w::kBinding, u::kBoundEdit);
    check_ = UnitWindow(w::kBinding, u::kBoundCheck);
    list_ = UnitWindow(w::kBinding, u::kBoundList);
    HandlerCalls().clear();
  }
  void TearDown() override { CloseWindows(); }

  static HWND ProviderWindowOf(HWND unit) {
    return reinterpret_cast<HWND>(::SendMessageA(unit, unit_message::kProviderWindow, 0, 0));
  }

  TestProvider* provider_ = nullptr;
  HWND edit_ = nullptr;
  HWND check_ = nullptr;
  HWND list_ = nullptr;
};

TEST_F(DataBindingTest, UnitsFindTheProviderByNameAndOthersFindNone) {
  HWND provider = UnitWindow(w::kBinding, u::kProvider);
  EXPECT_EQ(ProviderWindowOf(edit_), provider);
  EXPECT_EQ(ProviderWindowOf(check_), provider);
  EXPECT_EQ(ProviderWindowOf(list_), provider);
  EXPECT_EQ(provider_->ListenerCount(), 3u);
  EXPECT_EQ(ProviderWindowOf(UnitWindow(w::kBinding, u::kUnboundEdit)), nullptr)
      << "a unit of that name that is no provider";
  EXPECT_FALSE(StyleOf(list_) & LBS_SORT) << "a bound list is not sorted";
  char first[16] = {};
  ::SendMessageA(list_, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
  EXPECT_STREQ(first, "甲");
}

TEST_F(DataBindingTest, ProviderValuesShowWithoutRaisingEvents) {
  provider_->SetValue("名称", "张三");
  provider_->SetValue("选中", "真");
  provider_->SetValue("地区", "乙");
  EXPECT_EQ(WindowText(edit_), "张三");
  EXPECT_EQ(::SendMessageA(check_, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(::SendMessageA(list_, LB_GETCURSEL, 0, 0), 1);
  provider_->MoveTo({{"名称", "李四"}, {"选中", "0"}, {"地区", "无"}});
  EXPECT_EQ(WindowText(edit_), "李四");
  EXPECT_EQ(::SendMessageA(check_, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(::SendMessageA(list_, LB_GETCURSEL, 0, 0), LB_ERR) << "no entry begins with the value";
  ASSERT_TRUE(PumpPostedMessages());
  EXPECT_TRUE(HandlerCalls().empty()) << "neither Changed, Clicked nor SelectionChanged";

  provider_->SetValue("其他", "x");
  EXPECT_EQ(WindowText(edit_), "李四") << "a change of another column leaves the box alone";
}

TEST_F(DataBindingTest, AReadOnlyProviderMakesTheBoxReadOnlyAndTheOthersDisabled) {
  provider_->SetReadOnly(true);
  EXPECT_TRUE(StyleOf(edit_) & ES_READONLY);
  EXPECT_FALSE(::IsWindowEnabled(check_));
  EXPECT_FALSE(::IsWindowEnabled(list_));
  provider_->SetReadOnly(false);
  EXPECT_FALSE(StyleOf(edit_) & ES_READONLY);
  EXPECT_TRUE(::IsWindowEnabled(check_));
  EXPECT_TRUE(::IsWindowEnabled(list_));
}

TEST_F(DataBindingTest, CollectingEditsWritesEachUnitsValueBack) {
  ASSERT_TRUE(FocusByClick(edit_));
  TypeKeys("abc");
  EXPECT_EQ(CallsOf(t::kBoundEditChanged), 3) << "typing still raises Changed";
  ClickCentre(check_);
  ::SendMessageA(list_, LB_SETCURSEL, 2, 0);
  provider_->Collect();
  EXPECT_EQ(provider_->Value("名称"), "abc");
  EXPECT_EQ(provider_->Value("选中"), "真");
  EXPECT_EQ(provider_->Value("地区"), "丙");
}

TEST_F(DataBindingTest, SettingTheNamesRebindsAndTheProvidersNoticeRebindsByName) {
  HWND unbound = UnitWindow(w::kBinding, u::kUnboundEdit);
  provider_->SetValue("名称", "王五");
  WriteText(w::kBinding, u::kUnboundEdit, P(edit_box::kDataSource), "数据源");
  EXPECT_EQ(ProviderWindowOf(unbound), UnitWindow(w::kBinding, u::kProvider));
  EXPECT_EQ(WindowText(unbound), "王五");
  EXPECT_EQ(provider_->ListenerCount(), 4u);
  WriteText(w::kBinding, u::kUnboundEdit, P(edit_box::kDataSource), "");
  EXPECT_EQ(ProviderWindowOf(unbound), nullptr);
  EXPECT_EQ(provider_->ListenerCount(), 3u);

  // A value changed without notice shows after the provider's notice names it.
  provider_->SetColumnValue("名称", "赵六");
  char other[] = "别的";
  ::SendMessageA(edit_, unit_message::kAllCreated, reinterpret_cast<WPARAM>(other), 0);
  EXPECT_EQ(WindowText(edit_), "王五");
  char name[] = "数据源";
  ::SendMessageA(edit_, unit_message::kAllCreated, reinterpret_cast<WPARAM>(name), 0);
  EXPECT_EQ(WindowText(edit_), "赵六");
  EXPECT_EQ(provider_->ListenerCount(), 3u) << "re-binding attaches once";
}

TEST_F(DataBindingTest, ARecreatedUnitBindsAgainAndTheOldOneLetsGo) {
  provider_->SetValue("名称", "孙七");
  WriteInt(w::kBinding, u::kBoundEdit, P(edit_box::kAlignment), 2);  // re-creates
  HWND fresh = UnitWindow(w::kBinding, u::kBoundEdit);
  ASSERT_NE(fresh, edit_);
  EXPECT_EQ(ProviderWindowOf(fresh), UnitWindow(w::kBinding, u::kProvider));
  EXPECT_EQ(provider_->ListenerCount(), 3u) << "the old box's listener went with it";
  EXPECT_EQ(WindowText(fresh), "孙七");
  provider_->SetValue("名称", "周八");
  EXPECT_EQ(WindowText(fresh), "周八");

  WriteInt(w::kBinding, u::kBoundList, P(list_box::kMultiSelect), 1);  // re-creates
  EXPECT_EQ(ProviderWindowOf(UnitWindow(w::kBinding, u::kBoundList)), UnitWindow(w::kBinding, u::kProvider));
  EXPECT_EQ(provider_->ListenerCount(), 3u);
  ASSERT_TRUE(PumpPostedMessages());
  EXPECT_TRUE(HandlerCalls().empty()) << "showing the values raised nothing";
}

TEST_F(DataBindingTest, AProviderThatGoesAwayLeavesItsListenersUnbound) {
  provider_->SetReadOnly(true);
  ::DestroyWindow(UnitWindow(w::kBinding, u::kProvider));
  Pump(30);
  EXPECT_EQ(ProviderWindowOf(edit_), nullptr);
  EXPECT_FALSE(StyleOf(edit_) & ES_READONLY);
  EXPECT_TRUE(::IsWindowEnabled(check_));
  WriteText(w::kBinding, u::kBoundEdit, P(edit_box::kText), "仍可用");
  EXPECT_EQ(WindowText(edit_), "仍可用");
  EXPECT_EQ(CallsOf(t::kBoundEditChanged), 1);
}

}  // namespace
}  // namespace quarrow::testing
