// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

namespace vl {

// The local time of day. Each call is a fresh reading; tests replace the clock.
class Heure
{
public:
    struct Lecture
    {
        int heures = 0; // 0 to 23
        int minutes = 0; // 0 to 59
        int secondes = 0; // 0 to 59
        int millisecondes = 0; // 0 to 999
    };
    using Source = std::function<Lecture()>;

    static int secondes() { return lire().secondes; }
    static int minutes() { return lire().minutes; }
    static int heures() { return lire().heures; }
    // Milliseconds since midnight, local time.
    static unsigned millisecondesDuJour();
    // Replaces the clock by s from now on; empty restores the real one.
    static void remplacer(Source s);

private:
    static Lecture lire();
    static Source &source();
};

} // namespace vl
