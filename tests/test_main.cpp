#include <gtest/gtest.h>

#include "platform/embedded.hpp"

int main(int argc, char** argv) {
    RegisterEmbeddedFiles();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
