// Shared test fixtures: every test starts a fresh headless machine with a
// virtual clock at 0 and a pinned random seed.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "os/headless/headless.h"
#include "os/system.h"

namespace vantris_test {

// Starts the headless backend (quiet message boxes, seed 1) and stops it after.
class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// A fresh empty folder under the test's temporary directory.
std::string MakeTempDir(const std::string& name);
// Where the tests' data files live (tests/data).
std::string TestDataDir();

}  // namespace vantris_test
