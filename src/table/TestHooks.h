#pragma once

#include "engine/Reels.h"

#include <optional>

namespace table {

// Stops that replace the drawn ones, so an end-to-end test can force a win.
// Two link-time alternatives define it: TestHooks.cpp (library
// plumfizz_test_hooks, always nullopt) goes into the game; TestHooksE2E.cpp
// (plumfizz_test_hooks_e2e) goes only into the test build plumfizz-e2e.
std::optional<engine::ReelStops> TestStopsOverride();

// Reads "a,b,c" (each 1..30, spaces around the numbers allowed); nullopt for
// anything else. Used by the test build's override.
std::optional<engine::ReelStops> ParseTestStops(const char* text);

}  // namespace table
