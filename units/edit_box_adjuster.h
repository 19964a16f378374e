// The adjuster of a single-line EditBox: an up-down control standing right of the box in the box's parent,
// 18 pixels wide, that follows the box (place, z-order, visibility, enabled state) and hands its arrow presses
// to the box.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "units/unit_base.h"

namespace quarrow {

class AdjusterOwner {
 public:
  virtual ~AdjusterOwner() = default;
  // An arrow was pressed: -1 for a negative step, 1 for a positive one.
  virtual void AdjusterStep(std::int32_t step) = 0;
  // The answer to the adjuster's WM_CTLCOLOR messages.
  virtual HBRUSH AdjusterColours(HDC dc) = 0;
};

class EditBoxAdjuster {
 public:
  static constexpr int kWidth = 18;

  EditBoxAdjuster() = default;
  EditBoxAdjuster(const EditBoxAdjuster&) = delete;
  EditBoxAdjuster& operator=(const EditBoxAdjuster&) = delete;
  ~EditBoxAdjuster() { Destroy(); }

  // Creates the up-down control beside the box, with control identifier box id + 4; false when it cannot be
  // created. The owning unit is kept alive while the adjuster calls it.
  bool Create(HWND box, ChildUnit& unit, AdjusterOwner& owner, bool static_edge);
  void Destroy();
  HWND Window() const { return window_; }

  // The range runs between the smaller and the larger bound.
  void SetRange(std::int32_t bound_a, std::int32_t bound_b);
  void SetStaticEdge(bool on);
  // Moves next to the box (in the box's parent, behind the box in z-order), shown or hidden and enabled or
  // disabled as the box is, or shown as `visible` says while the box is being shown or hidden.
  void Follow(HWND box, std::optional<bool> visible = std::nullopt);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_ = nullptr;
  WNDPROC previous_ = nullptr;
  ChildUnit* unit_ = nullptr;
  AdjusterOwner* owner_ = nullptr;
};

}  // namespace quarrow
