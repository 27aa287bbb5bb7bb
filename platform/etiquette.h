// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "couleur.h"
#include "twips.h"

#include <QWidget>

namespace vl {

// A label: a caption in a font on a background colour, with an optional thin flat border.
// Colours are kept exactly as set and resolved through the palette only when painting.
class Etiquette : public QWidget
{
    Q_OBJECT
public:
    explicit Etiquette(QWidget *parent);

    // Places the label's outer edge in its container; with AutoSize on, only left and top count.
    void setPlacement(const RectTwips &r);
    // The label's place and size in twips, as laid out (auto-sized labels report their size).
    RectTwips placement() const { return m_place; }

    // The text shown. Assistive technology reads it as the label's value, and as its name
    // unless the label has an accessible name of its own.
    void setCaption(const QString &texte);
    QString caption() const { return m_caption; }
    void setBackColor(Couleur c);
    Couleur backColor() const { return m_back; }
    void setForeColor(Couleur c);
    Couleur foreColor() const { return m_fore; }
    // Thin flat single-line border on or off.
    void setBordure(bool avec);
    bool bordure() const { return m_bordure; }
    // With AutoSize the label takes its text's size (its height only, when WordWrap is on).
    void setAutoSize(bool oui);
    bool autoSize() const { return m_autoSize; }
    void setWordWrap(bool oui);
    bool wordWrap() const { return m_wordWrap; }
    // Own font of the label, replacing the window's.
    void setPolice(const QFont &f);

protected:
    void paintEvent(QPaintEvent *) override;
    void changeEvent(QEvent *e) override;

private:
    int drapeauxTexte() const;
    void ajuster();

    RectTwips m_place;
    QString m_caption;
    Couleur m_back = couleurs::FaceBouton;
    Couleur m_fore = couleurs::TexteFenetre;
    bool m_bordure = false;
    bool m_autoSize = false;
    bool m_wordWrap = false;
};

} // namespace vl
