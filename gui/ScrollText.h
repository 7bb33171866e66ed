#pragma once
// The vertical offset shared by the scrolling text windows.

namespace vexmolda {

// Content moves by one wheel notch this many units.
constexpr float scrollPerNotch = 5.0f;

// The offset after moving the content by dy: never above the top (0), no lower limit.
float scrolledBy(float scroll, float dy);

}  // namespace vexmolda
