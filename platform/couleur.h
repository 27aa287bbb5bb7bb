// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Plain C++ with no Qt: the rules store these values without linking any toolkit.

#include <cstdint>

namespace vl {

// A colour value as the game stores it: either an RGB value 0x00BBGGRR (red in the low byte)
// or a reference to a desktop colour, 0x800000nn. Values are kept and compared exactly; a
// reference is turned into a real colour only when something is painted (peinture.h).
using Couleur = std::uint32_t;

namespace couleurs {
inline constexpr Couleur FaceBouton = 0x8000000F; // button face: window background, empty cells
inline constexpr Couleur TexteBouton = 0x80000012; // button text: window foreground, walls
inline constexpr Couleur FondFenetre = 0x80000005; // window background: text areas, picture box
inline constexpr Couleur TexteFenetre = 0x80000008; // window text: label text
} // namespace couleurs

// True when c refers to a desktop colour rather than holding an RGB value.
constexpr bool estReferenceSysteme(Couleur c)
{
    return (c & 0xFF000000u) == 0x80000000u;
}

// The RGB value 0x00BBGGRR of the three components (each 0 to 255).
constexpr Couleur rgb(int r, int g, int b)
{
    return Couleur(r & 0xFF) | Couleur(g & 0xFF) << 8 | Couleur(b & 0xFF) << 16;
}

} // namespace vl
