// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tableaucases.h"

#include "bordure.h"
#include "peinture.h"

#include <QPaintEvent>
#include <QPainter>
#include <cassert>

namespace vl {

TableauCases::TableauCases(QWidget *parent, int nombre)
    : QWidget(parent)
    , m_cases(std::size_t(nombre))
{
    assert(nombre > 0);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void TableauCases::setPlacement(int i, RectTwips r)
{
    m_cases.at(i).place = r;
    recalculer();
}

template<class T> void TableauCases::changer(int i, T Case::*propriete, T valeur)
{
    Case &k = m_cases.at(i);
    if (k.*propriete == valeur)
        return;
    k.*propriete = valeur;
    update(k.pixels);
}

void TableauCases::setBackColor(int i, Couleur c)
{
    changer(i, &Case::back, c);
}

void TableauCases::setBordure(int i, bool avec)
{
    changer(i, &Case::bordure, avec);
}

void TableauCases::setForeColor(Couleur c)
{
    m_fore = c;
    update();
}

// Moves the widget over the cells' bounding box and works out each cell's pixel rectangle.
void TableauCases::recalculer()
{
    QRect tout;
    for (const Case &k : m_cases)
        tout |= k.place.enPixels();
    setGeometry(tout);
    for (Case &k : m_cases)
        k.pixels = k.place.enPixels().translated(-tout.topLeft());
    update();
}

void TableauCases::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    const QRect zone = e->rect();
    const QPalette &pal = palette();
    const QColor bord = resoudre(m_fore, pal);
    // Fills only, far cheaper than stroked outlines.
    for (const Case &k : m_cases) {
        if (!k.pixels.intersects(zone))
            continue;
        if (k.bordure)
            peindreBordee(p, k.pixels, resoudre(k.back, pal), bord);
        else
            p.fillRect(k.pixels, resoudre(k.back, pal));
    }
}

} // namespace vl
