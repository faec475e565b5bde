#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>

#include "WindowTestSupport.h"
#include "app/ProgramVersion.h"
#include "gui/AppOptions.h"
#include "gui/QtLauncher.h"
#include "gui/SingleInstance.h"
#include "gui/StopSignalNotifier.h"
#include "keys/LaunchTarget.h"

namespace n240qx::testing {
namespace {

Result<AppOptions> Parse(QStringList arguments) {
  arguments.prepend(QStringLiteral("n240qx"));
  return ParseAppOptions(arguments);
}

TEST(AppOptions, SimulateTakesAnOptionalStateFileAndValuesComeEitherWay) {
  auto plain = Parse({QStringLiteral("--simulate")});
  ASSERT_TRUE(plain.ok());
  EXPECT_TRUE(plain->simulate);
  EXPECT_FALSE(plain->state_file);

  auto full = Parse({QStringLiteral("--simulate=/tmp/k.bin"), QStringLiteral("--data-dir"),
                     QStringLiteral("/tmp/d"), QStringLiteral("--language=de"),
                     QStringLiteral("--wire-log"), QStringLiteral("/tmp/w.log")});
  ASSERT_TRUE(full.ok()) << full.error().message;
  EXPECT_EQ(full->state_file, std::filesystem::path("/tmp/k.bin"));
  EXPECT_EQ(full->data_dir, std::filesystem::path("/tmp/d"));
  EXPECT_EQ(full->language, Language::kGerman);
  EXPECT_EQ(full->wire_log, std::filesystem::path("/tmp/w.log"));

  auto none = Parse({});
  ASSERT_TRUE(none.ok());
  EXPECT_FALSE(none->simulate);
  EXPECT_FALSE(none->language);
  EXPECT_FALSE(none->minimized);

  auto autostart = Parse({QStringLiteral("--minimized"), QStringLiteral("--version")});
  ASSERT_TRUE(autostart.ok());
  EXPECT_TRUE(autostart->minimized);
  EXPECT_TRUE(autostart->version);
  EXPECT_TRUE(
      AppVersionLine().startsWith(QStringLiteral("n240qx ") + QLatin1String(N240QX_VERSION)));
}

TEST(AppOptions, MissingValuesUnknownOptionsAndLanguagesAreRefused) {
  EXPECT_FALSE(Parse({QStringLiteral("--data-dir")}).ok());
  EXPECT_FALSE(Parse({QStringLiteral("--data-dir=")}).ok());
  EXPECT_FALSE(Parse({QStringLiteral("--simulate=")}).ok());
  EXPECT_FALSE(Parse({QStringLiteral("--language"), QStringLiteral("fr")}).ok());
  const auto unknown = Parse({QStringLiteral("--frobnicate")});
  ASSERT_FALSE(unknown.ok());
  EXPECT_NE(unknown.error().message.find("--frobnicate"), std::string::npos);
  EXPECT_EQ(ParseLanguage(QStringLiteral("EN")), Language::kEnglish);
  EXPECT_EQ(ParseLanguage(QStringLiteral("7")), Language::kGerman);
  EXPECT_FALSE(ParseLanguage(QString()));
}

TEST(SingleInstance, ASecondStartAsksTheFirstToShowAndEnds) {
  QTemporaryDir data;
  const QString name = SingleInstance::ServerNameFor(data.path().toStdString());
  SingleInstance first(name);
  ASSERT_TRUE(first.Claim());
  QSignalSpy shown(&first, &SingleInstance::ShowRequested);
  SingleInstance second(name);
  EXPECT_FALSE(second.Claim());
  EXPECT_TRUE(WaitFor([&] { return shown.count() == 1; }));
  // Another data folder is another instance.
  QTemporaryDir other;
  SingleInstance elsewhere(SingleInstance::ServerNameFor(other.path().toStdString()));
  EXPECT_TRUE(elsewhere.Claim());
  EXPECT_NE(elsewhere.server_name(), name);
}

TEST(SingleInstance, ALeftOverSocketFromACrashIsTakenOver) {
  QTemporaryDir data;
  const QString name = SingleInstance::ServerNameFor(data.path().toStdString());
  // A socket file nobody listens on, as a crashed program leaves it.
  QLocalServer crashed;
  ASSERT_TRUE(crashed.listen(name));
  const QString socket_file = crashed.fullServerName();
  crashed.close();
  QFile stale(socket_file);
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.close();
  SingleInstance instance(name);
  EXPECT_TRUE(instance.Claim());
}

TEST(SingleInstance, AStartThatHasClaimedButIsNotListeningYetKeepsASecondOneOut) {
  QTemporaryDir data;
  const QString name = SingleInstance::ServerNameFor(data.path().toStdString());
  // The other start won the claim a moment ago and has not set up its socket yet.
  auto other = FileLock::TryLock(SingleInstance::LockFileFor(name));
  ASSERT_TRUE(other.ok() && *other != nullptr);
  SingleInstance late(name);
  EXPECT_FALSE(late.Claim());
  other->reset();
  SingleInstance next(name);
  EXPECT_TRUE(next.Claim()) << "the claim goes with the program that held it";
}

TEST(StopSignalNotifier, SigtermAndSigintArriveAsQtSignals) {
  StopSignalNotifier notifier;
  QSignalSpy stops(&notifier, &StopSignalNotifier::StopRequested);
  ASSERT_EQ(::raise(SIGTERM), 0);
  ASSERT_EQ(::raise(SIGINT), 0);
  EXPECT_TRUE(WaitFor([&] { return stops.count() == 2; }));
  EXPECT_EQ(stops.value(0).value(0).toInt(), SIGTERM);
  EXPECT_EQ(stops.value(1).value(0).toInt(), SIGINT);
}

TEST(QtLauncher, ProgramsStartDirectlyAndEverythingElseOpensAsAUrl) {
  std::vector<QUrl> opened;
  std::vector<std::pair<QString, QString>> started;
  QtLauncher launcher(
      [&](const QUrl& url) {
        opened.push_back(url);
        return true;
      },
      [&](const QString& program, const QString& directory) {
        started.emplace_back(program, directory);
        return true;
      });
  launcher.Launch(SplitLaunchPath(AssignmentKind::kStartup, u"/opt/game/run; rm -rf ~"));
  launcher.Launch(SplitLaunchPath(AssignmentKind::kPlayMusic, u"/home/u/Music/song one.mp3"));
  launcher.Launch(SplitLaunchPath(AssignmentKind::kOpenFolder, u"/home/u/Music"));
  launcher.Launch(SplitLaunchPath(AssignmentKind::kOpenFile, u"no-separator.txt"));
  ASSERT_EQ(started.size(), 1u);
  // The whole stored path is the program's name; nothing in it is interpreted.
  EXPECT_EQ(started[0].first, QStringLiteral("/opt/game/run; rm -rf ~"));
  EXPECT_EQ(started[0].second, QStringLiteral("/opt/game"));
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], QUrl::fromLocalFile(QStringLiteral("/home/u/Music/song one.mp3")));
  EXPECT_EQ(opened[1], QUrl::fromLocalFile(QStringLiteral("/home/u/Music")));
}

TEST(QtLauncher, ARealProgramStartsInItsOwnFolder) {
  QTemporaryDir folder;
  const QString script = folder.filePath(QStringLiteral("launched.sh"));
  QFile file(script);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("#!/bin/sh\ntouch started-here\n");
  file.close();
  file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QtLauncher launcher;
  launcher.Launch(SplitLaunchPath(AssignmentKind::kStartup, script.toStdU16String()));
  EXPECT_TRUE(WaitFor([&] { return QFile::exists(folder.filePath("started-here")); }));
}

}  // namespace
}  // namespace n240qx::testing
