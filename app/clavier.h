// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "jeu.h"
#include "touches.h"

#include <array>
#include <optional>

namespace vl {

// One key of the game: the code the window receives for it, what it does, and its row of the
// key help (the key's label, then the action's).
struct ToucheJeu
{
    Touche code;
    // The rules' command; none for Escape, the boss key, which minimises the window.
    std::optional<Jeu::Commande> commande;
    int top; // of the help row, in twips
    int indiceTouche; // the Label1 index of the key's symbol or name
    const char *touche;
    // For a key shown by a symbol, its name as assistive technology reads it; else nullptr.
    const char *nom;
    int indiceAction; // the Label1 index of what the key does
    const char *action;
    // 0 when the action's label is as wide as its text; else the width it wraps within, twips.
    int largeurAction = 0;
};

// The game's keys, in the order of the key help.
inline constexpr std::array<ToucheJeu, 7> Clavier = {{
        {ToucheGauche, Jeu::Commande::Gauche, 315, 0, "←", "Flèche gauche", 6,
         "Déplacer vers la gauche"},
        {ToucheDroite, Jeu::Commande::Droite, 630, 1, "→", "Flèche droite", 7,
         "Déplacer vers la droite"},
        {ToucheHaut, Jeu::Commande::Haut, 945, 2, "↑", "Flèche haut", 8,
         "Décaler les couleurs vers le haut"},
        {ToucheBas, Jeu::Commande::Bas, 1260, 3, "↓", "Flèche bas", 9,
         "Décaler les couleurs vers le bas"},
        {ToucheEchap, std::nullopt, 1575, 4, "Escape", nullptr, 10, "le patron !"},
        {ToucheEspace, Jeu::Commande::Precipite, 1890, 5, "Espace", nullptr, 11,
         "Précipiter la vorlan"},
        {ToucheEntree, Jeu::Commande::Apercu, 2205, 13, "Entrée", nullptr, 14,
         "Montrer/Cacher la prochaine pièce", 1995},
}};

// The key whose code is KeyCode, or nullptr for a key the game does not use.
constexpr const ToucheJeu *toucheJeu(int KeyCode)
{
    for (const ToucheJeu &t : Clavier)
        if (t.code == KeyCode)
            return &t;
    return nullptr;
}

} // namespace vl
