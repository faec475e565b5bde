#include "sim/SimulatedKeyboard.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace n240qx {

namespace {

// The firmware's view of the command set, kept apart from the host's own constants on purpose:
// a shared typo would otherwise pass every test.
enum Code : std::uint8_t {
  kWriteReportRate = 0x01,
  kWriteResponseTime = 0x04,
  kWriteLighting = 0x08,
  kWriteGameMode = 0x09,
  kWriteKeyMap = 0x0D,
  kWriteKeyEnableMask = 0x0E,
  kWriteMacro = 0x11,
  kWriteColourTable = 0x12,
  kFactoryReset = 0x13,
  kWriteColourSlot = 0x14,
  kWriteBracket = 0x18,
  kReadFirmwareVersion = 0x80,
  kReadReportRate = 0x81,
  kReadResponseTime = 0x84,
  kReadLighting = 0x88,
  kReadGameMode = 0x89,
  kReadKeyMap = 0x8D,
  kReadKeyEnableMask = 0x8E,
  kReadMacro = 0x91,
  kReadColourTable = 0x92,
  kReadColourSlot = 0x94,
};

constexpr std::uint8_t kKeyMapReports = 8;
constexpr std::uint8_t kMaskByteCount = 0x15;
constexpr std::uint8_t kMacroReports = 3;
constexpr std::uint8_t kColourTableReports = 8;
constexpr std::uint8_t kFactoryResetMagic = 0xFF;

std::uint8_t Checksum(std::span<const std::uint8_t> report) {
  const unsigned sum = std::accumulate(report.begin() + 1, report.begin() + 8, 0U);
  return static_cast<std::uint8_t>(0xFFU - (sum & 0xFFU));
}

// Request bytes b2-b7 as the six parameters of an answer.
std::array<std::uint8_t, 6> ParamsOf(const SimFeature& request) {
  std::array<std::uint8_t, 6> params{};
  std::copy_n(request.begin() + 2, 6, params.begin());
  return params;
}

std::span<std::uint8_t> MacroRecord(SimulatedMemory& memory, std::size_t index) {
  return std::span<std::uint8_t>(memory.macros)
      .subspan(image_field::kMacroRecordSize * index, image_field::kMacroRecordSize);
}

std::span<std::uint8_t> ColourTable(SimulatedMemory& memory, std::size_t table) {
  return std::span<std::uint8_t>(memory.colour_tables)
      .subspan(image_field::kColourTableSize * table, image_field::kColourTableSize);
}

}  // namespace

SimulatedKeyboard::SimulatedKeyboard(SimulatedMemory memory) : memory_(std::move(memory)) {}

FirmwareStep SimulatedKeyboard::HandleFeatureReport(
    std::span<const std::uint8_t, kSimFeatureSize> report) {
  // A new command ends whatever the previous one still expected.
  ResetTransfers();
  SimFeature request{};
  std::copy(report.begin(), report.end(), request.begin());
  if (request[0] != 0) {
    return Reject("feature report id " + std::to_string(request[0]) + " is not 0");
  }
  if (Checksum(request) != request[8]) {
    return Reject("bad checksum on command " + std::to_string(request[1]));
  }
  return (request[1] & 0x80U) != 0 ? HandleRead(request) : HandleWrite(request);
}

FirmwareStep SimulatedKeyboard::HandleRead(const SimFeature& request) {
  auto params = ParamsOf(request);
  switch (request[1]) {
    case kReadFirmwareVersion:
      params = {memory_.firmware_major, memory_.firmware_minor, 0, 0, 0, 0};
      break;
    case kReadReportRate:
      params = {memory_.report_rate, 0, 0, 0, 0, 0};
      break;
    case kReadResponseTime:
      params = {memory_.response_time, 0, 0, 0, 0, 0};
      break;
    case kReadLighting:
      params = {0,
                memory_.light_effect,
                memory_.effect_speed,
                memory_.brightness,
                memory_.colour_choice,
                memory_.light_direction};
      break;
    case kReadGameMode:
      params = {memory_.game_mode, 0, 0, 0, 0, 0};
      break;
    case kReadKeyMap:
    case kReadKeyEnableMask:
    case kReadMacro:
    case kReadColourTable:
      return HandleBulkRead(request);
    case kReadColourSlot: {
      if (request[3] >= image_field::kColourSlotCount) {
        return Reject("colour slot " + std::to_string(request[3]) + " out of range");
      }
      const std::uint8_t* rgb = memory_.colour_slots.data() + 3 * request[3];
      params = {0, request[3], rgb[0], rgb[1], rgb[2], 0};
      break;
    }
    default:
      return Reject("unknown read command " + std::to_string(request[1]));
  }
  Answer(request, params);
  return FirmwareStep::kAccepted;
}

// The bulk reads answer with the request's parameters, the count of what follows in b4, and queue
// their region as data reports behind the answer.
FirmwareStep SimulatedKeyboard::HandleBulkRead(const SimFeature& request) {
  auto params = ParamsOf(request);
  switch (request[1]) {
    case kReadKeyMap:
      params[2] = kKeyMapReports;
      QueueDataReports(memory_.key_map);
      break;
    case kReadKeyEnableMask:
      if (request[4] != kMaskByteCount) {
        return Reject("key enable mask read without byte count 0x15");
      }
      QueueDataReports(memory_.key_enable_mask);
      break;
    case kReadMacro:
      if (request[3] >= image_field::kMacroRecordCount) {
        return Reject("macro index " + std::to_string(request[3]) + " out of range");
      }
      params[2] = kMacroReports;
      QueueDataReports(MacroRecord(memory_, request[3]));
      break;
    case kReadColourTable:
      if (request[3] >= image_field::kColourTableCount || request[4] != kColourTableReports) {
        return Reject("colour table read with table or count out of range");
      }
      QueueDataReports(ColourTable(memory_, request[3]));
      break;
    default:
      return Reject("unknown read command " + std::to_string(request[1]));
  }
  Answer(request, params);
  return FirmwareStep::kAccepted;
}

FirmwareStep SimulatedKeyboard::HandleWrite(const SimFeature& request) {
  switch (request[1]) {
    case kWriteReportRate:
      memory_.report_rate = request[2];
      break;
    case kWriteResponseTime:
      memory_.response_time = request[2];
      break;
    case kWriteLighting:
      // The opening frame carries brightness 0 and is stored like any other: the keyboard
      // stays dark until the closing frame comes.
      memory_.light_effect = request[3];
      memory_.effect_speed = request[4];
      memory_.brightness = request[5];
      memory_.colour_choice = request[6];
      memory_.light_direction = request[7];
      break;
    case kWriteGameMode:
      if (write_bracket_open_) {
        memory_.game_mode = request[2];
      }
      break;
    case kFactoryReset:
      if (request[2] != kFactoryResetMagic) {
        return Reject("factory reset without 0xFF");
      }
      memory_.RestoreFactorySettings();
      break;
    case kWriteColourSlot:
      if (request[3] >= image_field::kColourSlotCount) {
        return Reject("colour slot " + std::to_string(request[3]) + " out of range");
      }
      std::copy_n(request.begin() + 4, 3, memory_.colour_slots.begin() + 3 * request[3]);
      break;
    case kWriteBracket:
      write_bracket_open_ = request[2] == 1;
      break;
    case kWriteKeyMap:
    case kWriteKeyEnableMask:
    case kWriteMacro:
    case kWriteColourTable:
      return HandleBulkWrite(request);
    default:
      return Reject("unknown write command " + std::to_string(request[1]));
  }
  return FirmwareStep::kWriteComplete;
}

FirmwareStep SimulatedKeyboard::HandleBulkWrite(const SimFeature& request) {
  PendingWrite write;
  write.code = request[1];
  write.index = request[3];
  switch (request[1]) {
    case kWriteKeyMap:
      if (request[4] != kKeyMapReports) {
        return Reject("key map write without report count 8");
      }
      write.reports_expected = kKeyMapReports;
      break;
    case kWriteKeyEnableMask:
      if (request[4] != kMaskByteCount) {
        return Reject("key enable mask write without byte count 0x15");
      }
      write.reports_expected = 1;
      break;
    case kWriteMacro:
      if (request[3] >= image_field::kMacroRecordCount || request[4] != kMacroReports) {
        return Reject("macro write with index or count out of range");
      }
      write.reports_expected = kMacroReports;
      break;
    default:  // kWriteColourTable
      if (request[3] >= image_field::kColourTableCount || request[4] != kColourTableReports) {
        return Reject("colour table write with table or count out of range");
      }
      write.reports_expected = kColourTableReports;
      break;
  }
  write.payload.reserve(write.reports_expected * kSimDataPayloadSize);
  pending_write_ = std::move(write);
  return FirmwareStep::kAccepted;
}

FirmwareStep SimulatedKeyboard::HandleDataReport(
    std::span<const std::uint8_t, kSimDataPayloadSize> payload) {
  if (!pending_write_) {
    return Reject("data report with no write command waiting for it");
  }
  PendingWrite& write = *pending_write_;
  write.payload.insert(write.payload.end(), payload.begin(), payload.end());
  if (write.payload.size() < write.reports_expected * kSimDataPayloadSize) {
    return FirmwareStep::kAccepted;
  }
  StoreBulkWrite(write);
  pending_write_.reset();
  return FirmwareStep::kWriteComplete;
}

void SimulatedKeyboard::StoreBulkWrite(const PendingWrite& write) {
  const std::uint8_t* bytes = write.payload.data();
  switch (write.code) {
    case kWriteKeyMap:
      std::copy_n(bytes, memory_.key_map.size(), memory_.key_map.begin());
      break;
    case kWriteKeyEnableMask:
      std::copy_n(bytes, memory_.key_enable_mask.size(), memory_.key_enable_mask.begin());
      break;
    case kWriteMacro: {
      auto record = MacroRecord(memory_, write.index);
      std::copy_n(bytes, record.size(), record.begin());
      break;
    }
    default: {  // kWriteColourTable
      auto table = ColourTable(memory_, write.index);
      std::copy_n(bytes, table.size(), table.begin());
      break;
    }
  }
}

std::optional<SimPayload> SimulatedKeyboard::TakeDataReport() {
  if (data_in_.empty()) {
    return std::nullopt;
  }
  SimPayload payload = data_in_.front();
  data_in_.pop_front();
  return payload;
}

SimEvent SimulatedKeyboard::ChangeLightingOnKeyboard(std::uint8_t sub_code, std::uint8_t value) {
  switch (sub_code) {
    case 2:
      memory_.light_effect = value;
      break;
    case 3:
      memory_.effect_speed = value;
      break;
    case 4:
      memory_.brightness = value;
      break;
    case 5:
      memory_.colour_choice = value;
      break;
    case 6:
      memory_.light_direction = value;
      break;
    default:
      break;
  }
  return {kSimEventReportId, 1, sub_code, value};
}

void SimulatedKeyboard::ResetTransfers() {
  answer_.fill(0);
  data_in_.clear();
  pending_write_.reset();
}

void SimulatedKeyboard::Answer(const SimFeature& request, std::span<const std::uint8_t> params) {
  answer_[0] = 0;
  answer_[1] = request[1];
  std::copy_n(params.begin(), 6, answer_.begin() + 2);
  answer_[8] = Checksum(answer_);
}

void SimulatedKeyboard::QueueDataReports(std::span<const std::uint8_t> bytes) {
  for (std::size_t offset = 0; offset < bytes.size(); offset += kSimDataPayloadSize) {
    SimPayload payload{};
    const std::size_t count = std::min(kSimDataPayloadSize, bytes.size() - offset);
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), count, payload.begin());
    data_in_.push_back(payload);
  }
}

FirmwareStep SimulatedKeyboard::Reject(std::string reason) {
  last_rejection_ = std::move(reason);
  return FirmwareStep::kIgnored;
}

}  // namespace n240qx
