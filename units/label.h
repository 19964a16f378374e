// Label ("标签"): static text that draws itself completely — caption, relief effects, alignment and word wrap
// over a plain, pictured or gradient background, optionally in a gradient frame. Its window class is "_ZR_Label".
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/program_header.h"

namespace quarrow {

namespace label {
inline constexpr char kWindowClass[] = "_ZR_Label";
// The message that raises Feedback with its wParam and lParam; the handler's integer result is the answer.
inline constexpr UINT kFeedbackMessage = WM_APP + 0x75;
inline constexpr std::int32_t kFeedback = 0;  // event
}  // namespace label

// The unit-type interface routine.
UnitOperation LabelInterface(std::int32_t code);

}  // namespace quarrow
