// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "heure.h"

#include <QDateTime>
#include <cstdint>
#include <ctime>

namespace vl {

Heure::Source &Heure::source()
{
    static Source s;
    return s;
}

void Heure::remplacer(Source s)
{
    source() = std::move(s);
}

Heure::Lecture Heure::lire()
{
    if (source())
        return source()();
    // Qt's local time looks at the time-zone file on every call, a system call each time the
    // clock is read (four times a tick). Hours, minutes and seconds only change with the
    // second, so they are worked out once per second of the system clock.
    static std::int64_t seconde = -1;
    static QTime locale;
    timespec t {};
    clock_gettime(CLOCK_REALTIME, &t);
    if (t.tv_sec != seconde) {
        seconde = t.tv_sec;
        locale = QDateTime::fromSecsSinceEpoch(t.tv_sec).time();
    }
    return {locale.hour(), locale.minute(), locale.second(), int(t.tv_nsec / 1'000'000)};
}

unsigned Heure::millisecondesDuJour()
{
    const Lecture l = lire();
    return unsigned(((l.heures * 60 + l.minutes) * 60 + l.secondes) * 1000 + l.millisecondes);
}

} // namespace vl
