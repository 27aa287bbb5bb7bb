// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hasard.h"

#include "heure.h"

#include <cassert>

namespace vl {

std::mt19937 &Hasard::generateur()
{
    static std::mt19937 g;
    return g;
}

Hasard::Source &Hasard::source()
{
    static Source s;
    return s;
}

void Hasard::remplacer(Source s)
{
    source() = std::move(s);
}

void Hasard::Randomize()
{
    generateur().seed(Heure::millisecondesDuJour());
}

float Hasard::Rnd()
{
    if (source()) {
        const float r = source()();
        assert(r >= 0.0f && r < 1.0f);
        return r;
    }
    // 24 random bits over 2^24: every float step of [0, 1) and never 1 itself.
    return float(generateur()() >> 8) * (1.0f / 16777216.0f);
}

} // namespace vl
