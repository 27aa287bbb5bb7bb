// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rafraichissement.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <cassert>

namespace vl {

namespace {

// The clock that replaces the steady clock, made on first use rather than at the program's load.
std::function<Rafraichissement::Chrono::time_point()> &horlogeRemplacee()
{
    static std::function<Rafraichissement::Chrono::time_point()> h;
    return h;
}

Rafraichissement::Chrono::time_point maintenant()
{
    const auto &h = horlogeRemplacee();
    return h ? h() : Rafraichissement::Chrono::now();
}

} // namespace

Rafraichissement::Rafraichissement(QWidget *fenetre)
    : m_fenetre(fenetre)
{
    assert(fenetre && fenetre->isWindow());
    m_attente.setSingleShot(true);
    m_attente.setTimerType(Qt::PreciseTimer);
    connect(&m_attente, &QTimer::timeout, this, &Rafraichissement::peindre);
    fenetre->installEventFilter(this);
}

void Rafraichissement::setCadence(bool oui)
{
    m_cadence = oui;
    if (!oui && m_attente.isActive())
        peindre();
}

std::chrono::nanoseconds Rafraichissement::periode() const
{
    const QScreen *ecran = m_fenetre->screen();
    const qreal hertz = ecran && ecran->refreshRate() >= 1 ? ecran->refreshRate() : 60;
    return std::chrono::nanoseconds(qint64(1e9 / hertz));
}

void Rafraichissement::peindre()
{
    m_attente.stop();
    m_derniere = maintenant();
    ++m_presentations;
    QEvent demande(QEvent::UpdateRequest);
    m_laisser = true;
    QCoreApplication::sendEvent(m_fenetre, &demande);
    m_laisser = false;
    emit presente();
}

void Rafraichissement::remplacerHorloge(std::function<Chrono::time_point()> horloge)
{
    horlogeRemplacee() = std::move(horloge);
}

// Qt posts one request for all that its controls marked since the last repaint, and posts no
// other until a repaint has run: a held request keeps what it stands for waiting for the
// period's end.
bool Rafraichissement::eventFilter(QObject *objet, QEvent *e)
{
    if (objet != m_fenetre || e->type() != QEvent::UpdateRequest || m_laisser)
        return false;
    if (!m_cadence) {
        m_derniere = maintenant();
        ++m_presentations;
        return false;
    }
    if (m_attente.isActive())
        return true;
    const auto reste = m_derniere + periode() - maintenant();
    if (reste <= Chrono::duration::zero())
        peindre();
    else
        m_attente.start(std::chrono::ceil<std::chrono::milliseconds>(reste));
    return true;
}

} // namespace vl
