// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "boiteimage.h"

#include "peinture.h"

#include <QEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cassert>
#include <cmath>
#include <stdexcept>
#include <string>

namespace vl {

namespace {
constexpr int Bord = 1; // the flat single-line border, one pixel

QPointF enPixels(float x, float y)
{
    return QPointF(x / TwipsParPixel, y / TwipsParPixel);
}
} // namespace

BoiteImage::BoiteImage(QWidget *parent)
    : EnTwips(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

double BoiteImage::ScaleWidth() const
{
    return m_place.width - 2 * Bord * TwipsParPixel;
}

double BoiteImage::ScaleHeight() const
{
    return m_place.height - 2 * Bord * TwipsParPixel;
}

void BoiteImage::setBackColor(Couleur c)
{
    m_back = c;
    Cls();
}

void BoiteImage::setDrawWidth(std::int16_t largeur)
{
    if (largeur < 1)
        throw std::invalid_argument("BoiteImage::setDrawWidth: pen width " + std::to_string(largeur)
                                    + " refused, it must be at least 1 pixel");
    m_drawWidth = largeur;
}

QRect BoiteImage::zoneDessin() const
{
    return rect().adjusted(Bord, Bord, -Bord, -Bord);
}

// Makes sure the image matches the drawing area at the current device pixel ratio.
void BoiteImage::preparerImage()
{
    const qreal dpr = devicePixelRatioF();
    const QSize taille = zoneDessin().size().expandedTo(QSize(1, 1));
    const QSize pixels(int(std::ceil(taille.width() * dpr)), int(std::ceil(taille.height() * dpr)));
    if (m_image.size() == pixels && m_image.devicePixelRatio() == dpr)
        return;
    QImage neuve(pixels, QImage::Format_RGB32);
    neuve.setDevicePixelRatio(dpr);
    neuve.fill(resoudre(m_back, palette()));
    QImage codes(pixels, QImage::Format_Grayscale8);
    codes.setDevicePixelRatio(dpr);
    codes.fill(codeReference(m_back));
    if (!m_image.isNull()) {
        QPainter p(&neuve);
        p.drawImage(QPointF(0, 0), m_image);
        QPainter q(&codes);
        q.drawImage(QPointF(0, 0), m_codes);
    }
    m_image = neuve;
    m_codes = codes;
}

void BoiteImage::resizeEvent(QResizeEvent *)
{
    preparerImage();
}

void BoiteImage::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::PaletteChange)
        recolorer();
    QWidget::changeEvent(e);
}

// The code of c in m_codes: 0 for an RGB value, a reference's rank from 1 otherwise.
std::uint8_t BoiteImage::codeReference(Couleur c)
{
    if (!estReferenceSysteme(c))
        return 0;
    auto it = std::find(m_references.begin(), m_references.end(), c);
    if (it == m_references.end()) {
        assert(m_references.size() < 255);
        it = m_references.insert(it, c);
    }
    return std::uint8_t(it - m_references.begin() + 1);
}

// Draws the same shape on the image in c's colour and on the codes in c's code: both are
// aliased and share the geometry, so they cover the same pixels.
template<class Trace> void BoiteImage::tracer(Couleur c, const Trace &trace)
{
    preparerImage();
    const int code = codeReference(c);
    for (auto [image, couleur] : {std::pair(&m_image, resoudre(c, palette())),
                                  std::pair(&m_codes, QColor(code, code, code))}) {
        QPainter p(image);
        p.setPen(QPen(couleur, m_drawWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        trace(p);
    }
}

// Gives every pixel drawn in a reference that reference's colour under the current palette.
void BoiteImage::recolorer()
{
    if (m_image.isNull())
        return;
    std::vector<QRgb> couleurs(m_references.size() + 1);
    for (std::size_t k = 0; k < m_references.size(); ++k)
        couleurs[k + 1] = resoudre(m_references[k], palette()).rgb();
    for (int j = 0; j < m_image.height(); ++j) {
        const uchar *code = m_codes.constScanLine(j);
        auto *pixel = reinterpret_cast<QRgb *>(m_image.scanLine(j));
        for (int i = 0; i < m_image.width(); ++i)
            if (code[i] != 0)
                pixel[i] = couleurs[code[i]];
    }
}

void BoiteImage::Cls()
{
    preparerImage();
    m_image.fill(resoudre(m_back, palette()));
    m_codes.fill(codeReference(m_back));
    update();
}

void BoiteImage::Circle(float x, float y, float r, Couleur c)
{
    const qreal rayon = qreal(r) / TwipsParPixel;
    tracer(c, [&](QPainter &p) { p.drawEllipse(enPixels(x, y), rayon, rayon); });
    update();
}

// Qt's aliased round points come out ragged and off centre at small widths (a width of 3 can
// give a 2 x 2 square), so the dot is set pixel by pixel: the image pixels whose centres lie
// in the disc of the pen's diameter, centred on the pixel holding the point when the width in
// image pixels is odd, on the pixel corner nearest to it when even.
void BoiteImage::PSet(float x, float y, Couleur c)
{
    preparerImage();
    const qreal dpr = m_image.devicePixelRatio();
    const int diametre = std::max(1, qRound(m_drawWidth * dpr));
    const double cx = double(x) / TwipsParPixel * dpr;
    const double cy = double(y) / TwipsParPixel * dpr;
    const double ox = diametre % 2 ? std::floor(cx) + 0.5 : std::floor(cx + 0.5);
    const double oy = diametre % 2 ? std::floor(cy) + 0.5 : std::floor(cy + 0.5);
    const double gauche = ox - diametre / 2.0;
    const double haut = oy - diametre / 2.0;
    // Far off the image (or not a number): nothing to set, and no integer overflow.
    if (!(gauche > -diametre && gauche < m_image.width() && haut > -diametre
          && haut < m_image.height()))
        return;
    const QRgb couleur = resoudre(c, palette()).rgb();
    const std::uint8_t code = codeReference(c);
    const double r2 = diametre * diametre / 4.0;
    for (int j = std::max(0, int(haut)); j < std::min(m_image.height(), int(haut) + diametre); ++j)
        for (int i = std::max(0, int(gauche));
             i < std::min(m_image.width(), int(gauche) + diametre); ++i) {
            const double dx = i + 0.5 - ox;
            const double dy = j + 0.5 - oy;
            if (dx * dx + dy * dy <= r2) {
                m_image.setPixel(i, j, couleur);
                m_codes.scanLine(j)[i] = code;
            }
        }
    update();
}

// A clock erases and draws its hands on every tick, mostly where they already were: the pixels
// of each line are worked out once, by Qt's own aliased stroke on a mask, and then set
// directly, which costs a small fraction of stroking the line again.
void BoiteImage::Line(float x1, float y1, float x2, float y2, Couleur c)
{
    preparerImage();
    const CacheTraits::Trait &t
            = m_traits.trait(QLineF(enPixels(x1, y1), enPixels(x2, y2)), m_drawWidth,
                             m_image.size(), m_image.devicePixelRatio());
    const QRgb couleur = resoudre(c, palette()).rgb();
    const std::uint8_t code = codeReference(c);
    // scanLine() checks for sharing on every call: the rows are reached from bits() instead.
    uchar *const pixels = m_image.bits();
    uchar *const codes = m_codes.bits();
    const qsizetype ligneImage = m_image.bytesPerLine();
    const qsizetype ligneCodes = m_codes.bytesPerLine();
    for (const CacheTraits::Segment &s : t.segments) {
        auto *ligne = reinterpret_cast<QRgb *>(pixels + s.y * ligneImage);
        std::fill(ligne + s.debut, ligne + s.fin, couleur);
        uchar *lcodes = codes + s.y * ligneCodes;
        std::fill(lcodes + s.debut, lcodes + s.fin, code);
    }
    // The hands come back to the same places tick after tick, long before the next repaint:
    // a place within the rectangle already waiting for it needs no new request.
    const qreal dpr = m_image.devicePixelRatio();
    const QRect r = QRectF(QPointF(t.etendue.topLeft()) / dpr, QSizeF(t.etendue.size()) / dpr)
                            .toAlignedRect()
                            .translated(zoneDessin().topLeft());
    if (r.isEmpty() || (isVisible() && m_aPeindre.contains(r)))
        return;
    m_aPeindre |= r;
    update(m_aPeindre);
}

// Repaints only what is exposed: the border where it is, the image elsewhere.
void BoiteImage::paintEvent(QPaintEvent *e)
{
    m_aPeindre = QRect();
    QPainter p(this);
    const QRect zone = zoneDessin();
    if (!zone.contains(e->rect()))
        p.fillRect(rect(), resoudre(m_fore, palette()));
    const QRect aPeindre = e->rect() & zone;
    if (aPeindre.isEmpty())
        return;
    const qreal dpr = m_image.devicePixelRatio();
    const QRectF source(QPointF(aPeindre.topLeft() - zone.topLeft()) * dpr,
                        QSizeF(aPeindre.size()) * dpr);
    p.drawImage(aPeindre, m_image, source);
}

} // namespace vl
