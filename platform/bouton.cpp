// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bouton.h"

namespace vl {

Bouton::Bouton(QWidget *parent)
    : EnTwips(parent)
{
    setAutoDefault(false);
    setDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (m_click)
            m_click();
    });
}

void Bouton::setClick(std::function<void()> action)
{
    m_click = std::move(action);
}

} // namespace vl
