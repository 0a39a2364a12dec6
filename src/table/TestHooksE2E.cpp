#include "TestHooks.h"

#include <cstdlib>

namespace table {

// Only the end-to-end test build links this: PLUMFIZZ_TEST_STOPS="a,b,c"
// forces the stops of every spin.
std::optional<engine::ReelStops> TestStopsOverride()
{
    return ParseTestStops(std::getenv("PLUMFIZZ_TEST_STOPS"));
}

}  // namespace table
