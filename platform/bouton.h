// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "twips.h"

#include <QPushButton>
#include <functional>

namespace vl {

// A push button whose caption may mark its access key with '&' (Alt + that letter clicks it).
// It never acts as a default or cancel button: Enter and Escape are left to the window.
class Bouton : public EnTwips<QPushButton>
{
    Q_OBJECT
public:
    explicit Bouton(QWidget *parent);

    void setCaption(const QString &texte) { setText(texte); }
    QString Caption() const { return text(); }
    // What a click does.
    void setClick(std::function<void()> action);

private:
    std::function<void()> m_click;
};

} // namespace vl
