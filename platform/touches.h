// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace vl {

// The virtual-key codes of the keys that have no letter or digit of their own and that the
// game acts on. A window hands these to Form_KeyDown; letters and digits come as their
// upper-case character codes, and every other key as 0.
enum Touche {
    ToucheEntree = 13,
    ToucheEchap = 27,
    ToucheEspace = 32,
    ToucheGauche = 37,
    ToucheHaut = 38,
    ToucheDroite = 39,
    ToucheBas = 40
};

// The modifier bits that come with a key code.
enum Modificateur { Maj = 1, Ctrl = 2, Alt = 4 };

} // namespace vl
