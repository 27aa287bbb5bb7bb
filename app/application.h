// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>
#include <functional>

namespace vl {

// The program's application object. An exception that an event's handler lets out (a tick, a
// key, a repaint) is caught here, before it crosses Qt's event loop, which does not support
// that, and so is one that the program's windows let out as they are made and shown (lancer):
// the program ends with one line naming what failed and status 1, never through
// std::terminate and its core dump.
class Application : public QApplication
{
    Q_OBJECT
public:
    // Takes Qt's own options out of argv, as QApplication does.
    Application(int &argc, char **argv);

    // Runs corps (the program's windows and its event loop) and returns its status; an
    // exception it lets out ends the program as arreter does.
    static int lancer(const std::function<int()> &corps);
    // Ends the program at once: "vorlan : arrêt sur erreur : " and quoi on stderr, status 1.
    [[noreturn]] static void arreter(const char *quoi);

    bool notify(QObject *destinataire, QEvent *e) override;
};

} // namespace vl
