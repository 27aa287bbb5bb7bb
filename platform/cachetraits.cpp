// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cachetraits.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

namespace vl {

const CacheTraits::Trait &CacheTraits::trait(const QLineF &ligne, std::int16_t largeur, QSize image,
                                             qreal dpr)
{
    // Compared exactly: a line a hair away may cover other pixels.
    const std::array<qreal, 4> bouts {ligne.x1(), ligne.y1(), ligne.x2(), ligne.y2()};
    const auto it = std::find_if(m_traits.begin(), m_traits.end(), [&](const Trait &t) {
        return t.largeur == largeur && t.bouts == bouts && t.image == image && t.dpr == dpr;
    });
    if (it != m_traits.end())
        return *it;
    Trait &t = m_traits[m_prochain++ % m_traits.size()];
    t = Trait {bouts, largeur, image, dpr, {}, {}};

    // The mask covers the line's box widened by the pen; the stroke is clipped to the image
    // like a stroke on the image itself.
    const qreal marge = (largeur / 2.0 + 2) * dpr;
    const QRect boite = QRectF(ligne.p1() * dpr, ligne.p2() * dpr)
                                .normalized()
                                .adjusted(-marge, -marge, marge, marge)
                                .toAlignedRect()
                                .intersected(QRect(QPoint(0, 0), image));
    if (boite.isEmpty())
        return t;
    QImage masque(boite.size(), QImage::Format_Grayscale8);
    masque.fill(0);
    {
        QPainter p(&masque);
        p.translate(-QPointF(boite.topLeft()));
        p.scale(dpr, dpr);
        p.setPen(QPen(Qt::white, largeur, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(ligne);
    }
    for (int j = 0; j < masque.height(); ++j) {
        const uchar *l = masque.constScanLine(j);
        for (int i = 0; i < masque.width(); ++i) {
            if (!l[i])
                continue;
            const int debut = i;
            while (i < masque.width() && l[i])
                ++i;
            t.segments.push_back({boite.y() + j, boite.x() + debut, boite.x() + i});
            t.etendue |= QRect(boite.x() + debut, boite.y() + j, i - debut, 1);
        }
    }
    return t;
}

} // namespace vl
