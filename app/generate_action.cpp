#include "app/generate_action.h"

#include "app/address.h"
#include "app/constants.h"
#include "app/window_units.h"
#include "commands/core_facade.h"
#include "units/check_box_properties.h"
#include "units/edit_box_properties.h"
#include "units/label_properties.h"
#include "units/list_view_facade.h"
#include "units/process_bar_properties.h"
#include "units/unit_properties.h"

namespace quarrow::app {

namespace {

constexpr std::int32_t kText = PropertyIndex(edit_box::kText);
constexpr std::int32_t kCaption = PropertyIndex(label::kText);
constexpr std::int32_t kChecked = PropertyIndex(check_box::kChecked);
constexpr std::int32_t kBarMaximum = PropertyIndex(process_bar::kMaximum);
constexpr std::int32_t kBarPosition = PropertyIndex(process_bar::kPosition);

// The bar's range stops at 32767; beyond that its position is scaled to the count, so that the bar ends full.
std::int32_t BarPosition(std::int32_t row, std::int32_t count, std::int32_t bar_maximum) {
  if (count <= bar_maximum) return row;
  return static_cast<std::int32_t>(static_cast<std::int64_t>(row) * bar_maximum / count);
}

void ShowProgress(std::int32_t row, std::int32_t count) {
  const std::int32_t bar_maximum = rt::ReadInt(units::kProgressBar, kBarMaximum);
  rt::WriteInt(units::kProgressBar, kBarPosition, BarPosition(row, count, bar_maximum));
  // Computed from the count rather than the bar's clamped maximum: the label ends at exactly "100.0%".
  const rt::Text percent = cmd::NumberToFormattedText(row / static_cast<double>(count) * kConstants.hundred, 1, false);
  rt::WriteText(units::kPercentLabel, kCaption, rt::Join({percent, kConstants.percent}));
}

}  // namespace

void Generate() {
  const std::int32_t count = cmd::ToInteger(rt::ReadText(units::kCountBox, kText));
  rt::WriteInt(units::kProgressBar, kBarMaximum, count);
  for (std::int32_t i = 1; i <= count; ++i) {
    const std::int32_t row = cmd::ListViewInsertItem(units::kResultList);
    ShowProgress(i, count);
    // The window stays responsive between rows: other handlers, a second run of this one included, run here.
    cmd::ProcessEvents();
    if (!cmd::UnitExists(units::kResultList)) return;  // the window was closed meanwhile
    cmd::ListViewSetItemText(units::kResultList, row, 0, cmd::ToText(i));
    const rt::Text address = MakeAddress(rt::ReadLogical(units::kAutoModeBox, kChecked));
    cmd::ListViewSetItemText(units::kResultList, row, 1, rt::Join({rt::ReadText(units::kPrefixBox, kText), address}));
  }
}

}  // namespace quarrow::app
