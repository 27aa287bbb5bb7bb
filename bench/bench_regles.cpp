// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "jeu.h"
#include "plateautest.h"

#include <benchmark/benchmark.h>

namespace {

using vl::Jeu;
using namespace vl::test;

// Draws that bring every piece into column 4, coloured red, blue and yellow.
float tirage()
{
    static constexpr float Suite[]
            = {tirageColonne(4), tirageTeinte(0), tirageTeinte(1), tirageTeinte(3)};
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

// A piece falling down an empty column: the ticks take it from the top rows to the bottom
// ones, then it is put back at the top (six cell writes, included).
void BM_TicChute(benchmark::State &etat)
{
    Jeu jeu = jeuVide();
    poser(jeu, {"...r", "...b", "...j"});
    const int fond = jeu.Position();
    constexpr int Chutes = RangeesDeJeu - Jeu::HauteurPiece;
    for (auto _ : etat) {
        for (int i = 0; i < Jeu::Dessous; i += Jeu::Colonnes) {
            jeu.setLbl(caseDe(1, 4) + i, jeu.lbl(fond + i));
            jeu.setLbl(fond + i, jeu.vide());
        }
        jeu.setPosition(caseDe(1, 4));
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
    poser(jeu, {"...o", "...f", "...r", "FPOBVRJF", "RJFPOBVR", "BVRJFPOB", "POBVRJFP"});
    atterrissage(etat, jeu, 0);
}
BENCHMARK(BM_AtterrissageSansLigne);

// A landing that makes a line whose removal makes another, and that one a third: three
// passes that remove cells, and a fourth search that finds nothing.
void BM_AtterrissageCascade(benchmark::State &etat)
{
    Jeu jeu = jeuVide();
    poser(jeu, {".Vv", "VBbJ", "RRrB"});
    atterrissage(etat, jeu, 9);
}
BENCHMARK(BM_AtterrissageCascade);

// The worst landing: all the playing cells, the piece included, share one colour and go in
// one fill; every column is then emptied from the bottom, one cell at a time.
void BM_AtterrissageRemplissage(benchmark::State &etat)
{
    Jeu jeu = jeuVide();
    poser(jeu, champUni('R'));
    jeu.setPosition(caseDe(1, 1));
    atterrissage(etat, jeu, RangeesDeJeu * ColonnesDeJeu);
}
BENCHMARK(BM_AtterrissageRemplissage);

} // namespace
