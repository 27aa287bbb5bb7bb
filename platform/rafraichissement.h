// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>

class QWidget;

namespace vl {

// Holds a top-level widget's repaints to the pace of its screen. Qt asks for the repaint of
// whatever its controls marked for update with one UpdateRequest event to the top-level
// widget; this filter lets one through at once when the last went through a refresh period
// ago or more, and otherwise holds it until one period after the last. So the window paints
// at most once per refresh, and no change waits longer than a period for the screen, however
// often the game changes it.
class Rafraichissement : public QObject
{
    Q_OBJECT
public:
    using Chrono = std::chrono::steady_clock;

    // Paces the repaints of `fenetre`, a top-level widget that outlives this object.
    explicit Rafraichissement(QWidget *fenetre);

    // Off, every request goes through as it comes, as Qt paints without this filter.
    void setCadence(bool oui);
    bool cadence() const { return m_cadence; }
    // One refresh of the widget's screen (60 Hz when the screen reports no rate).
    std::chrono::nanoseconds periode() const;
    // Paints what is marked for update now, whatever the pace.
    void peindre();
    // True while a request is held for the next refresh.
    bool enAttente() const { return m_attente.isActive(); }
    // Repaints let through so far.
    std::uint64_t presentations() const { return m_presentations; }

    // Replaces the clock that the pace is measured on, for the tests; empty restores it.
    static void remplacerHorloge(std::function<Chrono::time_point()> horloge);

signals:
    // Right after a repaint went through.
    void presente();

protected:
    bool eventFilter(QObject *objet, QEvent *e) override;

private:
    QWidget *m_fenetre;
    QTimer m_attente;
    Chrono::time_point m_derniere {}; // when the last repaint went through
    std::uint64_t m_presentations = 0;
    bool m_cadence = true;
    bool m_laisser = false; // peindre() is sending its own request
};

} // namespace vl
