// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "police.h"

#include "twips.h"

namespace vl {

QFont police(const QString &famille, double points, bool gras, bool souligne)
{
    QFont f(famille);
    f.setPixelSize(pointsEnPixels(points));
    f.setBold(gras);
    f.setUnderline(souligne);
    f.setStyleHint(QFont::AnyStyle, QFont::PreferMatch);
    return f;
}

} // namespace vl
