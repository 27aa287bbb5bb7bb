// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "couleur.h"

#include <QColor>

class QPalette;

namespace vl {

// The colour to paint for c under the palette p: RGB values as they are, the four desktop
// references through their palette roles; any other reference resolves to the window text.
QColor resoudre(Couleur c, const QPalette &p);

} // namespace vl
