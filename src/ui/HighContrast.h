// Whether the person has chosen high contrast (the accessibility setting that
// Windows keeps as HCF_HIGHCONTRASTON). While it is on, a window of ours draws
// with the system's colours instead of its own.
#pragma once
#include <optional>

namespace ui {

bool HighContrastOn() noexcept;

// Answers HighContrastOn instead of the system until reset (nullopt). Only test
// programs call it: the setting cannot otherwise be switched on where the
// platform always reports it off.
void OverrideHighContrast(std::optional<bool> on) noexcept;

}  // namespace ui
