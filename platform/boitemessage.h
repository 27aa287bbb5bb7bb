// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace vl {

// The modal message box: a text, a single OK button, no icon, the application's name as
// its caption. Tests replace what it does so that it never waits for a user.
class BoiteMessage
{
public:
    using Remplacant = std::function<void(QWidget *parent, const QString &texte)>;

    // Shows the box over parent and returns once the user has closed it.
    static void MsgBox(QWidget *parent, const QString &texte);
    // Replaces the box by r from now on; an empty r restores the real box.
    static void remplacer(Remplacant r);

private:
    static Remplacant &remplacant();
};

} // namespace vl
