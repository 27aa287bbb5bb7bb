// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "boitemessage.h"

#include <QApplication>
#include <QMessageBox>

namespace vl {

BoiteMessage::Remplacant &BoiteMessage::remplacant()
{
    static Remplacant r;
    return r;
}

void BoiteMessage::remplacer(Remplacant r)
{
    remplacant() = std::move(r);
}

void BoiteMessage::MsgBox(QWidget *parent, const QString &texte)
{
    if (remplacant()) {
        remplacant()(parent, texte);
        return;
    }
    QMessageBox boite(QMessageBox::NoIcon, QApplication::applicationDisplayName(), texte,
                      QMessageBox::Ok, parent);
    boite.setWindowModality(Qt::ApplicationModal);
    boite.exec();
}

} // namespace vl
