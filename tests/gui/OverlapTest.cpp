#include <gtest/gtest.h>

#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QRect>
#include <algorithm>
#include <map>
#include <sstream>

#include "lighting/EffectTable.h"
#include "gui/TextFonts.h"
#include "window/MainWindowScene.h"

namespace n240qx {
namespace {

// The effect list is drawn over the column: what its rows cover is hidden, not overlapped.
constexpr int kCoveringFillWidth = 200;

struct Drawn {
  QRect rect;
  std::string what;
  bool text = false;
};

// Every main-window state's paint list, in both languages, laid out with the fonts the window
// draws with. A text may sit wholly on a picture (its button or panel) but must not run into
// another text or partly over a picture.
class Overlap : public ::testing::Test {
 protected:
  ConfigImage image;
  std::uint32_t shared_colour = 0;
  LightingPage page{image, shared_colour, {}};
  CustomisedKeyFlags customised;
  KeyboardView view{image, page, customised};
  Texts texts;
  TextFonts fonts;
  std::map<std::string, QSize> picture_sizes;

  QSize PictureSize(const std::string& name, Language language) {
    const std::string key = std::to_string(static_cast<int>(language)) + name;
    auto found = picture_sizes.find(key);
    if (found == picture_sizes.end()) {
      const QString folder = language == Language::kGerman ? "german" : "english";
      const QImage picture(QDir(QStringLiteral(N240QX_SKIN_DIR))
                               .filePath(folder + "/" + QString::fromStdString(name)));
      found = picture_sizes.emplace(key, picture.size()).first;
    }
    return found->second;
  }

  std::vector<Drawn> Layout(const std::vector<PaintOp>& ops, Language language) {
    std::vector<Drawn> drawn;
    for (const PaintOp& op : ops) {
      if (const auto* text = std::get_if<PaintText>(&op)) {
        const QFontMetrics metrics(fonts.For(text->height).font);
        const int width = metrics.horizontalAdvance(QString::fromStdString(text->text));
        drawn.push_back({QRect(text->x, text->y, width, text->height), text->text, true});
      } else if (const auto* picture = std::get_if<PaintPicture>(&op)) {
        drawn.push_back({QRect(QPoint(picture->x, picture->y),
                               PictureSize(picture->name, language)),
                         picture->name, false});
      } else if (const auto* fill = std::get_if<PaintFill>(&op);
                 fill != nullptr && fill->width >= kCoveringFillWidth) {
        const QRect cover(fill->x, fill->y, fill->width, fill->height);
        std::erase_if(drawn, [&](const Drawn& below) { return below.rect.intersects(cover); });
      }
    }
    return drawn;
  }

  // Each fault as "a / b", empty when none.
  static std::vector<std::string> Faults(const std::vector<Drawn>& drawn) {
    std::vector<std::string> faults;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      for (std::size_t j = 0; j < drawn.size(); ++j) {
        const Drawn& text = drawn[i];
        const Drawn& other = drawn[j];
        if (i == j || !text.text || !text.rect.intersects(other.rect)) {
          continue;
        }
        const bool on_its_picture = !other.text && other.rect.contains(text.rect);
        if (!on_its_picture && (i < j || !other.text)) {
          faults.push_back("\"" + text.what + "\" / " + other.what);
        }
      }
    }
    return faults;
  }

  void Check(MainWindowState state, Language language, const std::string& label) {
    texts.SetLanguage(language);
    const auto ops = MainWindowScene::Paint(
        MainWindowSceneInput{image, page, view, state, texts, true, false,
                             SequenceProgress{SequenceKind::kWrite, 1, 4}, ""});
    for (const std::string& fault : Faults(Layout(ops, language))) {
      ADD_FAILURE() << label << (language == Language::kGerman ? " (German): " : ": ") << fault;
    }
  }
};

TEST_F(Overlap, TheFontIsTheMetricTwinOfArial) {
  const QFontInfo info(fonts.For(15).font);
  EXPECT_EQ(info.family(), "Liberation Sans")
      << "install fonts-liberation: the layout is checked with Arial's metrics";
}

TEST_F(Overlap, NoTextRunsIntoAnotherOrIntoAPictureNotItsOwn) {
  // Every key coloured, so every key label is drawn in per-key mode.
  std::ranges::fill(image.key_colour_tables(), std::uint8_t{0x80});
  for (const Language language : {Language::kEnglish, Language::kGerman}) {
    for (const EffectEntry& effect : EffectTable::Rows()) {
      image.light_effect() = effect.code;
      image.light_direction() = 3;
      for (const bool per_key : {false, true}) {
        page.SetPerKeyMode(per_key);
        for (const bool help : {false, true}) {
          MainWindowState state;
          state.help_open = help;
          state.per_key_mode = per_key;
          std::ostringstream label;
          label << "effect " << int(effect.code) << (per_key ? ", per-key" : "")
                << (help ? ", help open" : "");
          Check(state, language, label.str());
        }
      }
    }
    page.OpenEffectList();
    MainWindowState listed;
    listed.effect_list_open = true;
    Check(listed, language, "effect list open");
    page.CloseEffectList();
  }
}

}  // namespace
}  // namespace n240qx
