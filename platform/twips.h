// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <cmath>

class QWidget;

namespace vl {

// The layout is written in twips; at 96 dpi a logical pixel is 15 twips. Qt's device pixel
// ratio takes care of denser screens.
inline constexpr int TwipsParPixel = 15;

// The nearest logical pixel to a length or position given in twips.
inline int enPixels(int twips)
{
    return int(std::lround(double(twips) / TwipsParPixel));
}

// A font size in points as a pixel size at 96 dpi (8.25 pt is 11 px, 9 pt is 12 px).
inline int pointsEnPixels(double points)
{
    return int(std::lround(points * 96.0 / 72.0));
}

// A control's place in its container, in twips: left and top of its outer edge, its size.
struct RectTwips
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    // The same rectangle in logical pixels, each edge rounded to the nearest pixel.
    QRect enPixels() const
    {
        const int x = vl::enPixels(left);
        const int y = vl::enPixels(top);
        return QRect(x, y, vl::enPixels(left + width) - x, vl::enPixels(top + height) - y);
    }
    friend bool operator==(RectTwips, RectTwips) = default;
};

// A control of kind Widget placed in its container in twips. The control keeps the rectangle
// it was given and lays itself out from it.
template<class Widget> class EnTwips : public Widget
{
public:
    explicit EnTwips(QWidget *parent)
        : Widget(parent)
    {
    }

    // Places the control's outer edge in its container.
    void setPlacement(RectTwips r)
    {
        m_place = r;
        placer();
    }
    // The control's place and size in twips, as laid out.
    RectTwips placement() const { return m_place; }

protected:
    // Lays the control out from m_place; a control that sizes itself adjusts m_place first.
    virtual void placer() { this->setGeometry(m_place.enPixels()); }

    RectTwips m_place;
};

} // namespace vl
