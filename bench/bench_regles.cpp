// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "jeu.h"
#include "plateautest.h"

#include <benchmark/benchmark.h>

namespace {

using vl::Jeu;
using vl::test::poser;

// Draws that bring every piece into column 4, coloured red, blue and yellow.
float tirage()
{
    static constexpr float Suite[] = {0.45f, 0.05f, 0.2f, 0.5f};
    static unsigned k = 0;
    return Suite[k++ % 4];
}

// A started game, its field emptied of the first piece.
Jeu jeuVide()
{
    Jeu jeu(vl::couleurs::FaceBouton, vl::couleurs::TexteBouton);
    jeu.setTirage(&tirage);
    jeu.Demarre();
    poser(jeu, {});
    return jeu;
}

// A piece falling down an empty column: 17 ticks take it from rows 1-3 to rows 18-20, then
// it is put back at the top (six cell writes, included).
void BM_TicChute(benchmark::State &etat)
{
    Jeu jeu = jeuVide();
    poser(jeu, {"...R....", "...B....", "...J...."});
    jeu.setPosition(184); // rows 18 to 20, column 4
    constexpr int Chutes = 17;
    for (auto _ : etat) {
        for (int i = 0; i < 3; ++i) {
            jeu.setLbl(14 + 10 * i, jeu.lbl(184 + 10 * i));
            jeu.setLbl(184 + 10 * i, jeu.vide());
        }
        jeu.setPosition(14);
        for (int n = 0; n < Chutes; ++n)
            jeu.Tic();
        benchmark::DoNotOptimize(jeu.Position());
    }
    etat.counters["par_tic"] = benchmark::Counter(
            Chutes, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TicChute);

// Each landing starts from a copy of the same game; this is what the copy costs.
void BM_CopieDuJeu(benchmark::State &etat)
{
    const Jeu modele = jeuVide();
    Jeu jeu = modele;
    for (auto _ : etat) {
        jeu = modele;
        benchmark::DoNotOptimize(jeu);
    }
}
BENCHMARK(BM_CopieDuJeu);

// Runs one tick on a fresh copy of modele per iteration, checking that it removes `retires`.
void atterrissage(benchmark::State &etat, const Jeu &modele, int retires)
{
    Jeu jeu = modele;
    for (auto _ : etat) {
        jeu = modele;
        jeu.Tic();
        benchmark::DoNotOptimize(jeu);
    }
    if (jeu.Interval() != modele.Interval() - retires)
        etat.SkipWithError("the landing did not remove the expected cells");
}

// A piece lands on a four-row heap in which no two touching cells match: one full search
// that finds nothing, then the next piece.
void BM_AtterrissageSansLigne(benchmark::State &etat)
{
    Jeu jeu = jeuVide();
    poser(jeu,
          {"...O....", "...F....", "...R....", "FPOBVRJF", "RJFPOBVR", "BVRJFPOB", "POBVRJFP"});
    jeu.setPosition(144);
    atterrissage(etat, jeu, 0);
}
BENCHMARK(BM_AtterrissageSansLigne);

// A landing that makes a line whose removal makes another, and that one a third: three
// passes that remove cells, and a fourth search that finds nothing.
void BM_AtterrissageCascade(benchmark::State &etat)
{
    Jeu jeu = jeuVide();
    poser(jeu, {".VV.....", "VBBJ....", "RRRB...."});
    jeu.setPosition(183);
    atterrissage(etat, jeu, 9);
}
BENCHMARK(BM_AtterrissageCascade);

// The worst landing: the 160 playing cells, the piece included, share one colour and go in
// one fill; every column is then emptied from the bottom, one cell at a time.
void BM_AtterrissageRemplissage160(benchmark::State &etat)
{
    Jeu jeu = jeuVide();
    poser(jeu, vl::test::champUni('R'));
    jeu.setPosition(11);
    atterrissage(etat, jeu, 160);
}
BENCHMARK(BM_AtterrissageRemplissage160);

} // namespace
