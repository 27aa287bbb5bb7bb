// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "twips.h"

#include <QPlainTextEdit>

namespace vl {

// A multi-line text box. Its text is kept exactly as set (carriage returns included) and
// shown line by line, wrapped at word boundaries, without scroll bars.
class ZoneTexte : public EnTwips<QPlainTextEdit>
{
    Q_OBJECT
public:
    explicit ZoneTexte(QWidget *parent);

    void setText(const QString &texte);
    QString Text() const { return m_texte; }

private:
    QString m_texte;
};

} // namespace vl
