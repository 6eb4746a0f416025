// Brings up the prefix's desktop before the first test, so that no test measures Wine's own start-up.
#include <gtest/gtest.h>

#include "tests/e2e/driver/loader.h"

namespace {

class DesktopEnvironment : public ::testing::Environment {
public:
  void SetUp() override { qz::e2e::WarmUpDesktop(); }
};

[[maybe_unused]] ::testing::Environment* const kDesktop = ::testing::AddGlobalTestEnvironment(new DesktopEnvironment);

}  // namespace
