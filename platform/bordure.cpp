// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bordure.h"

#include <QPaintDevice>
#include <QPainter>

namespace vl {

// Two aliased fills, the inner one inset by one device pixel: Qt rounds both to the same
// pixel grid, so the ring between them is exactly one pixel wide even where r's edges fall
// between device pixels (fractional scale factors).
void peindreBordee(QPainter &p, QRect r, const QColor &fond, const QColor &trait)
{
    const qreal pixel = 1.0 / p.device()->devicePixelRatioF();
    p.fillRect(r, trait);
    p.fillRect(QRectF(r).adjusted(pixel, pixel, -pixel, -pixel), fond);
}

} // namespace vl
