#include <gtest/gtest.h>

#include <map>
#include <string>

#include "HidTestSupport.h"
#include "hid/KeyboardNodeDiagnosis.h"
#include "hid/SysfsHidScanner.h"

namespace n240qx {
namespace {

// Each entry as "key" -> its text, for the recorded machine's nodes.
std::vector<std::map<std::string, std::string>> Entries(const std::string& tree,
                                                        const std::string& denied) {
  const SysfsHidScanner scanner(test::HidDataDir() / tree, "/dev",
                                [&](const std::string& node) { return node == denied; });
  std::vector<std::map<std::string, std::string>> entries;
  for (const auto& entry : KeyboardNodeEntries(scanner.Scan())) {
    auto& texts = entries.emplace_back();
    for (const DiagnosisReport::Item& item : entry) {
      texts[item.key] = std::holds_alternative<std::int64_t>(item.value)
                            ? std::to_string(std::get<std::int64_t>(item.value))
                            : std::get<std::string>(item.value);
    }
  }
  return entries;
}

TEST(KeyboardNodeDiagnosis, NamesTheKeyboardsNodesAndWhyOneCannotBeOpened) {
  const auto entries = Entries("sysfs-machine", "/dev/hidraw3");
  const struct {
    const char* node;
    const char* product;
    const char* interface;
    std::size_t collections;
    bool opens;
  } kExpected[] = {
      {"/dev/hidraw0", "A124", "0", 1, true}, {"/dev/hidraw1", "A124", "1", 4, true},
      {"/dev/hidraw2", "A124", "2", 1, true}, {"/dev/hidraw3", "A124", "3", 1, false},
      {"/dev/hidraw4", "A126", "0", 1, true}, {"/dev/hidraw5", "A126", "2", 1, true},
  };
  ASSERT_EQ(entries.size(), std::size(kExpected)) << "the mouse on hidraw10 is left out";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& entry = entries[i];
    const auto& expected = kExpected[i];
    SCOPED_TRACE(expected.node);
    EXPECT_EQ(entry.at("node"), expected.node);
    EXPECT_EQ(entry.at("product"), expected.product);
    EXPECT_EQ(entry.at("interface"), expected.interface);
    const std::string& collections = entry.at("collections");
    EXPECT_EQ(static_cast<std::size_t>(std::count(collections.begin(), collections.end(), ';')) + 1,
              expected.collections)
        << collections;
    EXPECT_EQ(entry.at("opens") == "yes", expected.opens) << entry.at("opens");
  }
  EXPECT_NE(entries[3].at("opens").find("permission denied"), std::string::npos);
  EXPECT_NE(entries[3].at("opens").find("udev rule"), std::string::npos);
}

TEST(KeyboardNodeDiagnosis, ADamagedDescriptorIsNamedAsWhyTheNodeCannotBeUsed) {
  const auto entries = Entries("sysfs-damaged", "");
  ASSERT_EQ(entries.size(), 3U) << "nodes whose ids cannot be read may be the keyboard's";
  EXPECT_EQ(entries[0].at("opens"), "yes");
  const struct { const char* problem; } kDamaged[] = {{"Damaged report descriptor"}, {"HID_ID"}};
  for (std::size_t i = 0; i < std::size(kDamaged); ++i) {
    const auto& entry = entries[i + 1];
    EXPECT_TRUE(entry.at("opens").starts_with("no: ")) << entry.at("opens");
    EXPECT_NE(entry.at("opens").find(kDamaged[i].problem), std::string::npos) << entry.at("opens");
    EXPECT_EQ(entry.at("product"), "unknown");
    EXPECT_EQ(entry.at("collections"), "none");
  }
}

}  // namespace
}  // namespace n240qx
