#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "device/CommandChannel.h"
#include "util/Clock.h"
#include "util/Result.h"

namespace n240qx {

// The steps every command is made of, run for one named command: each failure comes back as an
// error that names the command, so a sequence can stop at it and say where it stopped.
class CommandExchange {
 public:
  CommandExchange(CommandChannel& channel, Clock& clock, std::string_view command);

  Status Send(std::uint8_t code, const FeatureParams& params);
  // An answer whose bytes the command stores.
  Result<FeatureAnswer> FetchAnswer();
  // An answer nothing is taken from: the keyboard's data reports follow whatever it holds, so
  // only a closed or unplugged device stops the command here.
  Status FetchUnusedAnswer();
  // Fills `target` (a whole number of payloads) from consecutive data reports.
  Status ReadData(std::span<std::uint8_t> target, std::optional<int> pause_after_each);
  // Sends `source` (a whole number of payloads) as consecutive data reports.
  Status WriteData(std::span<const std::uint8_t> source, std::optional<int> pause_between,
                   std::optional<int> pause_after_last);
  void Pause(int ms) { clock_.SleepMs(ms); }

 private:
  Error Named(const Error& error) const;
  Error NamedReport(const Error& error, std::size_t index, std::size_t count) const;

  CommandChannel& channel_;
  Clock& clock_;
  std::string command_;
};

// A command asked for a macro, slot or table the keyboard does not have; nothing is sent.
Error IndexOutOfRange(std::string_view command, std::string_view what, std::size_t value,
                      std::size_t count);

}  // namespace n240qx
