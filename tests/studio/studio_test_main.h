// The studio's test programs run GoogleTest inside one QApplication.
#pragma once

#include <QApplication>
#include <gtest/gtest.h>

#define VEXEL_STUDIO_TEST_MAIN                       \
    int main(int argc, char** argv) {                \
        QApplication app(argc, argv);                \
        ::testing::InitGoogleTest(&argc, argv);      \
        return RUN_ALL_TESTS();                      \
    }
