// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "jeu.h"

#include <cassert>
#include <cmath>

namespace vl {

namespace {
constexpr int C = Jeu::Colonnes;
constexpr int ColonnesDeJeu = C - 2;
constexpr int PremiereCase = C + 1; // row 1, column 1
constexpr int DerniereCase = Jeu::NombreCases - C - 2; // the last row's column before the wall
constexpr int PremiereDuBas = DerniereCase - ColonnesDeJeu + 1; // the last row's column 1

// The draw r (0 <= r < 1) as one of n equally likely whole numbers, 0 to n - 1.
int parmi(float r, int n)
{
    return int(std::floor(double(r) * n));
}
} // namespace

Jeu::Jeu(Couleur vide, Couleur mur)
    : m_vide(vide)
    , m_mur(mur)
{
    assert(vide != mur && vide != Marque && mur != Marque);
    m_Direction = {0, -C - 1, -C, -C + 1, -1, 1, C - 1, C, C + 1};
    prepareTableau();
}

void Jeu::prepareTableau()
{
    for (int i = 0; i < NombreCases; ++i)
        m_lbl[i] = estMur(i) ? m_mur : m_vide;
    m_Label2.fill(m_vide);
    m_Montrer = 0;
}

void Jeu::Demarre()
{
    prepareTableau();
    // The first spawn only brings the empty preview into the board and fills the preview;
    // the second brings in the first piece.
    NouvellePiece();
    NouvellePiece();
    m_Interval = IntervalleDepart;
    m_Enabled = true;
}

void Jeu::NouvellePiece()
{
    assert(m_tirage);
    m_Position = PremiereCase + parmi(m_tirage(), ColonnesDeJeu);
    assert(m_Position / C == 1 && !estMur(m_Position));
    if (!estVide(m_Position + Dessous)) {
        // Switched off before the loss is reported, so that what reports it finds the game
        // stopped.
        m_Enabled = false;
        if (m_perdu)
            m_perdu();
        return;
    }
    for (int i = 0; i < HauteurPiece; ++i) {
        m_lbl[m_Position + C * i] = m_Label2[i];
        m_Label2[i] = Label3(parmi(m_tirage(), int(Palette.size())));
    }
}

void Jeu::Tic()
{
    const int P = m_Position;
    if (estVide(P + Dessous)) {
        for (int i = P + Dessous; i > P; i -= C)
            m_lbl[i] = m_lbl[i - C];
        m_lbl[P] = m_vide;
        m_Position = P + C;
    } else {
        ChercheAlignement();
        NouvellePiece();
    }
    m_Interval = m_Elimines >= m_Interval ? 1 : m_Interval - m_Elimines;
    m_Elimines = 0;
}

void Jeu::ChercheAlignement()
{
    int depart = 0;
    for (int i = PremiereCase; i <= DerniereCase && depart == 0; ++i) {
        const Couleur c = m_lbl[i];
        // A mark left over above a gap (a board that play never produces) is no piece
        // colour: taking it for one would make the fill run for ever.
        if (c == m_vide || c == m_mur || c == Marque)
            continue;
        for (int d = 1; d <= 8 && depart == 0; ++d) {
            int n = 1;
            int k = i + m_Direction[d];
            while (m_lbl[k] == c) {
                if (++n == 3) {
                    depart = i;
                    break;
                }
                k += m_Direction[d];
            }
        }
    }
    if (depart == 0)
        return;
    Elimine(depart);
    if (tasse())
        ChercheAlignement();
}

// Marks the 8-connected region of cell a's colour that contains a, counting its cells.
void Jeu::Elimine(int a)
{
    const Couleur c = m_lbl[a];
    assert(c != m_vide && c != m_mur && c != Marque);
    m_lbl[a] = Marque;
    ++m_Elimines;
    for (int d = 1; d <= 8; ++d) {
        if (m_lbl[a + m_Direction[d]] == c)
            Elimine(a + m_Direction[d]);
    }
}

// Settles every column from the bottom row up, removing each marked cell by shifting the
// column above it down one row; returns whether any marked cell was removed.
bool Jeu::tasse()
{
    bool retire = false;
    for (int j = PremiereDuBas; j <= DerniereCase; ++j) {
        int k = j;
        while (!estVide(k)) {
            if (m_lbl[k] == Marque) {
                for (int m = k; m / C >= 2; m -= C)
                    m_lbl[m] = m_lbl[m - C];
                m_lbl[C + j % C] = m_vide;
                retire = true;
                k = j;
                continue;
            }
            k -= C;
            if (k < C)
                break;
        }
    }
    return retire;
}

void Jeu::Execute(Commande c)
{
    switch (c) {
    case Commande::Apercu:
        m_Montrer = m_Montrer ? 0 : -1;
        break;
    case Commande::Precipite:
        precipite();
        break;
    case Commande::Gauche:
        decaleLateral(-1);
        break;
    case Commande::Droite:
        decaleLateral(1);
        break;
    case Commande::Haut:
        cycle(true);
        break;
    case Commande::Bas:
        cycle(false);
        break;
    }
}

void Jeu::deplace(int de, int vers)
{
    m_lbl[vers] = m_lbl[de];
    m_lbl[de] = m_vide;
}

// Moves the piece one column, all its cells or none.
void Jeu::decaleLateral(int sens)
{
    const int P = m_Position;
    for (int i = P; i < P + Dessous; i += C)
        if (!estVide(i + sens))
            return;
    for (int i = P; i < P + Dessous; i += C)
        deplace(i, i + sens);
    m_Position = P + sens;
}

void Jeu::precipite()
{
    const int P = m_Position;
    int i = P + Dessous;
    while (estVide(i))
        i += C;
    if (i == P + Dessous)
        return;
    // Bottom cell first, so that a drop of one or two rows overwrites only vacated cells.
    for (int k = P + Dessous - C; k >= P; k -= C)
        deplace(k, k + i - (P + Dessous));
    m_Position = i - Dessous;
}

// Turns the piece's colours one cell up (the top one going to the bottom) or down.
void Jeu::cycle(bool versLeHaut)
{
    const int haut = m_Position;
    const int bas = m_Position + Dessous - C;
    if (versLeHaut) {
        const Couleur garde = m_lbl[haut];
        for (int i = haut; i < bas; i += C)
            m_lbl[i] = m_lbl[i + C];
        m_lbl[bas] = garde;
    } else {
        const Couleur garde = m_lbl[bas];
        for (int i = bas; i > haut; i -= C)
            m_lbl[i] = m_lbl[i - C];
        m_lbl[haut] = garde;
    }
}

} // namespace vl
