// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "zonetexte.h"

namespace vl {

ZoneTexte::ZoneTexte(QWidget *parent)
    : EnTwips(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setUndoRedoEnabled(false);
    // The box is small: a thin inner margin keeps all five lines of the rules in view.
    document()->setDocumentMargin(1);
}

void ZoneTexte::setText(const QString &texte)
{
    m_texte = texte;
    QString lignes = texte;
    lignes.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    // A final line end starts no new line of its own on screen.
    if (lignes.endsWith(QLatin1Char('\n')))
        lignes.chop(1);
    setPlainText(lignes);
}

} // namespace vl
