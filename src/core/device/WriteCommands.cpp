#include "device/WriteCommands.h"

#include <algorithm>
#include <array>
#include <string>

#include "device/CommandCode.h"
#include "device/CommandExchange.h"

namespace n240qx {

namespace {

namespace code = command_code;
namespace field = image_field;

constexpr int kFactoryResetSettleMs = 300;

std::uint8_t Byte(std::size_t value) {
  return static_cast<std::uint8_t>(value);
}

std::uint8_t ReportCount(std::size_t bytes) {
  return Byte(bytes / kDataPayloadSize);
}

}  // namespace

WriteCommands::WriteCommands(CommandChannel& channel, Clock& clock)
    : channel_(channel), clock_(clock) {}

Status WriteCommands::SendSimple(const char* command, std::uint8_t code,
                                 const FeatureParams& params, int pause_after_send) {
  CommandExchange exchange(channel_, clock_, command);
  if (Status sent = exchange.Send(code, params); !sent.ok()) {
    return sent;
  }
  exchange.Pause(pause_after_send);
  return Status::Ok();
}

Status WriteCommands::WriteReportRate(const ConfigImage& image) {
  return SendSimple("WriteReportRate", code::kWriteReportRate, {image.report_rate()}, 10);
}

Status WriteCommands::WriteResponseTime(const ConfigImage& image) {
  const auto device_value = static_cast<std::uint8_t>(image.response_time() + 1);
  return SendSimple("WriteResponseTime", code::kWriteResponseTime, {device_value}, 10);
}

Status WriteCommands::WriteLighting(LightingFrame mode, const ConfigImage& image) {
  const std::uint8_t brightness = mode == LightingFrame::kClosing ? image.brightness() : 0;
  const FeatureParams params{static_cast<std::uint8_t>(mode),
                             image.light_effect(),
                             static_cast<std::uint8_t>(10 - image.effect_speed()),
                             brightness,
                             image.colour_choice(),
                             image.light_direction()};
  return SendSimple("WriteLighting", code::kWriteLighting, params, 10);
}

Status WriteCommands::WriteGameMode(ConfigImage& image) {
  Status sent = SendSimple("WriteGameMode", code::kWriteGameMode, {image.game_mode()}, 20);
  if (sent.ok()) {
    image.ApplyWindowsKeyLock();
  }
  return sent;
}

Status WriteCommands::SelectModeOne() {
  return SendSimple("SelectModeOne", code::kWriteGameMode, {1}, 20);
}

Status WriteCommands::WriteKeyMap(const ConfigImage& image) {
  CommandExchange exchange(channel_, clock_, "WriteKeyMap");
  const auto key_map = image.key_map();
  if (Status sent = exchange.Send(code::kWriteKeyMap, {0, 0, ReportCount(key_map.size())});
      !sent.ok()) {
    return sent;
  }
  exchange.Pause(50);
  return exchange.WriteData(key_map, std::nullopt, 60);
}

Status WriteCommands::WriteKeyEnableMask(const ConfigImage& image) {
  CommandExchange exchange(channel_, clock_, "WriteKeyEnableMask");
  const auto mask = image.key_enable_mask();
  std::array<std::uint8_t, kDataPayloadSize> payload{};
  std::ranges::copy(mask, payload.begin());
  if (Status sent = exchange.Send(code::kWriteKeyEnableMask, {0, 0, Byte(mask.size())});
      !sent.ok()) {
    return sent;
  }
  exchange.Pause(10);
  return exchange.WriteData(payload, std::nullopt, std::nullopt);
}

Status WriteCommands::WriteMacro(
    std::size_t index, std::span<const std::uint8_t, image_field::kMacroRecordSize> record) {
  if (index >= field::kMacroRecordCount) {
    return IndexOutOfRange("WriteMacro", "macro index", index, field::kMacroRecordCount);
  }
  CommandExchange exchange(channel_, clock_, "WriteMacro " + std::to_string(index));
  if (Status sent = exchange.Send(code::kWriteMacro, {0, Byte(index), ReportCount(record.size())});
      !sent.ok()) {
    return sent;
  }
  exchange.Pause(1);
  // Only a yield between the reports: the keyboard takes them back to back.
  return exchange.WriteData(record, 0, std::nullopt);
}

Status WriteCommands::WriteColourTable(std::size_t table, const ConfigImage& image) {
  if (table >= field::kColourTableCount) {
    return IndexOutOfRange("WriteColourTable", "colour table", table, field::kColourTableCount);
  }
  CommandExchange exchange(channel_, clock_, "WriteColourTable " + std::to_string(table));
  const auto colours = image.Field(field::ColourTable(table));
  if (Status sent =
          exchange.Send(code::kWriteColourTable, {0, Byte(table), ReportCount(colours.size())});
      !sent.ok()) {
    return sent;
  }
  exchange.Pause(5);
  return exchange.WriteData(colours, 5, 5);
}

Status WriteCommands::FactoryReset() {
  if (Status sent = SendSimple("FactoryReset", code::kFactoryReset, {0xFF}, kFactoryResetSettleMs);
      !sent.ok()) {
    return sent;
  }
  for (int round = 0; round < 2; ++round) {
    if (Status selected = SelectModeOne(); !selected.ok()) {
      return Error{selected.error().code, "FactoryReset: " + selected.error().message};
    }
    clock_.SleepMs(kFactoryResetSettleMs);
  }
  return Status::Ok();
}

Status WriteCommands::WriteColourSlot(std::size_t slot, const ConfigImage& image) {
  if (slot >= field::kColourSlotCount) {
    return IndexOutOfRange("WriteColourSlot", "colour slot", slot, field::kColourSlotCount);
  }
  const auto rgb = image.Field(field::ColourSlot(slot));
  return SendSimple("WriteColourSlot", code::kWriteColourSlot,
                    {0, Byte(slot), rgb[0], rgb[1], rgb[2]}, 20);
}

Status WriteCommands::WriteBracket(Bracket bracket) {
  return SendSimple("WriteBracket", code::kWriteBracket, {static_cast<std::uint8_t>(bracket)}, 20);
}

}  // namespace n240qx
