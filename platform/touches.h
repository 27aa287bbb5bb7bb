// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace vl {

// The virtual-key codes of the keys the game acts on. A window passes Form_KeyDown
// these codes for these keys, the upper-case character code for a letter or a digit, and 0
// for any other key.
enum Touche {
    ToucheEntree = 13,
    ToucheEchap = 27,
    ToucheEspace = 32,
    ToucheGauche = 37,
    ToucheHaut = 38,
    ToucheDroite = 39,
    ToucheBas = 40
};

// The modifier bits that come with a key code, for a window that reads them (the game's
// does not: a key does the same with any modifiers).
enum Modificateur { Maj = 1, Ctrl = 2, Alt = 4 };

} // namespace vl
