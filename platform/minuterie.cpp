// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "minuterie.h"

#include <QScopedValueRollback>
#include <cassert>
#include <cerrno>
#include <optional>
#include <sys/timerfd.h>
#include <system_error>
#include <unistd.h>

namespace vl {

namespace {

[[noreturn]] void echecSysteme(const char *quoi)
{
    throw std::system_error(errno, std::generic_category(), quoi);
}

// A point of the steady clock as the monotonic clock's timespec (libstdc++'s steady_clock
// is CLOCK_MONOTONIC).
timespec enTimespec(Minuterie::Chrono::time_point t)
{
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch());
    return {time_t(ns.count() / 1'000'000'000), long(ns.count() % 1'000'000'000)};
}

} // namespace

Minuterie::Descripteur::Descripteur()
    : fd(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC))
{
    if (fd < 0)
        echecSysteme("Minuterie: timerfd_create");
}

Minuterie::Descripteur::~Descripteur()
{
    ::close(fd);
}

Minuterie::Minuterie(QObject *parent)
    : QObject(parent)
    , m_veille(m_descripteur.fd, QSocketNotifier::Read)
{
    connect(&m_veille, &QSocketNotifier::activated, this, &Minuterie::reveil);
}

Minuterie::~Minuterie() = default;

void Minuterie::setInterval(int ms)
{
    assert(ms >= 0);
    if (ms == m_interval)
        return;
    m_interval = ms;
    redemarrer();
}

void Minuterie::setEnabled(bool oui)
{
    if (oui == m_enabled)
        return;
    m_enabled = oui;
    redemarrer();
}

// The countdown starts from the running tick's due time when there is one, so that what a
// tick sets keeps the pace; from now otherwise.
void Minuterie::redemarrer()
{
    m_echeance = (m_enCours ? m_echeanceEnCours : Chrono::now()) + pas();
    armer();
}

void Minuterie::armer()
{
    // The descriptor is only set when it should hold another deadline than it does: a
    // wake-up that read nothing, or a change while switched off, leaves it as it is.
    const std::optional<Chrono::time_point> voulue
            = actif() ? std::optional(m_echeance) : std::nullopt;
    if (voulue == m_armee)
        return;
    // A deadline already past fires at once; the all-zero value disarms.
    itimerspec quand {};
    if (voulue)
        quand.it_value = enTimespec(*voulue);
    if (timerfd_settime(m_descripteur.fd, TFD_TIMER_ABSTIME, &quand, nullptr) != 0)
        echecSysteme("Minuterie: timerfd_settime");
    m_armee = voulue;
}

void Minuterie::reveil()
{
    std::uint64_t expirations = 0;
    // Empties the descriptor; nothing to read when a re-arm came between wake-up and read.
    if (::read(m_descripteur.fd, &expirations, sizeof expirations) < 0) {
        if (errno != EAGAIN)
            echecSysteme("Minuterie: read");
    } else {
        m_armee.reset(); // the deadline has passed: the descriptor holds none now
    }
    if (!actif())
        return;
    const Chrono::time_point maintenant = Chrono::now();
    if (maintenant < m_echeance) {
        armer();
        return;
    }
    const auto retard = maintenant - m_echeance;
    if (m_enCours) {
        // Due while the running tick waits in a nested event loop: dropped.
        m_echeance += (retard / pas() + 1) * pas();
        armer();
        return;
    }
    m_retard = retard;
    m_echeanceEnCours = retard > RattrapageMax * pas() ? maintenant : m_echeance;
    m_echeance = m_echeanceEnCours + pas();
    armer();
    if (!m_tic)
        return;
    QScopedValueRollback garde(m_enCours, true);
    ++m_tics;
    m_tic();
}

} // namespace vl
