// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Plays the rules from arbitrary bytes: a speed, a piece, ticks and keys, and a board.
//
// Layout of an input (missing bytes read as 0), with the playing field's rows and columns
// those of Jeu less the walls:
//   0        bit 0 set: a board that play can reach (every column one unbroken stack,
//            the piece above its column's stack); clear: any mix of colours and empty
//            cells, gaps included
//   1-8      seed of the random draws
//   9-10     interval, 1 + (value % Jeu::IntervalleDepart) ms
//   11       the piece's top row: 1 + value % (the rows less Jeu::HauteurPiece, plus 1)
//   12       its column: 1 + value % the columns
//   13-15    its colours, top to bottom (value % 7)
//   16-17    n, the number of steps
//   18-      n steps, one a byte: below 64 a tick, else a key (Touches below)
//   then     the playing cells, row by row from the top: value % 8, 0 empty, else palette
//            index value - 1, the bytes read again from the first when they run out (none:
//            an empty field); on a reachable board each column's cells fall to its floor
//
// Checks after every step: the walls hold the wall colour; the interval stays within 1 and
// the first interval and never rises; the piece stays within the field; on reachable boards,
// no cell keeps the removal mark. Bounds-checked containers, address and undefined-behaviour
// sanitizers, and libFuzzer's time-out catch the rest.

#include "jeu.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using vl::Jeu;

class Entree
{
public:
    Entree(const std::uint8_t *donnees, std::size_t taille)
        : m_donnees(donnees)
        , m_taille(taille)
    {
    }
    std::uint8_t octet(std::size_t i) const { return i < m_taille ? m_donnees[i] : 0; }
    std::size_t taille() const { return m_taille; }

private:
    const std::uint8_t *m_donnees;
    std::size_t m_taille;
};

constexpr int Rangees = Jeu::Rangees - 2;
constexpr int Colonnes = Jeu::Colonnes - 2;

constexpr std::size_t Seed = 1;
constexpr std::size_t Intervalle = 9;
constexpr std::size_t Ligne = 11;
constexpr std::size_t Colonne = 12;
constexpr std::size_t Piece = 13;
constexpr std::size_t NombreDePas = Piece + Jeu::HauteurPiece;
constexpr std::size_t Pas = NombreDePas + 2;

// The keys a step can be: each command, and two that change nothing in the rules (Escape,
// which minimises the window, and a key the game does not use).
constexpr std::size_t Touches = Jeu::Commandes.size() + 2;

void verifier(bool condition, const char *quoi)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_jeu: %s\n", quoi);
        std::abort();
    }
}

// splitmix64: a whole stream of draws from eight bytes of input.
class Tirage
{
public:
    explicit Tirage(std::uint64_t graine)
        : m_etat(graine)
    {
    }
    float operator()()
    {
        std::uint64_t z = (m_etat += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return float(z >> 40) * (1.0f / 16777216.0f);
    }

private:
    std::uint64_t m_etat;
};

// The value the input gives the cell in row ligne and column col of the field: 0 empty, else
// a palette index plus one. The cells start at byte `cases`.
int valeur(const Entree &e, std::size_t cases, int ligne, int col)
{
    if (e.taille() <= cases)
        return 0;
    const auto k = std::size_t((ligne - 1) * Colonnes + col - 1);
    return int(e.octet(cases + k % (e.taille() - cases)) % (Jeu::Palette.size() + 1));
}

void poserQuelconque(Jeu &jeu, const Entree &e, std::size_t cases)
{
    for (int ligne = 1; ligne <= Rangees; ++ligne)
        for (int col = 1; col <= Colonnes; ++col) {
            const int v = valeur(e, cases, ligne, col);
            jeu.setLbl(ligne * Jeu::Colonnes + col,
                       v == 0 ? jeu.vide() : Jeu::Palette.at(std::size_t(v - 1)));
        }
}

// Each column's cells fallen to its floor; the piece's column keeps room for the piece above
// its stack.
void poserAtteignable(Jeu &jeu, const Entree &e, std::size_t cases, int colPiece, int ligneHaut)
{
    for (int col = 1; col <= Colonnes; ++col) {
        const int plafond = col == colPiece ? ligneHaut + Jeu::HauteurPiece : 1;
        int pile = Rangees; // the row the next fallen cell takes
        for (int ligne = Rangees; ligne >= 1; --ligne) {
            const int v = valeur(e, cases, ligne, col);
            if (v != 0 && pile >= plafond)
                jeu.setLbl(pile-- * Jeu::Colonnes + col, Jeu::Palette.at(std::size_t(v - 1)));
        }
        for (; pile >= 1; --pile)
            jeu.setLbl(pile * Jeu::Colonnes + col, jeu.vide());
    }
}

bool sansMarque(const Jeu &jeu)
{
    for (int i = 0; i < Jeu::NombreCases; ++i)
        if (jeu.lbl(i) == Jeu::Marque)
            return false;
    return true;
}

bool mursIntacts(const Jeu &jeu)
{
    for (int i = 0; i < Jeu::NombreCases; ++i)
        if (Jeu::estMur(i) && jeu.lbl(i) != jeu.mur())
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille)
{
    const Entree e(donnees, taille);
    const bool atteignable = e.octet(0) & 1;
    std::uint64_t graine = 0;
    for (std::size_t i = 0; i < 8; ++i)
        graine = graine << 8 | e.octet(Seed + i);

    Jeu jeu(vl::couleurs::FaceBouton, vl::couleurs::TexteBouton);
    jeu.setTirage(Tirage(graine));
    bool perdu = false;
    jeu.setPerdu([&] { perdu = true; });
    jeu.Demarre();
    jeu.setInterval(1
                    + (e.octet(Intervalle) << 8 | e.octet(Intervalle + 1)) % Jeu::IntervalleDepart);

    const int ligneHaut = 1 + e.octet(Ligne) % (Rangees - Jeu::HauteurPiece + 1);
    const int colPiece = 1 + e.octet(Colonne) % Colonnes;
    const std::size_t pas = std::size_t(e.octet(NombreDePas) << 8 | e.octet(NombreDePas + 1));
    const std::size_t cases = Pas + pas;
    if (atteignable)
        poserAtteignable(jeu, e, cases, colPiece, ligneHaut);
    else
        poserQuelconque(jeu, e, cases);
    const int position = ligneHaut * Jeu::Colonnes + colPiece;
    for (int k = 0; k < Jeu::HauteurPiece; ++k)
        jeu.setLbl(position + Jeu::Colonnes * k,
                   Jeu::Palette.at(e.octet(Piece + std::size_t(k)) % Jeu::Palette.size()));
    jeu.setPosition(position);

    int intervalle = jeu.Interval();
    for (std::size_t i = Pas; i < std::min(cases, e.taille()); ++i) {
        const int v = e.octet(i);
        if (v < 64) {
            // After "Perdu" the timer is off: no tick runs, the keys still do.
            if (!jeu.Enabled())
                continue;
            jeu.Tic();
            verifier(jeu.Interval() >= 1 && jeu.Interval() <= intervalle,
                     "the interval left 1..IntervalleDepart or rose");
            intervalle = jeu.Interval();
            verifier(!atteignable || sansMarque(jeu), "a marked cell outlived its landing");
        } else if (const std::size_t touche = std::size_t(v) % Touches;
                   touche < Jeu::Commandes.size()) {
            jeu.Execute(Jeu::Commandes[touche]);
        }
        verifier(mursIntacts(jeu), "a wall cell changed");
        const int P = jeu.Position();
        verifier(!Jeu::estMur(P) && P / Jeu::Colonnes <= Rangees + 1 - Jeu::HauteurPiece,
                 "the piece left the field");
        verifier(perdu == !jeu.Enabled(), "the timer is off without a lost game, or on after");
    }
    return 0;
}
