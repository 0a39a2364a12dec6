#include "TestHooks.h"

namespace table {

// The game itself never overrides the stops.
std::optional<engine::ReelStops> TestStopsOverride()
{
    return std::nullopt;
}

}  // namespace table
