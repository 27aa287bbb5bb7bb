// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDeadlineTimer>
#include <QTimer>
#include <functional>

class QWidget;
class QWindow;

namespace vl {

// Whether the player can see a top-level window. It is hidden while the desktop reports it
// minimised, while it is shown but not exposed (on another workspace, or suspended), and
// while a minimise request of the program stands.
//
// The request is for Wayland, which never reports a window minimised: it stands from the
// moment the program asks until the desktop has hidden the window and shown it again. A
// desktop that has not hidden the window DelaiReduction after the request has ignored it
// (sway does), and the request lapses. Asking for any other state withdraws it.
class Visibilite
{
public:
    // How long the desktop has to hide the window after a minimise request.
    static constexpr int DelaiReduction = 500; // ms

    // Follows `fenetre`, a top-level widget that outlives this object.
    explicit Visibilite(QWidget &fenetre);

    // The program has just asked the desktop to minimise the window.
    void reduire();
    // The program has asked for another state.
    void retirer();
    // To be called on each expose event of the window (Qt has already updated isExposed()).
    void exposition();
    // True while the player cannot see the window.
    bool cachee() const;

    // Replaces how a window learns whether the desktop shows it (QWindow::isExposed), for the
    // tests; an empty function restores it.
    static void remplacerExposition(std::function<bool(const QWindow &)> exposee);

private:
    enum class Reduction { Aucune, Demandee, Cachee };
    bool nonExposee() const;
    // One step of the wait for the desktop to hide the window; the last one gives up.
    void attente();

    QWidget &m_fenetre;
    Reduction m_reduction = Reduction::Aucune;
    QTimer m_attente;
    QDeadlineTimer m_finAttente;
};

} // namespace vl
