// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <random>

namespace vl {

// The program's pseudo-random generator, yielding 0 <= r < 1 in single precision. It is
// seeded once, from the time of day; tests replace its draws by a fixed sequence.
class Hasard
{
public:
    using Source = std::function<float()>;

    // Seeds the generator from the current time of day.
    static void Randomize();
    // The next draw, 0 <= r < 1.
    static float Rnd();
    // Replaces the draws by s from now on (each result must lie in [0, 1)); empty restores.
    static void remplacer(Source s);

private:
    static std::mt19937 &generateur();
    static Source &source();
};

} // namespace vl
