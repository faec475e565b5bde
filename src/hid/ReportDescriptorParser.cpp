#include "hid/ReportDescriptorParser.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace n240qx {

namespace {

enum class ItemType : std::uint8_t { kMain = 0, kGlobal = 1, kLocal = 2, kReserved = 3 };
enum class ReportKind : std::uint8_t { kInput, kOutput, kFeature };

// Main item tags.
constexpr std::uint8_t kInputTag = 0x8;
constexpr std::uint8_t kOutputTag = 0x9;
constexpr std::uint8_t kCollectionTag = 0xA;
constexpr std::uint8_t kFeatureTag = 0xB;
constexpr std::uint8_t kEndCollectionTag = 0xC;
// Global item tags.
constexpr std::uint8_t kUsagePageTag = 0x0;
constexpr std::uint8_t kReportSizeTag = 0x7;
constexpr std::uint8_t kReportIdTag = 0x8;
constexpr std::uint8_t kReportCountTag = 0x9;
constexpr std::uint8_t kPushTag = 0xA;
constexpr std::uint8_t kPopTag = 0xB;
// Local item tags.
constexpr std::uint8_t kUsageTag = 0x0;
constexpr std::uint8_t kUsageMinimumTag = 0x1;

constexpr std::uint8_t kLongItemPrefix = 0xFE;
// The kernel's own buffer limit for one report; anything longer is a damaged descriptor, and
// the cap keeps the bit sums far from overflow.
constexpr std::uint64_t kMaxReportBits = 16384 * 8;

struct GlobalState {
  std::uint32_t usage_page = 0;
  std::uint8_t report_id = 0;
  std::uint32_t report_size = 0;
  std::uint32_t report_count = 0;
};

struct LocalState {
  // Usages given with four bytes carry their own page in the high half.
  std::optional<std::uint32_t> first_usage;
  bool first_usage_extended = false;
  std::optional<std::uint32_t> usage_minimum;
};

struct ReportKey {
  ReportKind kind;
  std::uint8_t id;
  auto operator<=>(const ReportKey&) const = default;
};

Error Damaged(std::size_t offset, const std::string& what) {
  return Error{ErrorCode::kBadData,
               "Damaged report descriptor at byte " + std::to_string(offset) + ": " + what};
}

class DescriptorReader {
 public:
  explicit DescriptorReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  Result<std::vector<HidTopLevelCollection>> Run() {
    while (offset_ < bytes_.size()) {
      Status step = Step();
      if (!step) {
        return step.error();
      }
    }
    if (depth_ != 0) {
      return Damaged(offset_, "a collection is never closed");
    }
    FillLengths();
    return std::move(collections_);
  }

 private:
  Status Step() {
    const std::size_t item_offset = offset_;
    const std::uint8_t prefix = bytes_[offset_];
    if (prefix == kLongItemPrefix) {
      // Long items carry no meaning for reports; only their length matters.
      if (bytes_.size() - offset_ < 3) {
        return Damaged(item_offset, "long item header cut short");
      }
      const std::size_t data_size = bytes_[offset_ + 1];
      if (bytes_.size() - offset_ - 3 < data_size) {
        return Damaged(item_offset, "long item data cut short");
      }
      offset_ += 3 + data_size;
      return Status::Ok();
    }
    const std::size_t size_code = prefix & 0x3u;
    const std::size_t data_size = size_code == 3 ? 4 : size_code;
    if (bytes_.size() - offset_ - 1 < data_size) {
      return Damaged(item_offset, "item data cut short");
    }
    std::uint32_t data = 0;
    for (std::size_t i = 0; i < data_size; ++i) {
      data |= static_cast<std::uint32_t>(bytes_[offset_ + 1 + i]) << (8 * i);
    }
    offset_ += 1 + data_size;
    const auto type = static_cast<ItemType>((prefix >> 2) & 0x3u);
    const auto tag = static_cast<std::uint8_t>(prefix >> 4);
    switch (type) {
      case ItemType::kMain:
        return MainItem(item_offset, tag);
      case ItemType::kGlobal:
        return GlobalItem(item_offset, tag, data);
      case ItemType::kLocal:
        LocalItem(tag, data, data_size);
        return Status::Ok();
      case ItemType::kReserved:
        return Status::Ok();
    }
    return Status::Ok();
  }

  Status MainItem(std::size_t item_offset, std::uint8_t tag) {
    Status status;
    switch (tag) {
      case kCollectionTag:
        OpenCollection();
        break;
      case kEndCollectionTag:
        if (depth_ == 0) {
          status = Damaged(item_offset, "End Collection without a Collection");
        } else {
          --depth_;
        }
        break;
      case kInputTag:
        status = AddReport(item_offset, ReportKind::kInput);
        break;
      case kOutputTag:
        status = AddReport(item_offset, ReportKind::kOutput);
        break;
      case kFeatureTag:
        status = AddReport(item_offset, ReportKind::kFeature);
        break;
      default:
        break;
    }
    local_ = LocalState{};
    return status;
  }

  void OpenCollection() {
    if (depth_ == 0) {
      HidTopLevelCollection collection;
      std::optional<std::uint32_t> usage = local_.first_usage;
      bool extended = local_.first_usage_extended;
      if (!usage) {
        usage = local_.usage_minimum;
        extended = false;
      }
      const std::uint32_t value = usage.value_or(0);
      collection.usage_page =
          static_cast<std::uint16_t>(extended ? value >> 16 : global_.usage_page);
      collection.usage = static_cast<std::uint16_t>(value & 0xFFFFu);
      collections_.push_back(std::move(collection));
    }
    ++depth_;
  }

  Status AddReport(std::size_t item_offset, ReportKind kind) {
    if (depth_ == 0) {
      // Outside every collection no interface can own the report; Windows ignores it too.
      return Status::Ok();
    }
    const std::uint64_t bits =
        static_cast<std::uint64_t>(global_.report_size) * global_.report_count;
    std::uint64_t& total = report_bits_[ReportKey{kind, global_.report_id}];
    if (bits > kMaxReportBits || total + bits > kMaxReportBits) {
      return Damaged(item_offset, "report longer than any device can send");
    }
    total += bits;
    HidTopLevelCollection& collection = collections_.back();
    std::vector<std::uint8_t>& ids = IdsOf(collection, kind);
    auto at = std::lower_bound(ids.begin(), ids.end(), global_.report_id);
    if (at == ids.end() || *at != global_.report_id) {
      ids.insert(at, global_.report_id);
    }
    return Status::Ok();
  }

  Status GlobalItem(std::size_t item_offset, std::uint8_t tag, std::uint32_t data) {
    switch (tag) {
      case kUsagePageTag:
        global_.usage_page = data & 0xFFFFu;
        break;
      case kReportSizeTag:
        global_.report_size = data;
        break;
      case kReportIdTag:
        if (data == 0 || data > 0xFF) {
          return Damaged(item_offset, "report id " + std::to_string(data) + " is not 1-255");
        }
        global_.report_id = static_cast<std::uint8_t>(data);
        break;
      case kReportCountTag:
        global_.report_count = data;
        break;
      case kPushTag:
        stack_.push_back(global_);
        break;
      case kPopTag:
        if (stack_.empty()) {
          return Damaged(item_offset, "Pop without Push");
        }
        global_ = stack_.back();
        stack_.pop_back();
        break;
      default:
        break;
    }
    return Status::Ok();
  }

  void LocalItem(std::uint8_t tag, std::uint32_t data, std::size_t data_size) {
    if (tag == kUsageTag && !local_.first_usage) {
      local_.first_usage = data;
      local_.first_usage_extended = data_size == 4;
    } else if (tag == kUsageMinimumTag && !local_.usage_minimum) {
      local_.usage_minimum = data;
    }
  }

  static std::vector<std::uint8_t>& IdsOf(HidTopLevelCollection& collection, ReportKind kind) {
    switch (kind) {
      case ReportKind::kInput:
        return collection.input_report_ids;
      case ReportKind::kOutput:
        return collection.output_report_ids;
      case ReportKind::kFeature:
        break;
    }
    return collection.feature_report_ids;
  }

  std::size_t LongestReport(const std::vector<std::uint8_t>& ids, ReportKind kind) const {
    std::size_t longest = 0;
    for (std::uint8_t id : ids) {
      auto found = report_bits_.find(ReportKey{kind, id});
      const std::uint64_t bits = found == report_bits_.end() ? 0 : found->second;
      longest = std::max(longest, static_cast<std::size_t>((bits + 7) / 8) + 1);
    }
    return longest;
  }

  void FillLengths() {
    for (HidTopLevelCollection& collection : collections_) {
      collection.input_report_length =
          LongestReport(collection.input_report_ids, ReportKind::kInput);
      collection.output_report_length =
          LongestReport(collection.output_report_ids, ReportKind::kOutput);
      collection.feature_report_length =
          LongestReport(collection.feature_report_ids, ReportKind::kFeature);
    }
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t offset_ = 0;
  std::size_t depth_ = 0;
  GlobalState global_;
  LocalState local_;
  std::vector<GlobalState> stack_;
  std::map<ReportKey, std::uint64_t> report_bits_;
  std::vector<HidTopLevelCollection> collections_;
};

}  // namespace

Result<std::vector<HidTopLevelCollection>> ParseReportDescriptor(
    std::span<const std::uint8_t> descriptor) {
  return DescriptorReader(descriptor).Run();
}

}  // namespace n240qx
