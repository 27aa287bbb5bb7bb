// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <ctime>
#include <functional>

class QWidget;

namespace vl {

// What the program asks of the system beyond its window: random draws, the local time of
// day, the beep and the modal message box. Each service can be replaced, for the tests, in
// the one place doublures() gives.
class Systeme
{
public:
    // One reading of the local time of day.
    struct Lecture
    {
        int heures = 0; // 0 to 23
        int minutes = 0; // 0 to 59
        int secondes = 0; // 0 to 59
        int millisecondes = 0; // 0 to 999
    };
    // Stand-ins for the services; an empty member leaves the real service in place.
    struct Doublures
    {
        std::function<float()> Rnd; // each result must lie in [0, 1)
        std::function<Lecture()> heure;
        // The system clock's reading (UTC, since the epoch) that heure turns into the local
        // time when no heure stand-in is set.
        std::function<timespec()> instant;
        std::function<void()> Beep;
        std::function<void(QWidget *parent, const QString &texte)> MsgBox;
    };

    // Seeds the generator from the current time of day.
    static void Randomize();
    // The next pseudo-random draw, 0 <= r < 1, in single precision.
    static float Rnd();

    // A fresh reading of the local time of day.
    static Lecture heure();
    // Milliseconds since midnight, local time.
    static unsigned millisecondesDuJour();

    static void Beep();
    // Shows a modal box over parent (a text, a single OK button, no icon, the application's
    // name as its caption) and returns once the user has closed it.
    static void MsgBox(QWidget *parent, const QString &texte);

    // The stand-ins in force; the tests set its members, and reset it to {} to restore all.
    static Doublures &doublures();
};

} // namespace vl
