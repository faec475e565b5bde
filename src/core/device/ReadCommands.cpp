#include "device/ReadCommands.h"

#include <algorithm>
#include <array>
#include <string>

#include "device/CommandCode.h"
#include "device/CommandExchange.h"

namespace n240qx {

namespace {

namespace code = command_code;
namespace field = image_field;

// The simple reads: request, pause, answer, and for some a pause after it.
Result<FeatureAnswer> AskForAnswer(CommandExchange& exchange, std::uint8_t command,
                                   const FeatureParams& params, int pause_after_send,
                                   int pause_after_answer) {
  if (Status sent = exchange.Send(command, params); !sent.ok()) {
    return sent.error();
  }
  exchange.Pause(pause_after_send);
  auto answer = exchange.FetchAnswer();
  if (answer.ok() && pause_after_answer > 0) {
    exchange.Pause(pause_after_answer);
  }
  return answer;
}

std::uint8_t Byte(std::size_t value) {
  return static_cast<std::uint8_t>(value);
}

}  // namespace

ReadCommands::ReadCommands(CommandChannel& channel, Clock& clock)
    : channel_(channel), clock_(clock) {}

Result<FirmwareVersion> ReadCommands::ReadFirmwareVersion() {
  CommandExchange exchange(channel_, clock_, "ReadFirmwareVersion");
  auto answer = AskForAnswer(exchange, code::kReadFirmwareVersion, {}, 10, 10);
  if (!answer.ok()) {
    return answer.error();
  }
  return FirmwareVersion{(*answer)[2], (*answer)[3]};
}

Status ReadCommands::ReadReportRate(ConfigImage& image) {
  CommandExchange exchange(channel_, clock_, "ReadReportRate");
  auto answer = AskForAnswer(exchange, code::kReadReportRate, {}, 10, 10);
  if (!answer.ok()) {
    return answer.error();
  }
  image.report_rate() = (*answer)[2];
  return Status::Ok();
}

Status ReadCommands::ReadResponseTime(ConfigImage& image) {
  CommandExchange exchange(channel_, clock_, "ReadResponseTime");
  auto answer = AskForAnswer(exchange, code::kReadResponseTime, {}, 10, 10);
  if (!answer.ok()) {
    return answer.error();
  }
  image.response_time() = static_cast<std::uint8_t>((*answer)[2] - 1);
  return Status::Ok();
}

Status ReadCommands::ReadLighting(ConfigImage& image) {
  CommandExchange exchange(channel_, clock_, "ReadLighting");
  auto answer = AskForAnswer(exchange, code::kReadLighting, {}, 10, 0);
  if (!answer.ok()) {
    return answer.error();
  }
  const FeatureAnswer& bytes = *answer;
  image.light_effect() = bytes[3];
  image.effect_speed() = static_cast<std::uint8_t>(10 - bytes[4]);
  image.brightness() = bytes[5];
  image.colour_choice() = bytes[6];
  image.light_direction() = bytes[7];
  return Status::Ok();
}

Status ReadCommands::ReadGameMode(ConfigImage& image) {
  CommandExchange exchange(channel_, clock_, "ReadGameMode");
  auto answer = AskForAnswer(exchange, code::kReadGameMode, {}, 5, 0);
  if (!answer.ok()) {
    return answer.error();
  }
  image.game_mode() = (*answer)[2];
  return Status::Ok();
}

Status ReadCommands::ReadKeyMap(ConfigImage& image) {
  CommandExchange exchange(channel_, clock_, "ReadKeyMap");
  std::array<std::uint8_t, field::kKeyMap.size> key_map{};
  if (Status sent = exchange.Send(code::kReadKeyMap, {}); !sent.ok()) {
    return sent;
  }
  if (Status answered = exchange.FetchUnusedAnswer(); !answered.ok()) {
    return answered;
  }
  if (Status read = exchange.ReadData(key_map, std::nullopt); !read.ok()) {
    return read;
  }
  std::ranges::copy(key_map, image.key_map().begin());
  return Status::Ok();
}

Status ReadCommands::ReadKeyEnableMask(ConfigImage& image) {
  CommandExchange exchange(channel_, clock_, "ReadKeyEnableMask");
  std::array<std::uint8_t, kDataPayloadSize> payload{};
  const FeatureParams params{0, 0, Byte(field::kKeyEnableMask.size)};
  if (Status sent = exchange.Send(code::kReadKeyEnableMask, params); !sent.ok()) {
    return sent;
  }
  if (Status answered = exchange.FetchUnusedAnswer(); !answered.ok()) {
    return answered;
  }
  if (Status read = exchange.ReadData(payload, std::nullopt); !read.ok()) {
    return read;
  }
  std::copy_n(payload.begin(), field::kKeyEnableMask.size, image.key_enable_mask().begin());
  image.DeriveWindowsKeyLock();
  return Status::Ok();
}

Status ReadCommands::ReadMacro(std::size_t index, ConfigImage& image) {
  if (index >= field::kMacroRecordCount) {
    return IndexOutOfRange("ReadMacro", "macro index", index, field::kMacroRecordCount);
  }
  CommandExchange exchange(channel_, clock_, "ReadMacro " + std::to_string(index));
  std::array<std::uint8_t, field::kMacroRecordSize> record{};
  if (Status sent = exchange.Send(code::kReadMacro, {0, Byte(index)}); !sent.ok()) {
    return sent;
  }
  if (Status answered = exchange.FetchUnusedAnswer(); !answered.ok()) {
    return answered;
  }
  if (Status read = exchange.ReadData(record, std::nullopt); !read.ok()) {
    return read;
  }
  std::ranges::copy(record, image.Field(field::MacroRecord(index)).begin());
  return Status::Ok();
}

Status ReadCommands::ReadColourTable(std::size_t table, ConfigImage& image) {
  if (table >= field::kColourTableCount) {
    return IndexOutOfRange("ReadColourTable", "colour table", table, field::kColourTableCount);
  }
  CommandExchange exchange(channel_, clock_, "ReadColourTable " + std::to_string(table));
  std::array<std::uint8_t, field::kColourTableSize> colours{};
  const FeatureParams params{0, Byte(table), Byte(colours.size() / kDataPayloadSize)};
  if (Status sent = exchange.Send(code::kReadColourTable, params); !sent.ok()) {
    return sent;
  }
  // The keyboard gathers the table between these steps; the pauses are part of its protocol.
  exchange.Pause(50);
  if (Status answered = exchange.FetchUnusedAnswer(); !answered.ok()) {
    return answered;
  }
  exchange.Pause(50);
  if (Status read = exchange.ReadData(colours, 50); !read.ok()) {
    return read;
  }
  std::ranges::copy(colours, image.Field(field::ColourTable(table)).begin());
  return Status::Ok();
}

Status ReadCommands::ReadColourSlot(std::size_t slot, ConfigImage& image) {
  if (slot >= field::kColourSlotCount) {
    return IndexOutOfRange("ReadColourSlot", "colour slot", slot, field::kColourSlotCount);
  }
  CommandExchange exchange(channel_, clock_, "ReadColourSlot " + std::to_string(slot));
  auto answer = AskForAnswer(exchange, code::kReadColourSlot, {0, Byte(slot)}, 1, 1);
  if (!answer.ok()) {
    return answer.error();
  }
  std::copy_n(answer->begin() + 4, 3, image.Field(field::ColourSlot(slot)).begin());
  return Status::Ok();
}

}  // namespace n240qx
