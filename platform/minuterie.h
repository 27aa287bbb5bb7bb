// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

namespace vl {

// The periodic timer: an interval in milliseconds, an enabled switch and a tick action.
// It ticks only while enabled with an interval above 0. Changing the interval or switching it
// on restarts the countdown; done from inside a tick, the countdown starts from that tick's
// due time, so the new interval takes effect from the tick that sets it. Setting what it
// already holds changes nothing, so that a window may copy its settings into it at any time,
// on a key as on a tick, without moving its ticks. Ticks run one at a time on the owner's
// thread: a tick that comes due while the previous one is still running (inside a modal box)
// is dropped.
//
// It keeps an exact pace: each tick is due one interval after the previous one was due, not
// after it ran, so lateness does not add up. A tick more than RattrapageMax intervals late
// (the program was held up: a loaded machine, a stopped process) starts the schedule again
// from now instead of running the missed ticks in a burst. Qt's own timers sleep in whole
// milliseconds and re-arm a late timer from the moment it was handled; this one sleeps on a
// Linux timerfd armed with absolute deadlines on the monotonic clock.
class Minuterie : public QObject
{
    Q_OBJECT
public:
    using Chrono = std::chrono::steady_clock;
    // How many intervals a tick may run behind and still be caught up with.
    static constexpr int RattrapageMax = 3;

    // Creates a timer enabled with interval 0, so not ticking yet; throws std::system_error
    // when the system gives no timer.
    explicit Minuterie(QObject *parent = nullptr);
    ~Minuterie() override;

    // Sets the interval (>= 0 ms; 0 stops the ticks), restarting the countdown when it changes.
    void setInterval(int ms);
    int Interval() const { return m_interval; }
    // Switches the ticks on (restarting the countdown) or off; the same again does nothing.
    void setEnabled(bool oui);
    bool Enabled() const { return m_enabled; }
    // What each tick does.
    void setTic(std::function<void()> action) { m_tic = std::move(action); }

    // Ticks run so far.
    std::uint64_t tics() const { return m_tics; }
    // How late the last tick started after its due time.
    std::chrono::nanoseconds retard() const { return m_retard; }
    // When the next tick is due, while it ticks: each tick, and each change of its settings,
    // moves it on.
    Chrono::time_point echeance() const { return m_echeance; }

private:
    // Owns the timerfd; declared before the notifier that watches it, so it closes after.
    struct Descripteur
    {
        Descripteur();
        ~Descripteur();
        // One owner closes it, once.
        Descripteur(const Descripteur &) = delete;
        Descripteur &operator=(const Descripteur &) = delete;
        int fd;
    };

    void redemarrer();
    void armer();
    void reveil();
    bool actif() const { return m_enabled && m_interval > 0; }
    std::chrono::nanoseconds pas() const { return std::chrono::milliseconds(m_interval); }

    Descripteur m_descripteur;
    QSocketNotifier m_veille;
    std::function<void()> m_tic;
    Chrono::time_point m_echeance; // when the next tick is due
    Chrono::time_point m_echeanceEnCours; // when the running tick was due
    std::optional<Chrono::time_point> m_armee; // the deadline the descriptor holds
    std::chrono::nanoseconds m_retard {};
    std::uint64_t m_tics = 0;
    int m_interval = 0;
    bool m_enabled = true;
    bool m_enCours = false;
};

} // namespace vl
