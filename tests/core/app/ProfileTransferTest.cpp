#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <memory>
#include <vector>

#include "app/ConfiguratorState.h"
#include "app/ProfileTransfer.h"
#include "config/DiskProfileFiles.h"
#include "config/ProfileStore.h"
#include "config/ProfileToApply.h"
#include "image/ImageField.h"
#include "keys/KeymapStore.h"
#include "support/StateStores.h"
#include "support/TempDir.h"
#include "support/ValidProfile.h"
#include "util/FileErrorText.h"

namespace n240qx {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

// Profiles the keyboard takes, told apart by their fill.
std::vector<std::uint8_t> Filled(std::size_t size, std::uint8_t value) {
  return testing::ValidProfile(size, value);
}

// The disk, except for the operations a test makes fail, as a full disk or a read-only
// folder would even for root.
class FailingFiles : public DiskProfileFiles {
 public:
  bool fail_write = false;
  bool fail_remove = false;
  bool fail_rename = false;

  Status Write(const fs::path& file, std::span<const std::uint8_t> bytes) override {
    return fail_write ? Failure("no space left on device") : DiskProfileFiles::Write(file, bytes);
  }
  Status Remove(const fs::path& file) override {
    return fail_remove ? Failure("read-only file system") : DiskProfileFiles::Remove(file);
  }
  Status Rename(const fs::path& from, const fs::path& to) override {
    return fail_rename ? Failure("read-only file system") : DiskProfileFiles::Rename(from, to);
  }

 private:
  static Status Failure(const char* what) { return Error{ErrorCode::kIo, what}; }
};

std::string Folded(const fs::path& file) {
  std::string name = file.filename().string();
  std::ranges::transform(name, name.begin(), [](unsigned char c) { return std::tolower(c); });
  return name;
}

// A case-insensitive data folder (a FAT stick, ext4 with casefold): one file answers to every
// spelling of its name.
class CaseFoldingFiles : public DiskProfileFiles {
 public:
  Status Write(const fs::path& file, std::span<const std::uint8_t> bytes) override {
    return DiskProfileFiles::Write(Spelt(file), bytes);
  }
  Status Remove(const fs::path& file) override { return DiskProfileFiles::Remove(Spelt(file)); }
  bool SameFile(const fs::path& a, const fs::path& b) override {
    return DiskProfileFiles::SameFile(Spelt(a), Spelt(b));
  }

 private:
  // The spelling on disk of the file the name stands for, or the name when there is none.
  static fs::path Spelt(const fs::path& file) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(file.parent_path(), error)) {
      if (Folded(entry.path()) == Folded(file)) {
        return entry.path();
      }
    }
    return file;
  }
};

class ProfileTransferTest : public ::testing::Test {
 protected:
  ProfileTransferTest() {
    state->UseStores(testing::StoresIn(keymap.parent_path()));
    state->ImageForEditing().bytes().fill(0x11);
    fs::create_directories(keymap.parent_path());
  }

  std::vector<std::string> Folder() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(profiles)) {
      names.push_back(entry.path().filename().string());
    }
    std::ranges::sort(names);
    return names;
  }
  std::vector<std::string> Listed() {
    auto listed = store.List();
    EXPECT_TRUE(listed.ok());
    std::vector<std::string> names;
    for (const auto& profile : *listed) {
      names.push_back(profile.name);
    }
    return names;
  }

  testing::TempDir dir;
  fs::path profiles = dir.path() / "data" / "Configure";
  fs::path keymap = dir.path() / "data" / "keymap.bin";
  fs::path elsewhere = dir.path() / "elsewhere";
  std::unique_ptr<ConfiguratorState> state = std::make_unique<ConfiguratorState>();
  FailingFiles files;
  ProfileStore store{profiles, files};
  OwnFiles own{ProgramPaths(dir.path() / "data", dir.path() / "share", false)};
  ProfileTransfer transfer{*state, store, own};
  ProfileStore german_store{profiles, files, Language::kGerman};
  ProfileTransfer in_german{*state, german_store, own, Language::kGerman};
};

TEST_F(ProfileTransferTest, ImportAndExportLeaveOneProfileNamedAfterTheChosenFile) {
  struct Case {
    const char* chosen;
    bool import;
    std::vector<std::string> folder;
    std::string listed;
  };
  WriteAll(profiles / "x.bin.bin", Filled(10, 1));
  EXPECT_EQ(Listed(), std::vector<std::string>{"x"}) << "found at opening";
  for (const Case& c : {Case{"Race.bin", true, {"Race.bin"}, "Race"},
                        Case{"game.cfg.bin", true, {"game.bin"}, "game"},
                        Case{"game.cfg.bin", false, {"game.bin"}, "game"},
                        Case{"Night.bin", false, {"Night.bin"}, "Night"}}) {
    const fs::path chosen = elsewhere / c.chosen;
    if (c.import) {
      WriteAll(chosen, Filled(kKeymapStoreSize, 0x42));
    }
    const ProfileOutcome outcome = c.import ? transfer.Import(chosen) : transfer.Export(chosen);
    ASSERT_TRUE(outcome.status.ok()) << outcome.status.error().message;
    EXPECT_EQ(outcome.configuration_changed, c.import) << c.chosen;
    EXPECT_EQ(Folder(), c.folder) << c.chosen;
    EXPECT_EQ(Listed(), std::vector<std::string>{c.listed}) << c.chosen;
    EXPECT_EQ(ReadAll(profiles / c.folder[0]), ReadAll(chosen)) << "a copy of the chosen file";
  }
  EXPECT_EQ(ReadAll(elsewhere / "Night.bin").size(), 206920u);
  EXPECT_EQ(ReadAll(keymap), ReadAll(elsewhere / "game.cfg.bin")) << "imported into keymap.bin";
}

TEST_F(ProfileTransferTest, ImportOfAFileWithoutAUsableNameKeepsItUnderAFallback) {
  for (const char* chosen : {".hidden.bin", "..bin"}) {
    WriteAll(elsewhere / chosen, Filled(kKeymapStoreSize, 0x42));
    const auto before = Listed();
    EXPECT_FALSE(transfer.Import(elsewhere / chosen).status.ok()) << "the tool refuses it";
    EXPECT_EQ(Listed(), before) << chosen;
    const ProfileOutcome outcome =
        transfer.Import(elsewhere / chosen, ProfileTransfer::UnusableName::kKeepAsImported);
    ASSERT_TRUE(outcome.status.ok()) << chosen << ": " << outcome.status.error().message;
    EXPECT_TRUE(outcome.configuration_changed) << chosen;
    EXPECT_EQ(Folder(), std::vector<std::string>{"Imported.bin"}) << chosen;
    EXPECT_EQ(ReadAll(profiles / "Imported.bin"), ReadAll(elsewhere / chosen)) << chosen;
  }
}

// The window's Import and the tool's apply take the same files; a German window says why not
// in German.
TEST_F(ProfileTransferTest, ImportRefusesWhatApplyRefusesInTheWindowsLanguage) {
  const std::size_t kind_of_key_42 =
      image_field::kImageSize + KeyActionEntry::kSize * 42 + KeyActionEntry::kKindOffset;
  std::vector<std::uint8_t> bad_kind = Filled(kKeymapStoreSize, 0x45);
  bad_kind[kind_of_key_42] = 8;
  const std::string not_json = "{ not json";
  const struct {
    const char* file;
    std::vector<std::uint8_t> bytes;
    const char* german;  // a part of the German reason; none for a profile taken
  } cases[] = {
      {"Taken.bin", Filled(kKeymapStoreSize, 0x42), nullptr},
      {"Long.bin", Filled(kKeymapStoreSize + 1, 0x42), "größer als jedes Profil"},
      {"Short.bin", Filled(100, 0x42), "kein JSON"},
      {"Empty.bin", {}, "0 Bytes groß"},
      {"Kind.bin", bad_kind, "erlaubt 0-7 oder 255"},
      {"Broken.bin", {not_json.begin(), not_json.end()}, ""},
  };
  ProfileTransfer german{*state, store, {}, Language::kGerman};
  for (const auto& c : cases) {
    WriteAll(elsewhere / c.file, c.bytes);
    const bool applied = ReadProfileToApply(state->key_names(), elsewhere / c.file).ok();
    const ProfileOutcome imported = german.Import(elsewhere / c.file);
    EXPECT_EQ(applied, c.german == nullptr) << c.file;
    ASSERT_EQ(imported.status.ok(), applied) << c.file;
    if (!applied) {
      EXPECT_NE(imported.status.error().message.find(c.german), std::string::npos)
          << imported.status.error().message;
      EXPECT_FALSE(imported.configuration_changed) << c.file;
    }
  }
}

// The tool reads every refusal and failure in English, a German window in German: the names,
// the program's own files and the store's troubles alike.
TEST_F(ProfileTransferTest, RefusalsAndFailuresAreWordedInTheTransfersLanguage) {
  enum class Op { kImport, kExport, kRename };
  const std::string backups = (keymap.parent_path() / "backups").string();
  const struct {
    Op op;
    fs::path path;  // chosen, or the new name for a rename
    std::string english;
    std::string german;
  } cases[] = {
      {Op::kImport, elsewhere / ".bin", "\"\" is no profile name: a name needs a letter or digit",
       "\"\" ist kein Profilname: ein Name braucht einen Buchstaben oder eine Ziffer"},
      {Op::kExport, elsewhere / "a\\b.bin", "it may not contain / or \\",
       "er darf weder / noch \\ enthalten"},
      {Op::kImport, elsewhere / "a\tb.bin", "it may not hold control characters",
       "er darf keine Steuerzeichen enthalten"},
      {Op::kExport, elsewhere / (std::string(300, 'x') + ".bin"), "the profile name is too long",
       "der Profilname ist zu lang"},
      {Op::kExport, keymap,
       "refused to write a profile over " + keymap.string() +
           ": it is one of the program's own files (keymap.bin) and would be lost",
       keymap.string() +
           " wird nicht \u00FCberschrieben: es ist eine der eigenen Dateien des Programms "
           "(keymap.bin) und ginge verloren"},
      {Op::kExport, backups + "/old.bin", "it is inside the backups folder " + backups,
       "es liegt im Sicherungsordner " + backups + " und ginge verloren"},
      {Op::kExport, elsewhere / "Out.bin",
       "the profile Out.bin is kept, but an older one stays: read-only",
       "das Profil Out.bin ist abgelegt, aber ein \u00E4lteres bleibt liegen: read-only"},
      {Op::kRename, "New", "the profile Gone.bin is no longer in " + profiles.string(),
       "das Profil Gone.bin liegt nicht mehr in " + profiles.string()},
      {Op::kRename, "a/b", "it may not contain /", "er darf weder /"},
  };
  WriteAll(profiles / "Kept.bin", Filled(kKeymapStoreSize, 0x33));
  fs::create_directories(elsewhere);
  files.fail_remove = true;
  const auto act = [this](ProfileTransfer& t, Op op, const fs::path& path) {
    if (op == Op::kRename) {
      return t.Rename({"Gone", profiles / "Gone.bin"}, path.string());
    }
    return op == Op::kImport ? t.Import(path) : t.Export(path);
  };
  for (const auto& c : cases) {
    for (const auto& [said_by, expected] :
         {std::pair{&transfer, &c.english}, {&in_german, &c.german}}) {
      const Status said = act(*said_by, c.op, c.path).status;
      ASSERT_FALSE(said.ok()) << *expected;
      EXPECT_NE(said.error().message.find(*expected), std::string::npos) << said.error().message;
    }
  }
}

TEST(TransferFailure, SaysWhatBecameOfTheConfigurationInEitherLanguage) {
  const struct {
    bool import;
    bool changed;
    const char* english;
    const char* german;
  } cases[] = {
      {true, false, "the profile was not imported: ", "das Profil wurde nicht importiert: "},
      {false, false, "the profile was not exported: ", "das Profil wurde nicht exportiert: "},
      {true, true, "the profile was loaded into keymap.bin but not kept: ",
       "das Profil wurde in keymap.bin geladen, aber nicht abgelegt: "},
  };
  for (const auto& c : cases) {
    const ProfileOutcome outcome{Error{ErrorCode::kIo, "full"}, c.changed, std::nullopt, {}};
    for (const auto& [language, prefix] :
         {std::pair{Language::kEnglish, c.english}, {Language::kGerman, c.german}}) {
      EXPECT_EQ(TransferFailure(outcome, c.import, language).message, std::string(prefix) + "full");
    }
  }
}

TEST_F(ProfileTransferTest, ShortImportFillsWhatItHolds) {
  state->KeyActionsForEditing()[5].kind = 6;
  const KeyActionTable table_before = state->key_actions();
  WriteAll(elsewhere / "Lights.bin", Filled(10060, 0x77));
  ASSERT_TRUE(transfer.Import(elsewhere / "Lights.bin").status.ok());
  EXPECT_TRUE(std::ranges::equal(state->image().bytes(), Filled(10060, 0x77)));
  EXPECT_EQ(state->key_actions(), table_before);
  EXPECT_EQ(ReadAll(keymap).size(), 206920u);
}

TEST_F(ProfileTransferTest, FailuresLoseNothing) {
  WriteAll(profiles / "Kept.bin", Filled(kKeymapStoreSize, 0x33));
  const auto kept_bytes = ReadAll(profiles / "Kept.bin");
  WriteAll(elsewhere / "New.bin", Filled(kKeymapStoreSize, 0x44));
  const auto image_before = state->image().bytes();

  files.fail_write = true;
  EXPECT_FALSE(transfer.Export(elsewhere / "Out.bin").status.ok());
  EXPECT_FALSE(fs::exists(elsewhere / "Out.bin"));
  const ProfileOutcome import = transfer.Import(elsewhere / "New.bin");
  EXPECT_FALSE(import.status.ok()) << "keymap.bin and the profile cannot be written";
  files.fail_write = false;
  EXPECT_EQ(Folder(), std::vector<std::string>{"Kept.bin"});
  EXPECT_EQ(ReadAll(profiles / "Kept.bin"), kept_bytes);

  state->ImageForEditing().bytes() = image_before;
  for (const char* unreadable : {"missing.bin", "empty.bin"}) {
    if (std::string(unreadable) == "empty.bin") {
      WriteAll(elsewhere / unreadable, {});
    }
    const ProfileOutcome outcome = transfer.Import(elsewhere / unreadable);
    EXPECT_FALSE(outcome.status.ok()) << unreadable;
    EXPECT_FALSE(outcome.configuration_changed) << unreadable;
    EXPECT_EQ(state->image().bytes(), image_before) << unreadable;
    EXPECT_EQ(Folder(), std::vector<std::string>{"Kept.bin"}) << unreadable;
  }

  files.fail_rename = true;
  EXPECT_FALSE(transfer.Rename({"Kept", profiles / "Kept.bin"}, "Other.bin").status.ok());
  files.fail_rename = false;
  files.fail_remove = true;
  const ProfileOutcome stuck = transfer.Export(elsewhere / "Out.bin");
  EXPECT_FALSE(stuck.status.ok()) << "the old profile could not be removed: said so";
  EXPECT_EQ(Folder(), (std::vector<std::string>{"Kept.bin", "Out.bin"}));
  EXPECT_EQ(ReadAll(profiles / "Kept.bin"), kept_bytes);
}

TEST_F(ProfileTransferTest, RenameMovesTheKeptProfileAndRefusesEscapes) {
  WriteAll(profiles / "Kept.bin", Filled(kKeymapStoreSize, 0x33));
  WriteAll(profiles / "Stray.bin", Filled(5, 0x01));
  const auto kept_bytes = ReadAll(profiles / "Kept.bin");
  const ProfileEntry kept{"Kept", profiles / "Kept.bin"};
  for (const char* escape : {"../Evil.bin", "a/b", "a\\b", "", "...", ".bin", "..bin.bin"}) {
    EXPECT_EQ(transfer.Rename(kept, escape).status.error().code, ErrorCode::kInvalidArgument)
        << escape;
    EXPECT_EQ(transfer.Export(elsewhere / (std::string(escape) + ".bin")).status.ok(), false)
        << escape;
  }
  EXPECT_EQ(Folder(), (std::vector<std::string>{"Kept.bin", "Stray.bin"}));
  EXPECT_FALSE(fs::exists(dir.path() / "data" / "Evil.bin"));

  const ProfileOutcome renamed = transfer.Rename(kept, "Tour.bin");
  ASSERT_TRUE(renamed.status.ok()) << renamed.status.error().message;
  EXPECT_EQ(renamed.kept, (ProfileEntry{"Tour", profiles / "Tour.bin"}));
  EXPECT_EQ(Folder(), std::vector<std::string>{"Tour.bin"});
  EXPECT_EQ(ReadAll(profiles / "Tour.bin"), kept_bytes) << "renamed, not copied from nothing";
  EXPECT_EQ(transfer.Rename(kept, "Again").status.error().code, ErrorCode::kNotFound);
}

// What the folder holds: one file, whatever its spelling, and its bytes.
std::vector<std::vector<std::uint8_t>> Contents(const fs::path& folder) {
  std::vector<std::vector<std::uint8_t>> contents;
  for (const auto& entry : fs::directory_iterator(folder)) {
    contents.push_back(ReadAll(entry.path()));
  }
  return contents;
}

TEST(ProfileStoreCaseFolding, AnotherSpellingOfTheKeptProfileIsNotRemoved) {
  struct Case {
    const char* stored;
    const char* renamed;
    const char* kept;
  };
  const auto first = Filled(kKeymapStoreSize, 0x5A);
  const auto second = Filled(kKeymapStoreSize, 0x6B);
  for (const Case& c : {Case{"Race.bin", "race", "RACE"}, Case{"race.bin", "RACE.bin", "Race"}}) {
    SCOPED_TRACE(c.stored);
    testing::TempDir dir;
    CaseFoldingFiles files;
    ProfileStore store{dir.path(), files};
    WriteAll(dir.path() / c.stored, first);
    const auto renamed = store.Rename({"", dir.path() / c.stored}, c.renamed);
    ASSERT_TRUE(renamed.ok()) << renamed.error().message;
    EXPECT_EQ(Contents(dir.path()), std::vector<std::vector<std::uint8_t>>{first})
        << "the only copy stays";
    ASSERT_TRUE(store.Keep(c.kept, second).ok());
    EXPECT_EQ(Contents(dir.path()), std::vector<std::vector<std::uint8_t>>{second})
        << "kept over itself";
  }
}

TEST(DiskProfileFiles, SameFileFollowsTheFileNotTheName) {
  testing::TempDir dir;
  WriteAll(dir.path() / "Race.bin", {1});
  WriteAll(dir.path() / "Other.bin", {1});
  fs::create_hard_link(dir.path() / "Race.bin", dir.path() / "Alias.bin");
  DiskProfileFiles files;
  for (const auto& [other, same] : std::vector<std::pair<const char*, bool>>{
           {"Race.bin", true}, {"Alias.bin", true}, {"Other.bin", false}, {"Gone.bin", false}}) {
    EXPECT_EQ(files.SameFile(dir.path() / "Race.bin", dir.path() / other), same) << other;
  }
}

// The system's reason comes in the window's words where there are any, its own otherwise.
TEST(DiskProfileFiles, FailuresSayWhatAndWhyInTheirLanguage) {
  testing::TempDir dir;
  const fs::path plain = dir.path() / "plain.bin";
  const fs::path gone = dir.path() / "gone";
  const fs::path full = dir.path() / "full";
  WriteAll(plain, {1});
  WriteAll(full / "x.bin", {1});
  const struct {
    fs::path path;
    const char* english;
    const char* german;
    int reason;
  } cases[] = {
      {plain / "sub", "cannot create the folder ",
       "der Ordner kann nicht angelegt werden: ", ENOTDIR},
      {gone, "cannot list ", "der Ordner kann nicht gelesen werden: ", ENOENT},
      {gone, "cannot rename ", "kann nicht umbenannt werden: ", ENOENT},
      {full, "cannot remove ", "kann nicht gel\u00F6scht werden: ", ENOTEMPTY},
  };
  for (const Language language : {Language::kEnglish, Language::kGerman}) {
    DiskProfileFiles files(language);
    const Status failed[] = {files.MakeFolder(plain / "sub"), files.Files(gone).error(),
                             files.Rename(gone, plain), files.Remove(full)};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      const auto& c = cases[i];
      ASSERT_FALSE(failed[i].ok()) << c.path;
      EXPECT_EQ(failed[i].error().message, (language == Language::kGerman ? c.german : c.english) +
                                               c.path.string() + " (" +
                                               FileErrorText::Reason(c.reason, language) + ")");
    }
  }
}

TEST_F(ProfileTransferTest, MissingProfilesFolderIsCreated) {
  EXPECT_TRUE(Listed().empty());
  EXPECT_TRUE(fs::is_directory(profiles));
}

}  // namespace
}  // namespace n240qx
