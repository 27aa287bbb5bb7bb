// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "couleur.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <functional>

namespace vl {

// The rules of the game on a board of 220 colour values, without any widget: spawning, the
// fall tick, the alignment search with its removal and settling, and the seven commands.
// The window mirrors this state into its controls; tests, benchmarks and fuzzers drive it
// directly. A cell is empty exactly when its value equals the empty colour given at
// construction (the window's background value); walls hold the wall colour.
class Jeu
{
public:
    static constexpr int NombreCases = 220;
    // Cells in a row of the board, the two walls included: cell i is in row i / Colonnes.
    static constexpr int Colonnes = 10;
    static constexpr Couleur Marque = couleurs::Blanc;
    // The seven piece colours, in the order of the palette swatches.
    static constexpr std::array<Couleur, 7> Palette
            = {0x000000FF, 0x00FF0000, 0x00800080, 0x0000FFFF, 0x0000C000, 0x000080FF, 0x00000040};
    static constexpr int IntervalleDepart = 1000;

    // The commands of the seven keys of the key help. Minimise is the window's own; it stays
    // in this list so that the one table of keys and commands holds all seven keys, and the
    // rules see (and ignore) every key the window acts on.
    enum class Commande { Aucune, Apercu, Minimise, Precipite, Gauche, Haut, Droite, Bas };
    // The command of a key code (touches.h), Aucune for any other key.
    static Commande commande(int KeyCode);

    // vide and mur: the window's background and foreground colour values (distinct, and
    // neither a palette colour nor the mark).
    Jeu(Couleur vide, Couleur mur);

    // Where draws come from (each 0 <= r < 1); must be set before the first NouvellePiece.
    void setTirage(std::function<float()> tirage) { m_tirage = std::move(tirage); }
    // What a blocked spawn does before the timer is switched off (the "Perdu" box).
    void setPerdu(std::function<void()> perdu) { m_perdu = std::move(perdu); }

    // Start-up steps, in the order the window runs them.
    void RemplitDirection();
    void PrepareTableau();
    void VideApercu();
    // Brings the preview's colours into rows 1 to 3 of a random column and draws the next
    // piece, or, when the cell below that column's row 3 is occupied, ends the game.
    void NouvellePiece();
    // Sets the timer's interval to its start and switches it on; the window copies both to its
    // timer.
    void DemarreTimer();

    // One step of the game (the window skips it while minimised): fall or land (then search
    // and spawn), speed, score.
    void Tic();
    // Removes every line of three and its connected cells, settling and searching again
    // until no line is left; adds each removed cell to Elimines.
    void ChercheAlignement();
    // Marks the 8-connected region of cell a's colour that contains a, counting its cells.
    // a must be a playing cell holding a piece colour.
    void Elimine(int a);
    // Runs the command; Minimise changes nothing here, the window minimises itself.
    void Execute(Commande c);

    // The board, the preview, the palette and the window-level variables.
    Couleur lbl(int i) const { return m_lbl.at(i); }
    void setLbl(int i, Couleur c) { m_lbl.at(i) = c; }
    Couleur Label2(int i) const { return m_Label2.at(i); }
    void setLabel2(int i, Couleur c) { m_Label2.at(i) = c; }
    Couleur Label3(int k) const { return Palette.at(k); }
    int Position() const { return m_Position; }
    void setPosition(int p) { m_Position = p; }
    std::int16_t Elimines() const { return m_Elimines; }
    std::int16_t Montrer() const { return m_Montrer; }
    int Direction(int d) const { return m_Direction.at(d); }
    Couleur vide() const { return m_vide; }
    Couleur mur() const { return m_mur; }
    // The game timer as the rules see it: interval in ms and enabled switch.
    int Interval() const { return m_Interval; }
    // Sets the interval the next tick starts from (1 to 1000 ms).
    void setInterval(int ms)
    {
        assert(ms >= 1 && ms <= IntervalleDepart);
        m_Interval = ms;
    }
    bool Enabled() const { return m_Enabled; }
    // The score caption's number: 1000 minus the interval.
    int score() const { return IntervalleDepart - m_Interval; }

private:
    bool estVide(int i) const { return m_lbl[i] == m_vide; }
    void deplace(int de, int vers);
    void decaleLateral(int sens);
    void precipite();
    void cycle(bool versLeHaut);
    bool tasse();

    std::array<Couleur, NombreCases> m_lbl {};
    std::array<Couleur, 3> m_Label2 {};
    std::array<int, 9> m_Direction {}; // entries 1 to 8
    std::function<float()> m_tirage;
    std::function<void()> m_perdu;
    Couleur m_vide;
    Couleur m_mur;
    int m_Position = 0;
    int m_Interval = 0;
    bool m_Enabled = false;
    std::int16_t m_Elimines = 0;
    std::int16_t m_Montrer = 0;
};

} // namespace vl
