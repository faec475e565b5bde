#include "app/LaunchQuestion.h"

namespace n240qx {

LaunchQuestion::LaunchQuestion(const Texts& texts, const std::vector<LaunchPathChange>& changes)
    : title_(texts.Get(TextId::kLaunchPathsTitle)),
      question_(std::string(texts.Get(TextId::kLaunchPathsListed)) + ListedLaunchPaths(changes) +
                "\n\n" + std::string(texts.Get(TextId::kLaunchPathsTake))) {}

}  // namespace n240qx
