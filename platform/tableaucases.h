// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "couleur.h"
#include "twips.h"

#include <QWidget>
#include <vector>

namespace vl {

// A control array of flat, captionless cells painted by one widget, so that recolouring a
// cell repaints that cell alone. Each cell has its own place (in twips, relative to the
// container), background colour and thin border, like a label with a single-space caption.
// The widget covers the bounding box of the cells; cells are expected to tile it.
class TableauCases : public QWidget
{
    Q_OBJECT
public:
    // Creates `nombre` cells, each empty-coloured, bordered and without a place yet.
    TableauCases(QWidget *parent, int nombre);

    int count() const { return int(m_cases.size()); }
    // Places cell i (0 <= i < count()).
    void setPlacement(int i, RectTwips r);
    RectTwips placement(int i) const { return m_cases.at(i).place; }
    // Sets the colour of cell i; repaints the cell only if its value changed.
    void setBackColor(int i, Couleur c);
    Couleur BackColor(int i) const { return m_cases.at(i).back; }
    void setBordure(int i, bool avec);
    bool bordure(int i) const { return m_cases.at(i).bordure; }
    // Colour of the cells' borders.
    void setForeColor(Couleur c);
    Couleur ForeColor() const { return m_fore; }

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    struct Case
    {
        RectTwips place;
        QRect pixels; // in this widget's coordinates
        Couleur back = couleurs::FaceBouton;
        bool bordure = true;
    };
    void recalculer();
    // Sets one property of cell i, repainting the cell only if its value changed.
    template<class T> void changer(int i, T Case::*propriete, T valeur);

    std::vector<Case> m_cases;
    Couleur m_fore = couleurs::TexteFenetre;
};

} // namespace vl
