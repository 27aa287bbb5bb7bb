// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bip.h"

#include <QApplication>

namespace vl {

std::function<void()> &Bip::source()
{
    static std::function<void()> s;
    return s;
}

void Bip::remplacer(std::function<void()> s)
{
    source() = std::move(s);
}

void Bip::Beep()
{
    if (source())
        source()();
    else
        QApplication::beep();
}

} // namespace vl
