#include "device/CommandExchange.h"

#include <algorithm>

namespace n240qx {

CommandExchange::CommandExchange(CommandChannel& channel, Clock& clock, std::string_view command)
    : channel_(channel), clock_(clock), command_(command) {}

Status CommandExchange::Send(std::uint8_t code, const FeatureParams& params) {
  Status sent = channel_.SendFeature(code, params);
  if (!sent.ok()) {
    return Named(sent.error());
  }
  return Status::Ok();
}

Result<FeatureAnswer> CommandExchange::FetchAnswer() {
  auto answer = channel_.GetFeatureAnswer();
  if (!answer.ok()) {
    return Named(answer.error());
  }
  return answer;
}

Status CommandExchange::FetchUnusedAnswer() {
  auto answer = channel_.GetFeatureAnswer();
  if (!answer.ok() && (answer.error().code == ErrorCode::kDisconnected ||
                       answer.error().code == ErrorCode::kNotOpen)) {
    return Named(answer.error());
  }
  return Status::Ok();
}

Status CommandExchange::ReadData(std::span<std::uint8_t> target,
                                 std::optional<int> pause_after_each) {
  const std::size_t count = target.size() / kDataPayloadSize;
  for (std::size_t i = 0; i < count; ++i) {
    auto payload = channel_.ReadDataReport();
    if (!payload.ok()) {
      return NamedReport(payload.error(), i, count);
    }
    std::copy(payload->begin(), payload->end(), target.begin() + i * kDataPayloadSize);
    if (pause_after_each) {
      clock_.SleepMs(*pause_after_each);
    }
  }
  return Status::Ok();
}

Status CommandExchange::WriteData(std::span<const std::uint8_t> source,
                                  std::optional<int> pause_between,
                                  std::optional<int> pause_after_last) {
  const std::size_t count = source.size() / kDataPayloadSize;
  for (std::size_t i = 0; i < count; ++i) {
    const auto payload = source.subspan(i * kDataPayloadSize).first<kDataPayloadSize>();
    Status written = channel_.WriteDataReport(payload);
    if (!written.ok()) {
      return NamedReport(written.error(), i, count);
    }
    const std::optional<int> pause = i + 1 < count ? pause_between : pause_after_last;
    if (pause) {
      clock_.SleepMs(*pause);
    }
  }
  return Status::Ok();
}

Error CommandExchange::Named(const Error& error) const {
  return Error{error.code, command_ + ": " + error.message};
}

Error CommandExchange::NamedReport(const Error& error, std::size_t index, std::size_t count) const {
  return Error{error.code, command_ + ": " + error.message + " (report " +
                               std::to_string(index + 1) + " of " + std::to_string(count) + ")"};
}

Error IndexOutOfRange(std::string_view command, std::string_view what, std::size_t value,
                      std::size_t count) {
  return Error{ErrorCode::kInvalidArgument, std::string(command) + ": " + std::string(what) + " " +
                                                std::to_string(value) + " is not in 0-" +
                                                std::to_string(count - 1)};
}

}  // namespace n240qx
