// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "peinture.h"

#include <QColor>
#include <QPalette>

namespace vl {

QColor resoudre(Couleur c, const QPalette &p)
{
    if (!estReferenceSysteme(c))
        return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
    switch (c & 0xFF) {
    case 5:
        return p.color(QPalette::Base);
    case 15:
        return p.color(QPalette::Button);
    case 18:
        return p.color(QPalette::ButtonText);
    default: // 8, window text, and the references this program never uses
        return p.color(QPalette::WindowText);
    }
}

} // namespace vl
