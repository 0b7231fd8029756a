// The core tests run in the regional settings of the environment they are
// started in (the test command runs them in C and in pt_BR.UTF-8), as the
// programs do: nothing the core writes or reads may depend on them.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
