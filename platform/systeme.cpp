// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systeme.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <cassert>
#include <cstdint>
#include <ctime>
#include <random>

namespace vl {

namespace {

// Made on first use rather than at the program's load.
std::mt19937 &generateur()
{
    static std::mt19937 g;
    return g;
}

} // namespace

Systeme::Doublures &Systeme::doublures()
{
    static Doublures d;
    return d;
}

void Systeme::Randomize()
{
    generateur().seed(millisecondesDuJour());
}

float Systeme::Rnd()
{
    if (doublures().Rnd) {
        const float r = doublures().Rnd();
        assert(r >= 0.0f && r < 1.0f);
        return r;
    }
    // 24 random bits over 2^24: every float step of [0, 1) and never 1 itself.
    return float(generateur()() >> 8) * (1.0f / 16777216.0f);
}

Systeme::Lecture Systeme::heure()
{
    if (doublures().heure)
        return doublures().heure();
    // Qt's local time looks at the time-zone file on every call, a system call each time the
    // clock is read (once a tick). Hours, minutes and seconds only change with the
    // second, so they are worked out once per second of the system clock.
    static std::int64_t seconde = -1;
    static QTime locale;
    timespec t {};
    if (doublures().instant)
        t = doublures().instant();
    else
        clock_gettime(CLOCK_REALTIME, &t);
    if (t.tv_sec != seconde) {
        seconde = t.tv_sec;
        locale = QDateTime::fromSecsSinceEpoch(t.tv_sec).time();
    }
    return {locale.hour(), locale.minute(), locale.second(), int(t.tv_nsec / 1'000'000)};
}

unsigned Systeme::millisecondesDuJour()
{
    const Lecture l = heure();
    return unsigned(((l.heures * 60 + l.minutes) * 60 + l.secondes) * 1000 + l.millisecondes);
}

void Systeme::Beep()
{
    if (doublures().Beep)
        doublures().Beep();
    else
        QApplication::beep();
}

void Systeme::MsgBox(QWidget *parent, const QString &texte)
{
    if (doublures().MsgBox) {
        doublures().MsgBox(parent, texte);
        return;
    }
    QMessageBox boite(QMessageBox::NoIcon, QApplication::applicationDisplayName(), texte,
                      QMessageBox::Ok, parent);
    boite.setWindowModality(Qt::ApplicationModal);
    boite.exec();
}

} // namespace vl
