#include "keys/XKeycodeTable.h"

#include <array>
#include <cstddef>
#include <utility>

namespace n240qx {

namespace {

// X keycodes are input event codes shifted by 8, the first eight being reserved.
constexpr unsigned kEvdevOffset = 8;

// Input event code -> virtual-key code.
constexpr std::pair<std::uint16_t, std::uint8_t> kEvdevToVk[] = {
    {1, 0x1B},  // Esc
    {2, 0x31},
    {3, 0x32},
    {4, 0x33},
    {5, 0x34},
    {6, 0x35},
    {7, 0x36},
    {8, 0x37},
    {9, 0x38},
    {10, 0x39},
    {11, 0x30},
    {12, 0xBD},  // -
    {13, 0xBB},  // =
    {14, 0x08},  // Backspace
    {15, 0x09},  // Tab
    {16, 'Q'},
    {17, 'W'},
    {18, 'E'},
    {19, 'R'},
    {20, 'T'},
    {21, 'Y'},
    {22, 'U'},
    {23, 'I'},
    {24, 'O'},
    {25, 'P'},
    {26, 0xDB},  // [
    {27, 0xDD},  // ]
    {28, 0x0D},  // Enter
    {29, 0xA2},  // left Ctrl
    {30, 'A'},
    {31, 'S'},
    {32, 'D'},
    {33, 'F'},
    {34, 'G'},
    {35, 'H'},
    {36, 'J'},
    {37, 'K'},
    {38, 'L'},
    {39, 0xBA},  // ;
    {40, 0xDE},  // '
    {41, 0xC0},  // `
    {42, 0xA0},  // left Shift
    {43, 0xDC},  // backslash
    {44, 'Z'},
    {45, 'X'},
    {46, 'C'},
    {47, 'V'},
    {48, 'B'},
    {49, 'N'},
    {50, 'M'},
    {51, 0xBC},  // ,
    {52, 0xBE},  // .
    {53, 0xBF},  // /
    {54, 0xA1},  // right Shift
    {55, 0x6A},  // keypad *
    {56, 0xA4},  // left Alt
    {57, 0x20},  // Space
    {58, 0x14},  // Caps Lock
    {59, 0x70},
    {60, 0x71},
    {61, 0x72},
    {62, 0x73},
    {63, 0x74},
    {64, 0x75},
    {65, 0x76},
    {66, 0x77},
    {67, 0x78},
    {68, 0x79},
    {69, 0x90},  // Num Lock
    {70, 0x91},  // Scroll Lock
    {71, 0x67},
    {72, 0x68},
    {73, 0x69},  // keypad 7 8 9
    {74, 0x6D},  // keypad -
    {75, 0x64},
    {76, 0x65},
    {77, 0x66},  // keypad 4 5 6
    {78, 0x6B},  // keypad +
    {79, 0x61},
    {80, 0x62},
    {81, 0x63},  // keypad 1 2 3
    {82, 0x60},  // keypad 0
    {83, 0x6E},  // keypad .
    {86, 0xE2},  // the extra key left of Z on ISO boards
    {87, 0x7A},
    {88, 0x7B},   // F11 F12
    {96, 0x6C},   // keypad Enter
    {97, 0xA3},   // right Ctrl
    {98, 0x6F},   // keypad /
    {99, 0x2C},   // Print Screen
    {100, 0xA5},  // right Alt
    {102, 0x24},  // Home
    {103, 0x26},  // Up
    {104, 0x21},  // Page Up
    {105, 0x25},  // Left
    {106, 0x27},  // Right
    {107, 0x23},  // End
    {108, 0x28},  // Down
    {109, 0x22},  // Page Down
    {110, 0x2D},  // Insert
    {111, 0x2E},  // Delete
    {113, 0xAD},  // Mute
    {114, 0xAE},  // Volume Down
    {115, 0xAF},  // Volume Up
    {119, 0x13},  // Pause
    {125, 0x5B},  // left Windows key
    {126, 0x5C},  // right Windows key
    {127, 0x5D},  // the application (menu) key
    {128, 0xA9},  // browser Stop
    {139, 0x5D},  // menu, as some keyboards report the application key
    {142, 0x5F},  // Sleep
    {155, 0xB4},  // Mail
    {156, 0xAB},  // browser Favourites
    {157, 0xB6},  // My Computer
    {158, 0xA6},  // browser Back
    {159, 0xA7},  // browser Forward
    {163, 0xB0},  // Next track
    {164, 0xB3},  // Play/Pause
    {165, 0xB1},  // Previous track
    {166, 0xB2},  // Stop
    // The keyboard's media key sends consumer usage 0x0183, which Linux reports as
    // KEY_CONFIG; KEY_MEDIA is what other keyboards send for the same key.
    {171, 0xB5},
    {172, 0xAC},  // browser Home
    {173, 0xA8},  // browser Refresh
    {217, 0xAA},  // browser Search
    {226, 0xB5},
};

constexpr std::size_t kTableSize = 256;

constexpr std::array<std::uint8_t, kTableSize> BuildTable() {
  std::array<std::uint8_t, kTableSize> table{};
  for (const auto& [evdev, vk] : kEvdevToVk) {
    table[evdev + kEvdevOffset] = vk;
  }
  return table;
}

constexpr std::array<std::uint8_t, kTableSize> kTable = BuildTable();

}  // namespace

std::uint8_t XKeycodeTable::VirtualKeyOf(unsigned x_keycode) {
  return x_keycode < kTable.size() ? kTable[x_keycode] : 0;
}

}  // namespace n240qx
