// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "jeu.h"

#include "touches.h"

#include <cassert>
#include <cmath>
#include <utility>

namespace vl {

namespace {
constexpr int PremiereCase = 11; // row 1, column 1
constexpr int DerniereCase = 208; // row 20, column 8
constexpr int PremiereLigne20 = 201;
constexpr int DerniereLigne20 = 208;
} // namespace

Jeu::Commande Jeu::commande(int KeyCode)
{
    static constexpr std::pair<Touche, Commande> Commandes[]
            = {{ToucheEntree, Commande::Apercu},    {ToucheEchap, Commande::Minimise},
               {ToucheEspace, Commande::Precipite}, {ToucheGauche, Commande::Gauche},
               {ToucheHaut, Commande::Haut},        {ToucheDroite, Commande::Droite},
               {ToucheBas, Commande::Bas}};
    for (const auto &[touche, commande] : Commandes)
        if (touche == KeyCode)
            return commande;
    return Commande::Aucune;
}

Jeu::Jeu(Couleur vide, Couleur mur)
    : m_vide(vide)
    , m_mur(mur)
{
    assert(vide != mur && vide != Marque && mur != Marque);
}

void Jeu::RemplitDirection()
{
    m_Direction = {0, -11, -10, -9, -1, 1, 9, 10, 11};
}

void Jeu::PrepareTableau()
{
    for (int i = 0; i < NombreCases; ++i) {
        const int ligne = i / Colonnes;
        const int colonne = i % Colonnes;
        const bool mur = ligne == 0 || ligne == 21 || colonne == 0 || colonne == 9;
        m_lbl[i] = mur ? m_mur : m_vide;
    }
}

void Jeu::VideApercu()
{
    m_Label2.fill(m_vide);
}

void Jeu::DemarreTimer()
{
    m_Interval = IntervalleDepart;
    m_Enabled = true;
}

void Jeu::NouvellePiece()
{
    assert(m_tirage);
    m_Position = int(std::floor(double(m_tirage()) * 8)) + PremiereCase;
    assert(m_Position >= 11 && m_Position <= 18);
    if (!estVide(m_Position + 30)) {
        if (m_perdu)
            m_perdu();
        m_Enabled = false;
        return;
    }
    for (int i = 0; i < 3; ++i) {
        m_lbl[m_Position + 10 * i] = m_Label2[i];
        const int k = int(std::floor(double(m_tirage()) * 7));
        m_Label2[i] = Palette.at(k);
    }
}

void Jeu::Tic()
{
    const int P = m_Position;
    if (estVide(P + 30)) {
        for (int i = P + 30; i > P; i -= 10)
            m_lbl[i] = m_lbl[i - 10];
        m_lbl[P] = m_vide;
        m_Position = P + 10;
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

// Settles every column from row 20 up, removing each marked cell by shifting the column
// above it down one row; returns whether any marked cell was removed.
bool Jeu::tasse()
{
    bool retire = false;
    for (int j = PremiereLigne20; j <= DerniereLigne20; ++j) {
        int k = j;
        while (!estVide(k)) {
            if (m_lbl[k] == Marque) {
                for (int m = k; m >= 21; m -= 10)
                    m_lbl[m] = m_lbl[m - 10];
                m_lbl[j % Colonnes + Colonnes] = m_vide;
                retire = true;
                k = j;
                continue;
            }
            k -= 10;
            if (k < 10)
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
    case Commande::Minimise:
    case Commande::Aucune:
        break;
    }
}

void Jeu::deplace(int de, int vers)
{
    m_lbl[vers] = m_lbl[de];
    m_lbl[de] = m_vide;
}

// Moves the piece one column, all three cells or none.
void Jeu::decaleLateral(int sens)
{
    const int P = m_Position;
    if (!estVide(P + sens) || !estVide(P + 10 + sens) || !estVide(P + 20 + sens))
        return;
    for (int i = P; i <= P + 20; i += 10)
        deplace(i, i + sens);
    m_Position = P + sens;
}

void Jeu::precipite()
{
    const int P = m_Position;
    int i = P + 30;
    while (estVide(i))
        i += 10;
    if (i == P + 30)
        return;
    // Bottom cell first, so that a drop of one or two rows overwrites only vacated cells.
    deplace(P + 20, i - 10);
    deplace(P + 10, i - 20);
    deplace(P, i - 30);
    m_Position = i - 30;
}

void Jeu::cycle(bool versLeHaut)
{
    const int P = m_Position;
    if (versLeHaut) {
        const Couleur garde = m_lbl[P];
        m_lbl[P] = m_lbl[P + 10];
        m_lbl[P + 10] = m_lbl[P + 20];
        m_lbl[P + 20] = garde;
    } else {
        const Couleur garde = m_lbl[P + 20];
        m_lbl[P + 20] = m_lbl[P + 10];
        m_lbl[P + 10] = m_lbl[P];
        m_lbl[P] = garde;
    }
}

} // namespace vl
