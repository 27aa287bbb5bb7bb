// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cachetraits.h"
#include "couleur.h"
#include "twips.h"

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <vector>

namespace vl {

// A picture box: a bordered drawing surface whose coordinates are twips from the top-left
// corner of its drawing area (y downwards) and whose pen width is in pixels. What is drawn
// is kept in an image at the screen's device pixel ratio and shown on every repaint.
// Drawing is aliased, so drawing a shape again in the background colour erases it exactly.
// The pen width and the drawing operations are virtual, so that a derived box can watch what
// a client draws. Pixels drawn in a desktop-colour reference (the background, mostly) take
// that reference's new colour when the desktop palette changes; pixels drawn in RGB values
// keep theirs.
class BoiteImage : public EnTwips<QWidget>
{
    Q_OBJECT
public:
    explicit BoiteImage(QWidget *parent);

    // Size of the drawing area, inside the one-pixel border, in twips.
    double ScaleWidth() const;
    double ScaleHeight() const;

    // Persistent drawing is the box's only mode: what is drawn stays until drawn over. (The
    // clock relies on it without asking.)
    bool AutoRedraw() const { return true; }
    void setBackColor(Couleur c);
    Couleur BackColor() const { return m_back; }
    void setForeColor(Couleur c) { m_fore = c; }
    Couleur ForeColor() const { return m_fore; }
    // Sets the pen width in pixels; throws std::invalid_argument below 1, changing nothing.
    virtual void setDrawWidth(std::int16_t largeur);
    std::int16_t DrawWidth() const { return m_drawWidth; }

    // Clears the drawing area to the background colour.
    virtual void Cls();
    // Draws the outline of a circle of radius r centred on (x, y) with the current pen.
    virtual void Circle(float x, float y, float r, Couleur c);
    // Plots a dot of the current pen width centred on (x, y).
    virtual void PSet(float x, float y, Couleur c);
    // Draws a line from (x1, y1) to (x2, y2) with the current pen, round-ended.
    virtual void Line(float x1, float y1, float x2, float y2, Couleur c);

    // The drawing area as currently drawn, at the device pixel ratio.
    const QImage &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void changeEvent(QEvent *e) override;

private:
    QRect zoneDessin() const;
    void preparerImage();
    std::uint8_t codeReference(Couleur c);
    template<class Trace> void tracer(Couleur c, const Trace &trace);
    void recolorer();

    QImage m_image;
    // Beside each pixel of m_image, what it was drawn in: 0 for an RGB value, k for the
    // desktop-colour reference m_references[k - 1].
    QImage m_codes;
    std::vector<Couleur> m_references;
    Couleur m_back = couleurs::FondFenetre;
    Couleur m_fore = couleurs::TexteFenetre;
    std::int16_t m_drawWidth = 1;
    CacheTraits m_traits; // the pixels of the last lines drawn
    // What Line asked to repaint since the last repaint, in widget pixels.
    QRect m_aPeindre;
};

} // namespace vl
