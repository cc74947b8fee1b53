// The text each overlay state names.
#include <gtest/gtest.h>

#include <windows.h>
#include "overlaystate.h"
#include "resource.h"
#include "saved_state.h"

namespace {

// Catches a range test that is off by one at either end (0 or 6 mapped into
// the table, 1 or 5 left out) and a wrong base for the text ids.
TEST(OverlayStatus, TextIdForEveryState)
{
    SavedState keep;
    const struct { int State; UINT Id; } cases[] = {
        { -1, 504 }, { 0, 504 }, { 1, 502 }, { 2, 503 }, { 3, 504 },
        { 4, 505 }, { 5, 506 }, { 6, 504 }, { 105, 504 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.State);
        OverlayState = c.State;
        EXPECT_EQ(c.Id, OverlayStateTextId());
    }
}

}  // namespace
