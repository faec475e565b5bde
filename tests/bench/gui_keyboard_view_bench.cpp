// Repaint of the keyboard view with every key coloured: the picture of the keyboard, then what
// KeyboardView asks for (fills, labels, selection frames), drawn into a window-sized image.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdlib>

#include "gui/PaintOpPainter.h"
#include "gui/SkinPictures.h"
#include "image/ConfigImage.h"
#include "image/ImageField.h"
#include "keys/CustomisedKeyFlags.h"
#include "lighting/LightingPage.h"
#include "window/KeyboardView.h"
#include "window/KeyboardViewGeometry.h"

namespace n240qx {
namespace {

constexpr int kWindowWidth = 1000;
constexpr int kWindowHeight = 640;

// N240QX_SKIN_DIR in the environment names another language folder; by default the build
// tree's English pictures.
QString SkinFolder() {
  if (const char* folder = std::getenv("N240QX_SKIN_DIR")) {
    return QString::fromLocal8Bit(folder);
  }
  return QStringLiteral(N240QX_SHARE_DIR "/png/english");
}

void FillColourTable(ConfigImage& image) {
  const auto table = image.Field(image_field::ColourTable(0));
  for (std::size_t slot = 0; slot < image_field::kColourTableSize / 4; ++slot) {
    table[4 * slot] = 0;
    table[4 * slot + 1] = static_cast<std::uint8_t>(40 + slot);
    table[4 * slot + 2] = static_cast<std::uint8_t>(255 - slot);
    table[4 * slot + 3] = static_cast<std::uint8_t>(slot * 2);
  }
}

void BM_KeyboardViewPerKeyRepaint(benchmark::State& state) {
  ConfigImage image;
  image.light_effect() = 51;  // Lighting Profile 1
  FillColourTable(image);
  std::uint32_t shared_colour = 0;
  LightingPage page(image, shared_colour, [] { return false; });
  page.SetPerKeyMode(true);
  CustomisedKeyFlags customised;
  KeyboardView view(image, page, customised);

  // A band over the letter rows and a hovered Enter key: selection frames and the L-shaped
  // outline are drawn on top of the coloured keys, as during a real selection.
  const bool with_selection = state.range(0) != 0;
  if (with_selection) {
    view.OnButtonDown(320, 150);
    view.OnBandMove(760, 260);
    const auto enter = *KeyboardViewGeometry::WindowRect(KeyboardViewGeometry::kEnterKey);
    view.OnHover(enter.left + 2, enter.top + 2, false, false);
  }

  SkinPictures skins(SkinFolder());
  if (skins.Picture(QStringLiteral("kb_bk.png")).isNull()) {
    state.SkipWithError("kb_bk.png not found: build the skins target or set N240QX_SKIN_DIR");
    return;
  }
  const std::vector<PaintOp> background{
      PaintPicture{KeyboardViewGeometry::kOrigin.x, KeyboardViewGeometry::kOrigin.y, "kb_bk.png"}};
  QImage canvas(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
  canvas.fill(Qt::black);
  std::size_t ops = 0;
  for (auto _ : state) {
    QPainter painter(&canvas);
    PaintOps(painter, background, skins);
    const std::vector<PaintOp> view_ops = view.Paint();
    PaintOps(painter, view_ops, skins);
    painter.end();
    ops = view_ops.size();
    benchmark::DoNotOptimize(canvas.constBits());
  }
  state.counters["ops"] = static_cast<double>(ops);
}
BENCHMARK(BM_KeyboardViewPerKeyRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace n240qx
