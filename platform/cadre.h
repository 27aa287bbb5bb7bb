// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "twips.h"

#include <QFrame>

namespace vl {

// A frame without caption: an etched rectangle whose children are placed relative to its
// own top-left corner.
class Cadre : public EnTwips<QFrame>
{
    Q_OBJECT
public:
    explicit Cadre(QWidget *parent);
};

} // namespace vl
