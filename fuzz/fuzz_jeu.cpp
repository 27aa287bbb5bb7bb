// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Plays the rules from arbitrary bytes: a board, a piece, a speed, then ticks and keys.
//
// Layout of an input (missing bytes read as 0):
//   0        bit 0 set: a board that play can reach (every column one unbroken stack,
//            the piece above its column's stack); clear: any mix of colours and empty
//            cells, gaps included
//   1-8      seed of the random draws
//   9-10     interval, 1 + (value % Jeu::IntervalleDepart) ms
//   11-18    stack heights of columns 1 to 8 (value % 21), reachable boards only
//   19-178   the 160 playing cells, row by row: value % 8, 7 empty, else a palette index
//            (reachable boards use value % 7 for the cells of each stack)
//   179      the piece's place: row 1 + value % 18, column 1 + value / 18 % 8
//   180-182  the piece's colours, top to bottom (value % 7)
//   183-     one step per byte: below 64 a tick, else the key value % 8 (Touches below)
//
// Checks after every step: the walls hold the wall colour; the interval stays within 1 and
// the first interval and never rises; the piece's top cell stays in rows 1 to 18 and columns
// 1 to 8; on reachable boards, no cell keeps the removal mark. Bounds-checked containers,
// address and undefined-behaviour sanitizers, and libFuzzer's time-out catch the rest.

#include "jeu.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

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

constexpr std::size_t Seed = 1;
constexpr std::size_t Intervalle = 9;
constexpr std::size_t Hauteurs = 11;
constexpr std::size_t Cases = 19;
constexpr std::size_t Place = 179;
constexpr std::size_t Piece = 180;
constexpr std::size_t Pas = 183;

// What a key does to the rules: the six commands, and two keys that change nothing there (a
// key the game does not use, and Escape, which minimises the window).
constexpr std::optional<Jeu::Commande> Touches[8]
        = {std::nullopt,          Jeu::Commande::Apercu,
           std::nullopt,          Jeu::Commande::Precipite,
           Jeu::Commande::Gauche, Jeu::Commande::Haut,
           Jeu::Commande::Droite, Jeu::Commande::Bas};

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

void poserQuelconque(Jeu &jeu, const Entree &e)
{
    for (int ligne = 1; ligne <= 20; ++ligne)
        for (int col = 1; col <= 8; ++col) {
            const int v = e.octet(Cases + std::size_t((ligne - 1) * 8 + col - 1)) % 8;
            jeu.setLbl(ligne * 10 + col, v == 7 ? jeu.vide() : Jeu::Palette.at(std::size_t(v)));
        }
}

// Stacks resting on row 20; the piece's column keeps room for the piece above its stack.
void poserAtteignable(Jeu &jeu, const Entree &e, int colPiece, int ligneHaut)
{
    for (int col = 1; col <= 8; ++col) {
        int hauteur = e.octet(Hauteurs + std::size_t(col - 1)) % 21;
        if (col == colPiece && hauteur > 20 - ligneHaut - 2)
            hauteur = 20 - ligneHaut - 2;
        for (int ligne = 1; ligne <= 20; ++ligne) {
            const int v = e.octet(Cases + std::size_t((ligne - 1) * 8 + col - 1)) % 7;
            jeu.setLbl(ligne * 10 + col,
                       ligne > 20 - hauteur ? Jeu::Palette.at(std::size_t(v)) : jeu.vide());
        }
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

    const int ligneHaut = 1 + e.octet(Place) % 18;
    const int colPiece = 1 + e.octet(Place) / 18 % 8;
    if (atteignable)
        poserAtteignable(jeu, e, colPiece, ligneHaut);
    else
        poserQuelconque(jeu, e);
    const int position = ligneHaut * 10 + colPiece;
    for (int k = 0; k < 3; ++k)
        jeu.setLbl(position + 10 * k, Jeu::Palette.at(e.octet(Piece + std::size_t(k)) % 7));
    jeu.setPosition(position);

    int intervalle = jeu.Interval();
    for (std::size_t i = Pas; i < e.taille(); ++i) {
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
        } else if (const auto commande = Touches[v % 8]) {
            jeu.Execute(*commande);
        }
        verifier(mursIntacts(jeu), "a wall cell changed");
        const int P = jeu.Position();
        verifier(P >= 11 && P <= 188 && !Jeu::estMur(P), "the piece left rows 1 to 18");
        verifier(perdu == !jeu.Enabled(), "the timer is off without a lost game, or on after");
    }
    return 0;
}
