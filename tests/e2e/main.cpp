// The end-to-end tests' entry point. The driver reads window rectangles of a program that is
// aware of each monitor's DPI; it is DPI aware itself so that nothing is scaled in between.
#include <windows.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
