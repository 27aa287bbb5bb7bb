// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"
#include "lignecommande.h"
#include "vorlanfrm.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

// Qt ends a program that cannot reach its display with a long message and an abort. Before
// the application exists, an obviously missing display is reported in one line; during
// its start-up, the platform plugin's fatal message is turned into that line too.
const char *affichageManquant(const vl::LigneCommande &ligne)
{
    const QByteArray plateforme
            = ligne.plateforme() ? QByteArray(ligne.plateforme()) : qgetenv("QT_QPA_PLATFORM");
    const bool x11 = plateforme.isEmpty() || plateforme.startsWith("xcb");
    const bool affichageX = ligne.affichage() || !qEnvironmentVariableIsEmpty("DISPLAY");
    if (plateforme.isEmpty() && !affichageX && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return "aucun affichage graphique (ni DISPLAY ni WAYLAND_DISPLAY n'est défini)";
    if (x11 && !plateforme.isEmpty() && !affichageX)
        return "aucun affichage X (DISPLAY n'est pas défini)";
    return nullptr;
}

[[noreturn]] void echecDemarrage(const char *raison)
{
    std::fprintf(stderr, "vorlan : impossible de démarrer : %s\n", raison);
    std::fflush(stderr);
    std::_Exit(1);
}

QByteArray g_avertissements;

void pendantDemarrage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        const QByteArray raison = g_avertissements.isEmpty()
                ? message.section(QLatin1Char('\n'), 0, 0).toLocal8Bit()
                : g_avertissements;
        echecDemarrage(raison.constData());
    }
    // The plugin's warnings come before its fatal message and name the display it tried.
    if (g_avertissements.isEmpty())
        g_avertissements = message.section(QLatin1Char('\n'), 0, 0).toLocal8Bit();
}

} // namespace

int main(int argc, char *argv[])
{
    const vl::LigneCommande ligne(argc, argv);
    switch (ligne.demande()) {
    case vl::LigneCommande::Demande::Aide:
        std::fputs(vl::LigneCommande::aide(), stdout);
        return 0;
    case vl::LigneCommande::Demande::Version:
        std::fputs(vl::LigneCommande::version().c_str(), stdout);
        return 0;
    case vl::LigneCommande::Demande::Refus:
        std::fputs(vl::LigneCommande::refus(ligne.refuse(), ligne.valeurManquante()).c_str(),
                   stderr);
        return 2;
    case vl::LigneCommande::Demande::Jouer:
        break;
    }
    if (const char *raison = affichageManquant(ligne))
        echecDemarrage(raison);
    const QtMessageHandler precedent = qInstallMessageHandler(pendantDemarrage);
    vl::Application app(argc, argv); // takes Qt's own options out of argv
    qInstallMessageHandler(precedent);
    if (!g_avertissements.isEmpty()) // warnings that turned out not to be fatal
        std::fprintf(stderr, "%s\n", g_avertissements.constData());
    // A documented option that this platform's plugin does not take (-geometry on Wayland)
    // is left in argv.
    if (argc > 1) {
        std::fputs(vl::LigneCommande::refus(argv[1]).c_str(), stderr);
        return 2;
    }
    QApplication::setApplicationName(QStringLiteral("vorlan"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vorlan"));
    // Lets the desktop match the window with the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vorlan.Vorlan"));

    return vl::Application::lancer([] {
        vl::VorlanFrm fenetre;
        fenetre.show();
        return QApplication::exec();
    });
}
