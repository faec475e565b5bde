#include "keys/FunctionTable.h"

#include <array>

namespace n240qx {

namespace {

// "Pause" sends 0x00B7 (stop) and "Play / Stop" 0x00CD (play/pause): that is what the keyboard
// has always been given for them.
constexpr std::array<FunctionRow, 23> kRows{{
    {u"Search", {0x00, 0xE3, 0x09, 0x00}},
    {u"Run", {0x00, 0xE3, 0x15, 0x00}},
    {u"Media Player", {0x03, 0x00, 0x83, 0x01}},
    {u"Previous", {0x03, 0x00, 0xB6, 0x00}},
    {u"Next", {0x03, 0x00, 0xB5, 0x00}},
    {u"Pause", {0x03, 0x00, 0xB7, 0x00}},
    {u"Volume Up", {0x03, 0x00, 0xE9, 0x00}},
    {u"Volume Down", {0x03, 0x00, 0xEA, 0x00}},
    {u"Mute", {0x03, 0x00, 0xE2, 0x00}},
    {u"Play / Stop", {0x03, 0x00, 0xCD, 0x00}},
    {u"New", {0x00, 0xE0, 0x11, 0x00}},
    {u"Cut", {0x00, 0xE0, 0x1B, 0x00}},
    {u"Copy", {0x00, 0xE0, 0x06, 0x00}},
    {u"Paste", {0x00, 0xE0, 0x19, 0x00}},
    {u"Save", {0x00, 0xE0, 0x16, 0x00}},
    {u"Print", {0x00, 0xE0, 0x13, 0x00}},
    {u"Select All", {0x00, 0xE0, 0x04, 0x00}},
    {u"Maximize window", {0x00, 0xE2, 0x2C, 0x1B}},
    {u"Minimize window", {0x00, 0xE2, 0x2C, 0x11}},
    {u"Computer / My Computer", {0x03, 0x00, 0x94, 0x01}},
    {u"Windows security screen", {0x00, 0xE0, 0xE2, 0x4C}},
    {u"Internet browser", {0x03, 0x00, 0x23, 0x02}},
    {u"Close window", {0x00, 0xE2, 0x3D, 0x00}},
}};

}  // namespace

std::span<const FunctionRow> FunctionTable::Rows() {
  return kRows;
}

const FunctionRow* FunctionTable::Find(std::u16string_view name) {
  for (const auto& row : kRows) {
    if (row.name == name) {
      return &row;
    }
  }
  return nullptr;
}

std::u16string DecodeFunction(std::span<const std::uint8_t> data) {
  if (data.size() < 4) {
    return {};
  }
  const auto entry = KeyMapEntry::FromBytes(data.first<4>());
  for (const auto& row : kRows) {
    if (row.entry == entry) {
      return std::u16string(row.name);
    }
  }
  return {};
}

}  // namespace n240qx
