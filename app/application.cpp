// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace vl {

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

int Application::lancer(const std::function<int()> &corps)
{
    try {
        return corps();
    } catch (const std::exception &e) {
        arreter(e.what());
    }
}

// The program ends where it stands, running no destructor and no handler that is still to
// come: what the failure interrupted may be half-done.
void Application::arreter(const char *quoi)
{
    std::fprintf(stderr, "vorlan : arrêt sur erreur : %s\n", quoi);
    std::fflush(stderr);
    std::_Exit(1);
}

bool Application::notify(QObject *destinataire, QEvent *e)
{
    try {
        return QApplication::notify(destinataire, e);
    } catch (const std::exception &erreur) {
        arreter(erreur.what());
    }
}

} // namespace vl
