#include "support/ValidProfile.h"

#include "image/ImageField.h"
#include "keys/KeyActionEntry.h"
#include "keys/KeyActionTable.h"

namespace n240qx::testing {

namespace {

struct Range {
  ImageField field;
  unsigned low;
  unsigned high;
};

constexpr Range kRanges[] = {
    {image_field::kReportRate, 0, 3},   {image_field::kResponseTime, 0, 9},
    {image_field::kEffectSpeed, 0, 9},  {image_field::kBrightness, 0, 50},
    {image_field::kColourChoice, 1, 8}, {image_field::kLightDirection, 1, 4},
    {image_field::kGameMode, 0, 1},     {image_field::kWindowsKeyLock, 0, 1},
};

void Put(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint8_t value) {
  if (at < bytes.size()) {
    bytes[at] = value;
  }
}

}  // namespace

std::vector<std::uint8_t> ValidProfile(std::size_t size, std::uint8_t fill) {
  std::vector<std::uint8_t> bytes(size, fill);
  for (const Range& range : kRanges) {
    Put(bytes, range.field.offset,
        static_cast<std::uint8_t>(range.low + fill % (range.high - range.low + 1)));
  }
  Put(bytes, image_field::kLightEffect.offset, 1);  // Static
  for (std::size_t entry = 0; entry < KeyActionTable::kEntryCount; ++entry) {
    Put(bytes,
        image_field::kImageSize + KeyActionEntry::kSize * entry + KeyActionEntry::kKindOffset,
        static_cast<std::uint8_t>(fill % 8));
  }
  return bytes;
}

}  // namespace n240qx::testing
