// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window's layout as the game must have it, in twips, and what a screenshot of the window
// shows. tst_disposition checks the window against the layout; the screenshot readers, which
// run without the window, find the board and the controls in a screenshot with it.

#include "jeu.h"
#include "plateautest.h"
#include "twips.h"

#include <QColor>
#include <QImage>
#include <array>
#include <functional>

namespace vl::test::disposition {

// The client area, 583 x 510 pixels.
inline constexpr RectTwips Client {0, 0, 8745, 7650};
inline constexpr RectTwips Frame1 {105, 210, 3690, 7260};

// Board cell i in the frame: 300 twips square, the top-left wall at (300, 300).
constexpr RectTwips lbl(int i)
{
    return {(i % Jeu::Colonnes + 1) * 300, (i / Jeu::Colonnes + 1) * 300, 300, 300};
}

// Board cell i in the client area.
constexpr RectTwips caseDansLaFenetre(int i)
{
    const RectTwips c = lbl(i);
    return {Frame1.left + c.left, Frame1.top + c.top, c.width, c.height};
}

// The preview's three cells and the seven palette swatches.
constexpr RectTwips Label2(int i)
{
    return {6930, 2205 + 300 * i, 300, 300};
}
constexpr RectTwips Label3(int k)
{
    return {3990, 4725 + 315 * k, 300, 300};
}

inline constexpr RectTwips Text1 {4410, 3255, 3795, 1170};
inline constexpr RectTwips Command1 {4620, 4620, 1380, 750};
inline constexpr RectTwips Picture1 {6405, 5355, 2200, 2100};

// A label sized to its text: Label1(indice), or the score for -1; its left and top, and the
// width it wraps within (0 for one line).
struct EtiquetteAuto
{
    int indice;
    int left;
    int top;
    int largeur;

    // Its name as the window gives it: "Label1(12)", "score".
    QString nom() const
    {
        return indice < 0 ? QStringLiteral("score") : QStringLiteral("Label1(%1)").arg(indice);
    }
};
inline constexpr std::array<EtiquetteAuto, 16> Etiquettes = {{
        {0, 4095, 315, 0},
        {1, 4095, 630, 0},
        {2, 4095, 945, 0},
        {3, 4095, 1260, 0},
        {4, 4095, 1575, 0},
        {5, 4095, 1890, 0},
        {13, 4095, 2205, 0},
        {6, 4935, 315, 0},
        {7, 4935, 630, 0},
        {8, 4935, 945, 0},
        {9, 4935, 1260, 0},
        {10, 4935, 1575, 0},
        {11, 4935, 1890, 0},
        {14, 4935, 2205, 1995},
        {12, 7770, 2205, 0},
        {-1, 7770, 2625, 0},
}};

} // namespace vl::test::disposition

namespace vl::test {

// The colour that an RGB value 0x00BBGGRR stands for.
constexpr QRgb enRgb(Couleur c)
{
    return qRgb(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

// The letter of the piece colour that a pixel shows (Lettres), or '.' for any other colour.
inline char lettreALEcran(QRgb pixel)
{
    for (std::size_t k = 0; k < Jeu::Palette.size(); ++k)
        if (enRgb(Jeu::Palette[k]) == (pixel | 0xFF000000))
            return Lettres[k];
    return '.';
}

// Board cell i in a screenshot of the client area taken at scale factor echelle.
inline QRect caseALEcran(int i, int echelle = 1)
{
    const QRect r = disposition::caseDansLaFenetre(i).enPixels();
    return QRect(r.topLeft() * echelle, r.size() * echelle);
}

// The pixels of image along a horizontal or vertical line, from a to b.
inline QList<QRgb> ligneDePixels(const QImage &image, QPoint a, QPoint b)
{
    QList<QRgb> pixels;
    const QPoint pas(b.x() > a.x(), b.y() > a.y());
    for (QPoint p = a;; p += pas) {
        pixels << image.pixel(p);
        if (p == b)
            return pixels;
    }
}

// The lengths of the runs of pixels that dans() holds for, in order, as text: "1 2 2 1".
inline QString courses(const QList<QRgb> &pixels, const std::function<bool(QRgb)> &dans)
{
    QStringList longueurs;
    int n = 0;
    for (QRgb p : pixels) {
        if (dans(p)) {
            ++n;
        } else if (n > 0) {
            longueurs << QString::number(n);
            n = 0;
        }
    }
    if (n > 0)
        longueurs << QString::number(n);
    return longueurs.join(QLatin1Char(' '));
}

} // namespace vl::test
