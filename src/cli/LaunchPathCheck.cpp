#include "cli/LaunchPathCheck.h"

#include "keys/LaunchPathChange.h"

namespace n240qx {

ExitCode CheckLoadedLaunchPaths(CliSession& session, const KeyActionTable& before,
                                const std::string& what) {
  const auto changes = ChangedLaunchPaths(before, session.state().key_actions);
  if (changes.empty() || session.allow_launch()) {
    return ExitCode::kOk;
  }
  return session.Fail(ExitCode::kFileError,
                      "refused " + what +
                          ", nothing was sent: it makes keys start programs or open files:" +
                          ListedLaunchPaths(changes) + std::string(kAllowLaunchHint));
}

}  // namespace n240qx
