// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the window tests share: scripted draws for start-up, palettes that set the four
// roles the game's desktop colours resolve through, and window activation.

#include <QApplication>
#include <QPalette>
#include <QTest>
#include <QWidget>
#include <deque>

namespace vl::test {

// The draws still to come; once empty, every draw is 0.99.
inline std::deque<float> g_tirages;

// Draws for start-up: the first piece red, blue, purple in column col (1 to 8), the next
// piece the same.
inline void tiragesDeDepart(int col = 4)
{
    g_tirages = {0.0f, 0.1f, 0.2f, 0.3f, (float(col) - 0.5f) / 8, 0.5f / 7, 1.5f / 7, 2.5f / 7};
}

inline float tirer()
{
    if (g_tirages.empty())
        return 0.99f;
    const float r = g_tirages.front();
    g_tirages.pop_front();
    return r;
}

// The application's palette with button face, button text, base and window text replaced.
inline QPalette schema(QColor face, QColor texteBouton, QColor fond, QColor texte)
{
    QPalette p = QApplication::palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::Button, face);
        p.setColor(g, QPalette::Window, face);
        p.setColor(g, QPalette::ButtonText, texteBouton);
        p.setColor(g, QPalette::Base, fond);
        p.setColor(g, QPalette::WindowText, texte);
        p.setColor(g, QPalette::Text, texte);
    }
    return p;
}

// Makes w the active window, as the desktop would on a click; false if it did not become so.
[[nodiscard]] inline bool activer(QWidget &w)
{
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

} // namespace vl::test
