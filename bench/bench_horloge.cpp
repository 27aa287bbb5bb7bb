// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "boiteimage.h"
#include "horloge.h"
#include "vorlanfrm.h"

#include <benchmark/benchmark.h>

namespace {

// One tick's work for the clock: erase the three hands and draw them at the current time,
// in the game window's own box with the game's own settings, the window loaded but not shown
// (the repaint is not included).
void BM_HorlogeDes(benchmark::State &etat)
{
    vl::VorlanFrm fenetre;
    fenetre.charger();
    vl::Horloge &horloge = *fenetre.Horloge1();
    vl::BoiteImage &boite = fenetre.Picture1();
    for (auto _ : etat) {
        horloge.HorlogeDes(boite);
        benchmark::DoNotOptimize(boite.image().constBits());
    }
}
BENCHMARK(BM_HorlogeDes);

} // namespace
