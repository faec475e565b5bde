#include "cli/LaunchPathCheck.h"

#include "keys/LaunchPathChange.h"

namespace n240qx {

ExitCode CheckLoadedLaunchPaths(CliSession& session, const KeyActionTable& before,
                                const std::string& what) {
  if (session.allow_launch()) {
    return ExitCode::kOk;
  }
  const Status refused = RefuseNewLaunchPaths(before, session.state().key_actions(), what);
  return refused.ok() ? ExitCode::kOk
                      : session.Fail(ExitCode::kFileError,
                                     refused.error().message + std::string(kAllowLaunchHint));
}

}  // namespace n240qx
