// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "couleur.h"
#include "twips.h"

#include <QWidget>

namespace vl {

// A label: a caption in a font on a background colour, with an optional thin flat border.
// Colours are kept exactly as set and resolved through the palette only when painting. With
// AutoSize on, only the left and top of its placement count, and placement() reports the
// size it took.
class Etiquette : public EnTwips<QWidget>
{
    Q_OBJECT
public:
    explicit Etiquette(QWidget *parent);

    // The text shown. Assistive technology reads it as the label's value, and as its name
    // unless the label has an accessible name of its own.
    void setCaption(const QString &texte);
    QString Caption() const { return m_caption; }
    void setBackColor(Couleur c);
    Couleur BackColor() const { return m_back; }
    void setForeColor(Couleur c);
    Couleur ForeColor() const { return m_fore; }
    // Thin flat single-line border on or off.
    void setBordure(bool avec);
    bool bordure() const { return m_bordure; }
    // With AutoSize the label takes its text's size (its height only, when WordWrap is on).
    void setAutoSize(bool oui);
    bool AutoSize() const { return m_autoSize; }
    void setWordWrap(bool oui);
    bool WordWrap() const { return m_wordWrap; }
    // Own font of the label, replacing the window's.
    void setPolice(const QFont &f);

protected:
    void paintEvent(QPaintEvent *) override;
    void changeEvent(QEvent *e) override;
    // Lays the label out again, sizing it to its text when AutoSize is on.
    void placer() override;

private:
    int drapeauxTexte() const;

    QString m_caption;
    Couleur m_back = couleurs::FaceBouton;
    Couleur m_fore = couleurs::TexteFenetre;
    bool m_bordure = false;
    bool m_autoSize = false;
    bool m_wordWrap = false;
};

} // namespace vl
