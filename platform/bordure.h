// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QColor;
class QPainter;
class QRect;

namespace vl {

// Fills r with fond inside a thin flat border in trait, one device pixel wide: a single sharp
// line of the screen at any device pixel ratio, on the outermost pixels that r covers.
void peindreBordee(QPainter &p, QRect r, const QColor &fond, const QColor &trait);

} // namespace vl
