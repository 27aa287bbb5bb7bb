// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLineF>
#include <QRect>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vl {

// The pixels of the last few lines stroked, as Qt's aliased round-capped stroke sets them on
// an image: a clock draws its hands again and again at the same places, and setting known
// pixels costs a small fraction of stroking the line again (a falling tick of the game,
// counted by callgrind: 37,000 instructions with them, 352,000 stroking every line).
class CacheTraits
{
public:
    // One run of pixels along an image row.
    struct Segment
    {
        int y;
        int debut;
        int fin; // one past the last pixel
    };
    struct Trait
    {
        std::array<qreal, 4> bouts {}; // x1, y1, x2, y2 in logical pixels
        std::int16_t largeur = 0; // 0: never filled
        QSize image;
        qreal dpr = 0;
        std::vector<Segment> segments;
        QRect etendue; // in image pixels
    };

    // The pixels of `ligne` (logical pixels) stroked `largeur` pixels wide on an image of
    // `image` pixels at device pixel ratio `dpr`, clipped to that image.
    const Trait &trait(const QLineF &ligne, std::int16_t largeur, QSize image, qreal dpr);

private:
    // Enough for three hands erased at one place and drawn at another.
    std::array<Trait, 8> m_traits;
    std::size_t m_prochain = 0;
};

} // namespace vl
