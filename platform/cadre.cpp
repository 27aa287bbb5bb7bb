// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cadre.h"

namespace vl {

Cadre::Cadre(QWidget *parent)
    : EnTwips(parent)
{
    // A sunken box of one line is Qt's etched rectangle.
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setLineWidth(1);
    setMidLineWidth(0);
}

} // namespace vl
