#include "window/KeyboardViewGeometry.h"

#include "keys/KeyIndex.h"
#include "keys/KeyTable.h"

namespace n240qx {

namespace {

// The Enter key's upper part starts at its rectangle's corner; the lower part is narrower.
constexpr int kEnterUpperWidth = 36;
constexpr int kEnterUpperHeight = 24;
constexpr KeyboardViewGeometry::Piece kEnterLower{391, 188, 30, 25};

bool KeymapOnlyExcluded(std::size_t key) {
  return key == key_index::kLeftCtrl || key == key_index::kLeftWindows || key == key_index::kFn ||
         key == key_index::kRightCtrl;
}

}  // namespace

std::optional<std::size_t> KeyboardViewGeometry::HitTest(int x, int y, bool per_key_mode) {
  for (const KeyTableRow& row : KeyTable::Rows()) {
    const PixelRect rect =
        PixelRect{row.rect.left, row.rect.top, row.rect.right, row.rect.bottom}.Offset(kOrigin.x,
                                                                                       kOrigin.y);
    if (!rect.Contains(x, y)) {
      continue;
    }
    if (!per_key_mode && KeymapOnlyExcluded(row.index)) {
      return std::nullopt;
    }
    return row.index;
  }
  return std::nullopt;
}

std::optional<PixelRect> KeyboardViewGeometry::WindowRect(std::size_t key) {
  const KeyTableRow* row = KeyTable::ByIndex(key);
  if (row == nullptr) {
    return std::nullopt;
  }
  return PixelRect{row->rect.left, row->rect.top, row->rect.right, row->rect.bottom}.Offset(
      kOrigin.x, kOrigin.y);
}

bool KeyboardViewGeometry::Drawn(std::size_t key) {
  return key < KeyTable::kKeyCount &&
         (key < key_index::kFirstHidden || key > key_index::kLastHidden);
}

std::vector<KeyboardViewGeometry::Piece> KeyboardViewGeometry::Pieces(std::size_t key) {
  const KeyTableRow* row = KeyTable::ByIndex(key);
  if (row == nullptr || !Drawn(key)) {
    return {};
  }
  const KeyRect& r = row->rect;
  if (key == kEnterKey) {
    return {{r.left, r.top, kEnterUpperWidth, kEnterUpperHeight}, kEnterLower};
  }
  return {{r.left, r.top, r.right - r.left, r.bottom - r.top}};
}

std::optional<PaintFrame> KeyboardViewGeometry::SelectionFrame(std::size_t key) {
  const KeyTableRow* row = KeyTable::ByIndex(key);
  if (row == nullptr || !Drawn(key)) {
    return std::nullopt;
  }
  const KeyRect& r = row->rect;
  return PaintFrame{r.left + kOrigin.x - 2, r.top + kOrigin.y - 2, r.right - r.left + 3,
                    r.bottom - r.top + 3};
}

std::array<PaintLine, 6> KeyboardViewGeometry::EnterOutline() {
  return {{{684, 257, 722, 257},
           {722, 257, 722, 307},
           {684, 257, 684, 274},
           {684, 274, 692, 274},
           {692, 274, 692, 307},
           {692, 307, 722, 307}}};
}

}  // namespace n240qx
