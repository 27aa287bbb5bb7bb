// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "boiteimage.h"
#include "horloge.h"

#include <benchmark/benchmark.h>

namespace {

// One tick's work for the clock: erase the three hands and draw them at the current time,
// in a box placed and configured as the game window does it (the repaint is not included).
void BM_HorlogeDes(benchmark::State &etat)
{
    vl::BoiteImage boite(nullptr);
    boite.setPlacement({6405, 5355, 2200, 2100});
    boite.setBackColor(vl::couleurs::FondFenetre);
    boite.setForeColor(vl::couleurs::TexteFenetre);
    vl::Horloge horloge;
    horloge.HorlogeDeb(boite, 0x0000FFFF, 0, 2, 0x00FF0000, 3, 0x000000FF, 0, 0, 2, 0x0000FF00, 0,
                       3, 0x00FF0000, 0, 4, 0x000000FF);
    for (auto _ : etat) {
        horloge.HorlogeDes(boite);
        benchmark::DoNotOptimize(boite.image().constBits());
    }
}
BENCHMARK(BM_HorlogeDes);

} // namespace
