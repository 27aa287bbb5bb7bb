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
// fall tick, the alignment search with its removal and settling, and the player's commands.
// The window mirrors this state into its controls; tests, benchmarks and fuzzers drive it
// directly. A cell is empty exactly when its value equals the empty colour given at
// construction (the window's background value); walls hold the wall colour.
class Jeu
{
public:
    // The board: Rangees rows of Colonnes cells, walls all round; cell i is in row
    // i / Colonnes and column i % Colonnes. The playing field is rows 1 to Rangees - 2 and
    // columns 1 to Colonnes - 2.
    static constexpr int Colonnes = 10;
    static constexpr int Rangees = 22;
    static constexpr int NombreCases = Colonnes * Rangees;
    // The piece: HauteurPiece cells of one column, its top cell at Position; the cell below it
    // is Position + Dessous.
    static constexpr int HauteurPiece = 3;
    static constexpr int Dessous = HauteurPiece * Colonnes;

    // True for the cells of the walls, which never change.
    static constexpr bool estMur(int i)
    {
        const int rangee = i / Colonnes;
        const int colonne = i % Colonnes;
        return rangee == 0 || rangee == Rangees - 1 || colonne == 0 || colonne == Colonnes - 1;
    }

    // The mark of a cell chosen for removal, for the length of one search.
    static constexpr Couleur Marque = rgb(255, 255, 255);
    // The seven piece colours, in the order of the palette swatches.
    static constexpr std::array<Couleur, 7> Palette
            = {rgb(255, 0, 0), rgb(0, 0, 255),   rgb(128, 0, 128), rgb(255, 255, 0),
               rgb(0, 192, 0), rgb(255, 128, 0), rgb(64, 0, 0)};
    static constexpr int IntervalleDepart = 1000;

    // What the player can do to the falling piece and the preview.
    enum class Commande { Apercu, Precipite, Gauche, Haut, Droite, Bas };
    // Each command once, in the order of the key help: what the tests and the fuzzer try.
    static constexpr std::array<Commande, 6> Commandes
            = {Commande::Gauche, Commande::Droite,    Commande::Haut,
               Commande::Bas,    Commande::Precipite, Commande::Apercu};

    // An empty board: walls, an empty field and an empty preview, the timer off. vide and mur
    // are the window's background and foreground colour values (distinct, and neither a
    // palette colour nor the mark).
    Jeu(Couleur vide, Couleur mur);

    // Where draws come from (each 0 <= r < 1); must be set before the first NouvellePiece.
    void setTirage(std::function<float()> tirage) { m_tirage = std::move(tirage); }
    // What a blocked spawn does once the rules have switched their timer off (the "Perdu"
    // box).
    void setPerdu(std::function<void()> perdu) { m_perdu = std::move(perdu); }

    // Brings the rules to the state the window starts from: an empty board, the preview
    // hidden, the first piece in and the next one in the preview, the timer on at
    // IntervalleDepart.
    void Demarre();
    // Brings the preview's colours into rows 1 to 3 of a random column and draws the next
    // piece, or, when the cell below that column's row 3 is occupied, ends the game.
    void NouvellePiece();
    // One step of the game (the window skips it while minimised): fall or land (then search
    // and spawn), speed, score.
    void Tic();
    // Removes every line of three and its connected cells, settling and searching again
    // until no line is left; adds each removed cell to Elimines.
    void ChercheAlignement();
    // Runs the command on the falling piece or the preview.
    void Execute(Commande c);

    // The board, the preview, the palette and the window-level variables; the window shows
    // the board, the preview and the timer's state. Setting them puts the rules in any
    // position, as the tests, benchmarks and fuzzer do.
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
    void prepareTableau();
    bool estVide(int i) const { return m_lbl[i] == m_vide; }
    void Elimine(int a);
    bool tasse();
    void deplace(int de, int vers);
    void decaleLateral(int sens);
    void precipite();
    void cycle(bool versLeHaut);

    std::array<Couleur, NombreCases> m_lbl {};
    std::array<Couleur, HauteurPiece> m_Label2 {};
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
