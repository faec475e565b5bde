#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "app/FilesystemPathProbe.h"
#include "app/ProgramPaths.h"

namespace n240qx {
namespace {

namespace fs = std::filesystem;

// A file system described by sets of paths.
class FakeProbe : public PathProbe {
 public:
  std::set<fs::path> directories;
  std::set<fs::path> files;
  std::set<fs::path> writable;

  bool IsDirectory(const fs::path& path) const override { return directories.contains(path); }
  bool IsRegularFile(const fs::path& path) const override { return files.contains(path); }
  bool IsWritableDirectory(const fs::path& path) const override { return writable.contains(path); }
};

ProgramPathInputs Installed() {
  return {"/usr/bin/n240qx", std::nullopt, "/home/ann", std::nullopt};
}

TEST(ProgramPaths, DefaultsToTheUsersLocalShareFolder) {
  FakeProbe probe;
  probe.directories.insert("/usr/share/n240qx");
  const auto paths = ProgramPaths::Resolve(Installed(), probe);
  ASSERT_TRUE(paths.ok()) << paths.error().message;
  EXPECT_EQ(paths->data_folder(), "/home/ann/.local/share/n240qx");
  EXPECT_EQ(paths->share_folder(), "/usr/share/n240qx");
  EXPECT_FALSE(paths->portable());
  EXPECT_EQ(paths->KeymapFile(), "/home/ann/.local/share/n240qx/keymap.bin");
  EXPECT_EQ(paths->MacroFile(), "/home/ann/.local/share/n240qx/MacroDefine.bin");
  EXPECT_EQ(paths->ProfilesFolder(), "/home/ann/.local/share/n240qx/Configure");
  EXPECT_EQ(paths->VersionFile(), "/usr/share/n240qx/VER.bin");
  EXPECT_EQ(paths->SkinFolder(Language::kEnglish), "/usr/share/n240qx/png/english");
  EXPECT_EQ(paths->SkinFolder(Language::kGerman), "/usr/share/n240qx/png/german");
}

TEST(ProgramPaths, XdgDataHomeCountsOnlyWhenAbsolute) {
  FakeProbe probe;
  auto inputs = Installed();
  inputs.xdg_data_home = "/data/ann";
  EXPECT_EQ(ProgramPaths::Resolve(inputs, probe)->data_folder(), "/data/ann/n240qx");
  inputs.xdg_data_home = "relative/dir";
  EXPECT_EQ(ProgramPaths::Resolve(inputs, probe)->data_folder(), "/home/ann/.local/share/n240qx");
  inputs.xdg_data_home = "";
  EXPECT_EQ(ProgramPaths::Resolve(inputs, probe)->data_folder(), "/home/ann/.local/share/n240qx");
}

TEST(ProgramPaths, DataDirOptionWinsOverEverything) {
  FakeProbe probe;
  probe.files.insert("/opt/n240qx/keymap.bin");
  probe.writable.insert("/opt/n240qx");
  ProgramPathInputs inputs{"/opt/n240qx/n240qx", "/data/ann", "/home/ann", "/tmp/try/"};
  const auto paths = ProgramPaths::Resolve(inputs, probe);
  ASSERT_TRUE(paths.ok());
  EXPECT_EQ(paths->data_folder(), "/tmp/try/");
  EXPECT_FALSE(paths->portable());
}

TEST(ProgramPaths, PortableWhenTheKeymapSitsBesideTheProgramInAWritableFolder) {
  FakeProbe probe;
  probe.files.insert("/media/stick/n240qx/keymap.bin");
  probe.writable.insert("/media/stick/n240qx");
  ProgramPathInputs inputs{"/media/stick/n240qx/n240qx", "/data/ann", "/home/ann", std::nullopt};
  auto paths = ProgramPaths::Resolve(inputs, probe);
  ASSERT_TRUE(paths.ok());
  EXPECT_TRUE(paths->portable());
  EXPECT_EQ(paths->data_folder(), "/media/stick/n240qx");
  EXPECT_EQ(paths->share_folder(), "/media/stick/n240qx") << "no ../share: a build tree";

  probe.writable.clear();
  paths = ProgramPaths::Resolve(inputs, probe);
  EXPECT_FALSE(paths->portable()) << "read-only folder";
  EXPECT_EQ(paths->data_folder(), "/data/ann/n240qx");

  probe.writable.insert("/media/stick/n240qx");
  probe.files.clear();
  EXPECT_FALSE(ProgramPaths::Resolve(inputs, probe)->portable()) << "no keymap.bin beside it";
}

TEST(ProgramPaths, ShareFolderIsBesideTheProgramInABuildTree) {
  FakeProbe probe;
  ProgramPathInputs inputs{"/work/build/src/gui/n240qx", std::nullopt, "/home/ann", std::nullopt};
  EXPECT_EQ(ProgramPaths::Resolve(inputs, probe)->share_folder(), "/work/build/src/gui");
  probe.directories.insert("/work/build/src/share/n240qx");
  EXPECT_EQ(ProgramPaths::Resolve(inputs, probe)->share_folder(), "/work/build/src/share/n240qx");
}

TEST(ProgramPaths, NoDataFolderWithoutHomeOrOption) {
  FakeProbe probe;
  ProgramPathInputs inputs{"/usr/bin/n240qx", std::nullopt, std::nullopt, std::nullopt};
  const auto paths = ProgramPaths::Resolve(inputs, probe);
  ASSERT_FALSE(paths.ok());
  EXPECT_EQ(paths.error().code, ErrorCode::kNotFound);
  EXPECT_NE(paths.error().message.find("--data-dir"), std::string::npos);

  inputs.data_dir_option = "/srv/n240qx";
  EXPECT_TRUE(ProgramPaths::Resolve(inputs, probe).ok());
  inputs.executable.clear();
  EXPECT_EQ(ProgramPaths::Resolve(inputs, probe).error().code, ErrorCode::kInvalidArgument);
}

TEST(FilesystemPathProbe, TellsWritableFoldersAndFilesApart) {
  const fs::path folder =
      fs::temp_directory_path() /
      ("n240qx-app-probe-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  fs::create_directories(folder);
  std::ofstream(folder / "keymap.bin") << "x";
  FilesystemPathProbe probe;
  EXPECT_TRUE(probe.IsDirectory(folder));
  EXPECT_TRUE(probe.IsRegularFile(folder / "keymap.bin"));
  EXPECT_FALSE(probe.IsRegularFile(folder / "missing.bin"));
  EXPECT_TRUE(probe.IsWritableDirectory(folder));
  EXPECT_FALSE(probe.IsWritableDirectory(folder / "missing"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
      << "the writability probe leaves nothing behind";

  const auto paths = ProgramPaths::Resolve({folder / "n240qx", std::nullopt, "/home/x", {}}, probe);
  ASSERT_TRUE(paths.ok());
  EXPECT_TRUE(paths->portable());
  fs::remove_all(folder);
}

}  // namespace
}  // namespace n240qx
