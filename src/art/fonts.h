// "Tahoma" for every window: the metric-compatible font from the Wine fonts package is
// registered with the application, and fonts are sized in pixels so that two lines of
// text sit 13 pixels apart as the windows' layouts expect.
#pragma once

#include <QFont>

namespace tarlyk {

// Registers the Tahoma files once (later calls do nothing). Missing files are ignored
// and the default sans-serif stands in. True when Tahoma is available afterwards.
bool RegisterTahoma();

// Tahoma at a pixel size; bold is drawn from the regular face by Qt when the bold
// file is absent. Registers the font on first use.
QFont TahomaPx(int pixelSize, bool bold);

}  // namespace tarlyk
