// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "visibilite.h"

#include <QWidget>
#include <QWindow>

namespace vl {

namespace {

// Qt learns that a Wayland compositor hid a window only when a frame the window committed
// gets no frame callback, about 100 ms after the commit: while the request waits, the window
// commits a frame at each step (one pixel of its own background is enough).
constexpr int PasAttente = 100; // ms

std::function<bool(const QWindow &)> g_exposee;

} // namespace

Visibilite::Visibilite(QWidget &fenetre)
    : m_fenetre(fenetre)
{
    m_attente.setInterval(PasAttente);
    QObject::connect(&m_attente, &QTimer::timeout, &m_attente, [this] { attente(); });
}

void Visibilite::reduire()
{
    if (m_reduction != Reduction::Aucune)
        return;
    if (nonExposee()) {
        m_reduction = Reduction::Cachee;
        return;
    }
    m_reduction = Reduction::Demandee;
    m_finAttente.setRemainingTime(DelaiReduction);
    m_attente.start();
    m_fenetre.update(QRect(0, 0, 1, 1));
}

void Visibilite::retirer()
{
    m_reduction = Reduction::Aucune;
    m_attente.stop();
}

void Visibilite::exposition()
{
    if (m_reduction == Reduction::Demandee && nonExposee()) {
        m_reduction = Reduction::Cachee;
        m_attente.stop();
    } else if (m_reduction == Reduction::Cachee && !nonExposee()) {
        m_reduction = Reduction::Aucune;
    }
}

bool Visibilite::cachee() const
{
    return m_fenetre.windowState() & Qt::WindowMinimized || m_reduction != Reduction::Aucune
            || nonExposee();
}

void Visibilite::remplacerExposition(std::function<bool(const QWindow &)> exposee)
{
    g_exposee = std::move(exposee);
}

// Shown by the program, but not on screen.
bool Visibilite::nonExposee() const
{
    const QWindow *w = m_fenetre.windowHandle();
    return m_fenetre.isVisible() && !(w && (g_exposee ? g_exposee(*w) : w->isExposed()));
}

void Visibilite::attente()
{
    if (!m_finAttente.hasExpired()) {
        m_fenetre.update(QRect(0, 0, 1, 1));
        return;
    }
    retirer();
}

} // namespace vl
