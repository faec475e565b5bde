#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace n240qx::testing {

TempDir::TempDir() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = "n240qx-" + std::to_string(::getpid());
  if (info != nullptr) {
    name += std::string("-") + info->test_suite_name() + "-" + info->name();
  }
  // Parameterised tests carry a '/' in their names.
  for (char& c : name) {
    c = c == '/' ? '_' : c;
  }
  path_ = std::filesystem::temp_directory_path() / name;
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace n240qx::testing
