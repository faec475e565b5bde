#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "LayerOrder.h"
#include "support/TempDir.h"

namespace n240qx::testing {
namespace {

std::vector<std::string> BuildOrder() {
  std::vector<std::string> ranks;
  std::istringstream in(N240QX_CORE_LAYERS);
  for (std::string rank; std::getline(in, rank, '|');)
    ranks.push_back(rank);
  return ranks;
}

std::string Describe(const std::vector<LayerViolation>& found) {
  std::string text;
  for (const auto& v : found) {
    text +=
        v.file + ":" + std::to_string(v.line) + ": #include " + v.include + ": " + v.reason + "\n";
  }
  return text;
}

TEST(LayerOrder, EveryIncludeOfTheCorePointsDown) {
  const LayerOrder order(BuildOrder());
  const auto found = order.Check(N240QX_CORE_DIR);
  EXPECT_TRUE(found.empty()) << Describe(found);
}

struct PlantedInclude {
  const char* file;
  const char* line;
  const char* reason;  // empty when the include keeps the order
};

class PlantedEdge : public ::testing::TestWithParam<PlantedInclude> {};

TEST_P(PlantedEdge, IsJudgedByTheOrder) {
  const TempDir core;
  const auto& planted = GetParam();
  const auto file = core.path() / planted.file;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file) << "#pragma once\n\n" << planted.line << "\n";

  const auto found = LayerOrder(BuildOrder()).Check(core.path());
  if (std::string(planted.reason).empty()) {
    EXPECT_TRUE(found.empty()) << Describe(found);
  } else {
    ASSERT_EQ(found.size(), 1u) << Describe(found);
    EXPECT_NE(found[0].reason.find(planted.reason), std::string::npos) << Describe(found);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlantedEdge,
    ::testing::Values(PlantedInclude{"keys/Back.h", "#include \"app/ConfiguratorState.h\"", "up"},
                      PlantedInclude{"image/Back.cpp", "#include \"window/PageItemTable.h\"", "up"},
                      PlantedInclude{"macros/Side.h", "#include \"lighting/EffectTable.h\"",
                                     "peer"},
                      PlantedInclude{"util/Out.h", "#include \"gui/QtText.h\"", "out of the core"},
                      PlantedInclude{"app/Out.cpp", "  #  include \"connect/DeviceConnection.h\"",
                                     "out of the core"},
                      PlantedInclude{"window/Qt.h", "#include <QWidget>", "toolkit"},
                      PlantedInclude{"device/Hid.cpp", "#include <hidapi/hidapi.h>", "toolkit"},
                      PlantedInclude{"stray/File.h", "#include <string>", "no layer"},
                      PlantedInclude{"window/Down.h", "#include \"app/ConfiguratorState.h\"", ""},
                      PlantedInclude{"image/Own.h", "#include \"image/ImageField.h\"", ""},
                      PlantedInclude{"paint/Std.h", "#include <vector>", ""}));

}  // namespace
}  // namespace n240qx::testing
