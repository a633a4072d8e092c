// The colours of the program's windows: the desktop colour schemes as data, the
// system colours the windows use, and the table colours taken from the action button.
#pragma once

#include <QColor>
#include <optional>
#include <string_view>

namespace tarlyk {

enum class ColorScheme { kClassic, kBlue, kOlive, kSilver };

struct GradientPair {
  QColor first;
  QColor second;
};

// Everything that changes with the desktop's colour scheme.
struct LookColors {
  ColorScheme scheme = ColorScheme::kClassic;
  GradientPair buttonRest;     // push buttons at rest
  GradientPair buttonHover;    // pointer over a button
  GradientPair buttonPressed;  // button held down
  QColor mainBackground;       // main window
  QColor dialogBackground;     // options dialog and about window
  GradientPair band;           // the gradient strips along the windows' bottoms
  GradientPair menuBar;        // menu bar gradient
  GradientPair menuHighlight;  // selected menu item gradient
  QColor menuFrame;            // frame around the selected item and the drop-down
};

// "NormalColor"/"blue", "HomeStead"/"olive", "Metallic"/"silver" (any case) name the
// three schemes; anything else is the classic look.
ColorScheme SchemeFromName(std::string_view name);

// The scheme of the running desktop. Linux desktops have none of the three schemes,
// so this is always the classic look.
ColorScheme DesktopScheme();

// The colours of a scheme.
LookColors LookFor(ColorScheme scheme);

// Settles the look of the whole program (once at start-up; tests may call it again).
void SettleLook(ColorScheme scheme);
const LookColors& CurrentLook();

// System colours as the program's windows use them.
namespace syscolor {
QColor WindowText();             // labels, button captions, table texts
QColor InactiveCaptionText();    // dialog backgrounds, first colour of the bands
QColor InactiveCaption();        // second colour of the bands
QColor GradientActiveCaption();  // main window background, the about window's rule
QColor ButtonHighlight();        // embossed "disabled" pictures, light part
QColor ButtonShadow();           // embossed "disabled" pictures, dark part
QColor Highlight();              // card-back selector fill
QColor HighlightText();          // card-back selector outline
}  // namespace syscolor

// True for the twenty standard colours that have names (an explicit value equal to one
// of them counts as named).
bool IsNamedColor(const QColor& color);

struct TableColors {
  QColor table;  // TableColor
  QColor shade;  // TableShadeColor
};

// The table's two colours from the action button's resting colours: a missing or
// named colour gives the classic default for that colour.
TableColors TableColorsFrom(const std::optional<QColor>& buttonFirst,
                            const std::optional<QColor>& buttonSecond);

}  // namespace tarlyk
