// Tests of the whole program start and end alike: an identity remembered for the
// program to clear, and no stored settings of its own.
#pragma once
#include <gtest/gtest.h>

#include "support/Tollvane.h"

namespace wintest {

class ProgramTest : public testing::Test {
protected:
    void SetUp() override { TearDown(), SetIdentityValues("someone"); }
    void TearDown() override {
        DeleteKeyTree(HKEY_CURRENT_USER, "Identities");
        DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Tollvane");  // read-only keys too
    }
};

}  // namespace wintest
