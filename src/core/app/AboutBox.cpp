#include "app/AboutBox.h"

#include "app/ProgramVersion.h"
#include "device/FirmwareVersionText.h"

namespace n240qx {

namespace {

constexpr char kProgramName[] = "n240qx";

}  // namespace

const char* AboutBox::ProgramVersion() {
  return kProgramVersion.data();
}

const char* AboutBox::Licence() {
  return N240QX_LICENCE;
}

AboutBox AboutBox::For(const Texts& texts, const std::optional<FirmwareVersion>& firmware) {
  const std::string firmware_text =
      FirmwareVersionText(firmware, texts.Get(TextId::kAboutFirmwareUnknown));
  AboutBox box;
  box.title = std::string(texts.Get(TextId::kAbout)) + " " + kProgramName;
  box.text = std::string(kProgramName) + "\n" + std::string(texts.Get(TextId::kAboutVersion)) +
             ProgramVersion() + "\n" + std::string(texts.Get(TextId::kAboutLicence)) + Licence() +
             "\n" + std::string(texts.Get(TextId::kAboutFirmware)) + firmware_text;
  return box;
}

}  // namespace n240qx
