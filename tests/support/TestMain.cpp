// The test programs' entry point: GoogleTest with the suite's own rules installed.
#include <gtest/gtest.h>

#include "support/TestRules.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    kiv::test::installTestRules();
    const int result = RUN_ALL_TESTS();
    kiv::test::testsFinished();
    return result;
}
