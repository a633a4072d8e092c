#include "art/look.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace tarlyk {

namespace {

const QColor kDefaultTable(218, 234, 253);
const QColor kDefaultShade(136, 174, 228);

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

LookColors& Current() {
  static LookColors look = LookFor(ColorScheme::kClassic);
  return look;
}

}  // namespace

ColorScheme SchemeFromName(std::string_view name) {
  const std::string n = Lower(name);
  if (n == "normalcolor" || n == "blue") return ColorScheme::kBlue;
  if (n == "homestead" || n == "olive") return ColorScheme::kOlive;
  if (n == "metallic" || n == "silver") return ColorScheme::kSilver;
  return ColorScheme::kClassic;
}

ColorScheme DesktopScheme() {
  return ColorScheme::kClassic;
}

LookColors LookFor(ColorScheme scheme) {
  LookColors c;
  c.scheme = scheme;
  c.buttonRest = {kDefaultTable, kDefaultShade};
  c.buttonHover = {QColor(255, 244, 204), QColor(255, 208, 145)};
  c.buttonPressed = {QColor(254, 145, 78), QColor(255, 211, 142)};
  c.mainBackground = syscolor::GradientActiveCaption();
  c.dialogBackground = syscolor::InactiveCaptionText();
  c.band = {syscolor::InactiveCaptionText(), syscolor::InactiveCaption()};
  // Menus: a blue gradient by default, tinted after the scheme otherwise.
  c.menuBar = {QColor(227, 239, 255), QColor(182, 207, 244)};
  c.menuHighlight = {QColor(255, 244, 204), QColor(255, 208, 145)};
  c.menuFrame = QColor(0, 45, 150);
  switch (scheme) {
    case ColorScheme::kClassic:
      c.mainBackground = QColor(216, 228, 248);
      c.dialogBackground = QColor(216, 228, 248);
      c.band = {QColor(216, 228, 248), QColor(122, 150, 223)};
      break;
    case ColorScheme::kBlue:
      break;
    case ColorScheme::kOlive:
      c.buttonRest = {QColor(234, 240, 207), QColor(177, 192, 140)};
      c.menuBar = {QColor(244, 247, 222), QColor(202, 214, 164)};
      c.menuFrame = QColor(63, 93, 56);
      break;
    case ColorScheme::kSilver:
      c.buttonRest = {QColor(225, 226, 236), QColor(152, 150, 179)};
      c.menuBar = {QColor(243, 244, 250), QColor(196, 195, 213)};
      c.menuFrame = QColor(75, 75, 111);
      break;
  }
  return c;
}

void SettleLook(ColorScheme scheme) {
  Current() = LookFor(scheme);
}

const LookColors& CurrentLook() {
  return Current();
}

namespace syscolor {
QColor WindowText() {
  return QColor(0, 0, 0);
}
QColor InactiveCaptionText() {
  return QColor(212, 208, 200);
}
QColor InactiveCaption() {
  return QColor(128, 128, 128);
}
QColor GradientActiveCaption() {
  return QColor(166, 202, 240);
}
QColor ButtonHighlight() {
  return QColor(255, 255, 255);
}
QColor ButtonShadow() {
  return QColor(128, 128, 128);
}
QColor Highlight() {
  return QColor(10, 36, 106);
}
QColor HighlightText() {
  return QColor(255, 255, 255);
}
}  // namespace syscolor

bool IsNamedColor(const QColor& color) {
  static constexpr std::array<std::array<int, 3>, 20> kNamed = {{
      {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
      {128, 0, 128},   {0, 128, 128},   {128, 128, 128}, {192, 192, 192}, {255, 0, 0},
      {0, 255, 0},     {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},
      {255, 255, 255}, {192, 220, 192}, {166, 202, 240}, {255, 251, 240}, {160, 160, 164},
  }};
  return std::any_of(kNamed.begin(), kNamed.end(), [&](const std::array<int, 3>& n) {
    return color.red() == n[0] && color.green() == n[1] && color.blue() == n[2];
  });
}

TableColors TableColorsFrom(const std::optional<QColor>& buttonFirst,
                            const std::optional<QColor>& buttonSecond) {
  auto pick = [](const std::optional<QColor>& c, const QColor& fallback) {
    return c && c->isValid() && !IsNamedColor(*c) ? c->toRgb() : fallback;
  };
  return {pick(buttonFirst, kDefaultTable), pick(buttonSecond, kDefaultShade)};
}

}  // namespace tarlyk
