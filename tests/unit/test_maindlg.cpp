// The main dialog's overlay state on screens of each size.
#include <gtest/gtest.h>

#include <windows.h>
#include "maindlg.h"
#include "saved_state.h"

namespace {

// Catches "and" where "or" belongs in the small-screen test, <= where <
// belongs (800 x 600 itself is large enough), a verdict kept on a small
// screen, and 5 not falling back to "not tested" (or other states being
// reset) once the screen is large enough.
TEST(OverlayStatus, ScreenSizeMovesTheState)
{
    const struct { int Width, Height; bool Small; } screens[] = {
        { 640, 480, true }, { 799, 600, true }, { 800, 599, true }, { 0, 0, true },
        { 799, 1200, true }, { 1600, 599, true },
        { 800, 600, false }, { 1024, 768, false }, { 1600, 1200, false },
    };
    const struct { int State, OnLarge; } states[] = {
        { 0, 0 }, { 1, 1 }, { 2, 2 }, { 3, 3 }, { 4, 4 }, { 5, 3 },
    };
    for (const auto &s : screens) {
        for (const auto &st : states) {
            SCOPED_TRACE(std::to_string(s.Width) + "x" + std::to_string(s.Height) +
                         " from state " + std::to_string(st.State));
            EXPECT_EQ(s.Small ? OVERLAY_LOW_RESOLUTION : st.OnLarge,
                      OverlayStateForScreen(st.State, s.Width, s.Height));
        }
    }
}

}  // namespace
