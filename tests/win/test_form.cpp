#include "tests/win/test_form.h"

namespace quarrow::testing {

namespace {

using forms::EventBinding;
using forms::UnitRecord;
using forms::WindowDescription;
using forms::WindowProperties;
namespace w = test_window;
namespace u = test_unit;

UnitRecord Box(std::uint32_t type, const std::string& caption, std::int32_t left, std::int32_t top,
               std::int32_t tab_order, bool default_button = false) {
  UnitRecord unit = ChildRecord(TestType(type), caption, left, top, 80, 22, tab_order);
  unit.properties = TestUnitBlock(caption, default_button);
  return unit;
}

WindowProperties Titled(const std::string& title) {
  WindowProperties p;
  p.title = title;
  return p;
}

WindowDescription Main() {
  UnitRecord window = WindowUnit(Titled("主窗口"), 5, 5, 400, 300);
  window.events = {On(0, tag::kCreated),   On(3, tag::kMoved),     On(4, tag::kResized),
                   On(12, tag::kAskClose), On(1, tag::kClosing),   On(2, tag::kDestroyed),
                   On(7, tag::kIdle),      On(5, tag::kActivated), On(8, tag::kFirstActivated)};
  UnitRecord a = Box(test_type::kBox, "甲", 10, 10, 1);
  a.events = {On(-9, tag::kKeyDown), On(-10, tag::kKeyUp),     On(-11, tag::kCharacter), On(-1, tag::kLeftDown),
              On(-12, tag::kWheel),  On(-7, tag::kGotFocus),   On(-2, tag::kLeftUp),
              On(-4, tag::kRightDown), On(-5, tag::kRightUp), On(-3, tag::kDoubleClick), On(-6, tag::kMouseMove)};
  a.tag = "标记甲";
  a.mouse_pointer = {0x89, 0x7F, 0, 0};  // the hand pointer's platform identifier, 32649
  UnitRecord e = Box(test_type::kBox, "戊", 10, 130, 5);
  e.event_source = u::kA;
  UnitRecord f = Box(test_type::kButton, "己", 10, 160, 6);
  f.event_source = u::kA;  // a unit of another type: its own table
  f.events = {On(-9, tag::kOwnKeyDown)};
  UnitRecord d = Box(test_type::kBox, "丁", 10, 100, 0);
  d.events = {On(-7, tag::kGotFocus)};
  return Window(w::kMain, {{kWindowRecordId, window},
                           {u::kA, a},
                           {u::kB, Box(test_type::kBox, "乙", 10, 40, 0)},
                           {u::kC, Box(test_type::kBox, "丙", 10, 70, 1)},
                           {u::kD, d},
                           {u::kE, e},
                           {u::kF, f}});
}

WindowDescription Simple(std::uint32_t id, const WindowProperties& properties,
                         std::vector<EventBinding> window_events = {}, std::uint32_t state = forms::state_flag::kVisible) {
  UnitRecord window = WindowUnit(properties, 20, 20, 240, 160, state);
  window.events = std::move(window_events);
  return Window(id, {{kWindowRecordId, window}, {u::kBox, Box(test_type::kBox, "框", 10, 10, 0)}});
}

}  // namespace

Bytes EngineTestForm() {
  forms::FormDescription form;
  form.windows.push_back(Main());

  WindowProperties escape_off = Titled("不关");
  escape_off.escape_closes = 0;
  form.windows.push_back(Simple(w::kEscapeOff, escape_off, {On(12, tag::kEscapeOffAskClose)}));
  form.windows.push_back(Simple(w::kKeepOpen, Titled("保持"),
                                {On(12, tag::kKeepAskClose), On(1, tag::kKeepClosing), On(2, tag::kKeepDestroyed)}));

  WindowDescription fails = Simple(w::kFails, Titled("失败"));
  fails.units.Append(u::kBroken, forms::EncodeUnitRecord(Box(test_type::kBroken, "坏", 10, 40, 1)));
  form.windows.push_back(fails);

  WindowDescription menu = Simple(w::kMenu, Titled("菜单"));
  forms::MenuItemRecord item;
  item.name = "菜单_文件";
  item.text = "文件(&F)";
  item.handler = HandlerOffset(tag::kMenuItem);
  menu.units.Append(u::kMenuItem, forms::EncodeUnitRecord(item));
  item.name = "菜单_隐藏";
  item.text = "隐藏";
  item.flags = 1;
  menu.units.Append(u::kHiddenMenuItem, forms::EncodeUnitRecord(item));
  form.windows.push_back(menu);

  WindowProperties no_task_bar = Titled("无任务栏");
  no_task_bar.show_in_task_bar = 0;
  form.windows.push_back(Simple(w::kNoTaskBar, no_task_bar));
  form.windows.push_back(Simple(w::kModal, Titled("模态")));

  {
    UnitRecord window = WindowUnit(Titled("默认"), 30, 30, 260, 180);
    UnitRecord yes = Box(test_type::kButton, "确定", 10, 40, 1, true);
    yes.events = {On(0, tag::kDefaultClick)};
    UnitRecord plain = Box(test_type::kButton, "其他", 10, 70, 2);
    plain.events = {On(0, tag::kPlainClick)};
    form.windows.push_back(Window(w::kDefault, {{kWindowRecordId, window},
                                                {u::kBox, Box(test_type::kBox, "框", 10, 10, 0)},
                                                {u::kDefaultButton, yes},
                                                {u::kPlainButton, plain}}));
  }
  {
    UnitRecord window = WindowUnit(Titled("助记"), 30, 30, 260, 180);
    UnitRecord label = Box(test_type::kLabel, "名称(&N)", 10, 10, 1);
    UnitRecord check = Box(test_type::kCheck, "选项(&K)", 10, 70, 3);
    check.events = {On(0, tag::kCheckClick)};
    UnitRecord button = Box(test_type::kButton, "执行(&E)", 100, 70, 4);
    button.events = {On(0, tag::kMnemonicButton)};
    UnitRecord radio = Box(test_type::kRadio, "单选(&R)", 100, 100, 5);
    radio.events = {On(0, tag::kMnemonicRadio)};
    form.windows.push_back(Window(w::kMnemonic, {{kWindowRecordId, window},
                                                 {u::kBox, Box(test_type::kBox, "首", 100, 10, 0)},
                                                 {u::kLabel, label},
                                                 {u::kBoxAfterLabel, Box(test_type::kBox, "名", 10, 40, 2)},
                                                 {u::kCheck, check},
                                                 {u::kMnemonicButton, button},
                                                 {u::kMnemonicRadio, radio}}));
  }
  {
    UnitRecord window = WindowUnit(Titled("单选"), 30, 30, 260, 180);
    UnitRecord r1 = Box(test_type::kRadio, "一", 10, 10, 0);
    r1.events = {On(0, tag::kRadio1)};
    UnitRecord r2 = Box(test_type::kRadio, "二", 10, 40, 1);
    r2.events = {On(0, tag::kRadio2)};
    UnitRecord r3 = Box(test_type::kRadio, "三", 10, 70, 2);
    r3.events = {On(0, tag::kRadio3)};
    form.windows.push_back(
        Window(w::kRadio, {{kWindowRecordId, window}, {u::kRadio1, r1}, {u::kRadio2, r2}, {u::kRadio3, r3}}));
  }
  {
    WindowDescription bad = Simple(w::kBadVersion, Titled("版本"));
    UnitRecord window = std::get<UnitRecord>(*forms::ParseUnitRecord(*bad.units.RecordAt(0)));
    window.properties[0] = 7;  // a block of a version the window type does not know
    WindowDescription rebuilt;
    rebuilt.id = w::kBadVersion;
    rebuilt.units.Append(kWindowRecordId, forms::EncodeUnitRecord(window));
    form.windows.push_back(rebuilt);
  }
  form.windows.push_back(Simple(w::kClosesItself, Titled("自关"),
                                {On(0, tag::kClosesItselfCreated), On(3, tag::kMoved), On(4, tag::kResized)}));
  {
    UnitRecord window = WindowUnit(Titled("静默"), 30, 30, 200, 100);
    form.windows.push_back(
        Window(w::kMute, {{kWindowRecordId, window}, {u::kMuteUnit, Box(test_type::kMute, "静", 10, 10, 0)}}));
  }
  form.windows.push_back(Simple(w::kHidden, Titled("隐藏"), {}, 0));
  for (std::int32_t n = 0; n <= 6; ++n) {
    WindowProperties p = Titled("边框");
    p.border_style = n;
    form.windows.push_back(Simple(w::kBorderBase + static_cast<std::uint32_t>(n), p));
  }
  WindowProperties no_caption;
  no_caption.control_box = 0;
  form.windows.push_back(Simple(w::kNoCaption, no_caption));
  WindowProperties draggable = Titled("拖动");
  draggable.drag_by_client_area = 1;
  draggable.start_position = 0;
  form.windows.push_back(Simple(w::kDraggable, draggable));

  WindowProperties minimised = Titled("最小");
  minimised.start_position = 2;
  form.windows.push_back(Simple(w::kMinimised, minimised));
  WindowProperties maximised = Titled("最大");
  maximised.start_position = 3;
  maximised.border_style = 1;
  form.windows.push_back(Simple(w::kMaximised, maximised));
  {
    WindowProperties p = Titled("布局");
    p.class_name = "QuarrowLayoutWindow";
    p.close_button = 0;
    p.always_on_top = 1;
    UnitRecord window = WindowUnit(p, 30, 30, 300, 220);
    UnitRecord container = Box(test_type::kBox, "容器", 10, 10, 0);
    container.width = 200;
    container.height = 100;
    container.page_list = {u::kOnFirstPage, 0, u::kOnSecondPage};
    UnitRecord first = Box(test_type::kBox, "页一", 5, 5, 1);
    first.parent = u::kContainer;
    UnitRecord second = Box(test_type::kBox, "页二", 5, 35, 2);
    second.parent = u::kContainer;
    UnitRecord invisible = Box(test_type::kBox, "不见", 10, 120, 3);
    invisible.state = forms::state_flag::kTabStop;
    UnitRecord disabled = Box(test_type::kBox, "禁用", 10, 150, 4);
    disabled.state = forms::state_flag::kVisible | forms::state_flag::kDisabled;
    form.windows.push_back(Window(w::kLayout, {{kWindowRecordId, window},
                                               {u::kContainer, container},
                                               {u::kOnFirstPage, first},
                                               {u::kOnSecondPage, second},
                                               {u::kInvisible, invisible},
                                               {u::kDisabled, disabled},
                                               {u::kUnshown, Box(test_type::kUnshown, "不显", 100, 120, 5)}}));
  }
  form.windows.push_back(Simple(w::kLifecycle, Titled("生命"),
                                {On(5, tag::kLifeActivated), On(6, tag::kLifeDeactivated), On(10, tag::kLifeShown),
                                 On(11, tag::kLifeHidden)}));
  {
    UnitRecord window = WindowUnit(Titled("预译"), 30, 30, 260, 180);
    window.events = {On(12, tag::kTranslatedAskClose)};
    UnitRecord box = Box(test_type::kBox, "框", 10, 10, 0);
    box.events = {On(-9, tag::kTranslatedKeyDown)};
    UnitRecord translator = Box(test_type::kTranslator, "译", 10, 40, 1);
    translator.events = {On(-9, tag::kEmptySlot)};
    form.windows.push_back(Window(w::kTranslated, {{kWindowRecordId, window},
                                                   {u::kBox, box},
                                                   {u::kTranslator, translator}}));
  }
  {
    UnitRecord window = WindowUnit(Titled("重载"), 30, 30, 260, 180);
    form.windows.push_back(Window(w::kReloads, {{kWindowRecordId, window},
                                                {u::kA, Box(test_type::kBox, "甲", 10, 10, 0)},
                                                {u::kB, Box(test_type::kBox, "乙", 10, 40, 1)},
                                                {u::kReloader, Box(test_type::kReloader, "载", 10, 70, 2)}}));
  }
  return forms::WriteFormDescription(form);
}

}  // namespace quarrow::testing
