// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A failure that must end the program, as the player would meet it: the game's timer refused a
// deadline under a tick (thrown through Qt's event loop), the clock refused a setting at
// start-up (thrown up to where the program set its windows going). Each ends the program with
// one line on stderr naming the failure and status 1, not through std::terminate, whose abort
// leaves a core dump. Each row runs this program again as the game, which makes its failure
// happen on purpose.

#include "application.h"
#include "plateautest.h"
#include "systeme.h"
#include "vorlanfrm.h"

#include <QProcess>
#include <QtTest>
#include <filesystem>
#include <string>
#include <sys/eventfd.h>
#include <unistd.h>
#include <vector>

using namespace vl;

namespace {

constexpr char Option[] = "--panne";

// Every timerfd of the process replaced by an eventfd, readable at once and no timer: the next
// deadline asked of the game's timer is refused (EINVAL).
void casserMinuteries()
{
    std::vector<int> minuteries;
    for (const auto &f : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code e;
        if (std::filesystem::read_symlink(f.path(), e) == "anon_inode:[timerfd]")
            minuteries.push_back(std::stoi(f.path().filename().string()));
    }
    for (int fd : minuteries) {
        const int remplacant = eventfd(1, EFD_CLOEXEC | EFD_NONBLOCK);
        dup2(remplacant, fd);
        close(remplacant);
    }
}

// The game, shown, then the failure named: "minuterie" under the game's own first tick, a
// landing that changes the interval; "horloge" as start-up sets the clock up.
int jouerJusquALaPanne(int argc, char *argv[], const QByteArray &panne)
{
    Application app(argc, argv);
    return Application::lancer([&] {
        VorlanFrm w;
        w.show();
        if (panne == "minuterie") {
            // A red piece at the bottom of the first column, beside a red heap: it lands and
            // five cells go.
            Jeu &jeu = w.jeu();
            test::poser(jeu, {"r", "rR", "rR"});
            jeu.setInterval(10);
            w.miroir();
            // The landing's spawn draws before the tick hands the new interval to its timer.
            Systeme::doublures().Rnd = [] {
                casserMinuteries();
                return 0.0f;
            };
        } else {
            Horloge::Reglages r = VorlanFrm::ReglagesHorloge1;
            r.TailleRepereMinutes = 0.4; // kept, as above 0, and drawn with a pen of 0 pixels
            w.Horloge1()->HorlogeDeb(w.Picture1(), r);
        }
        return QApplication::exec();
    });
}

} // namespace

class TestPannes : public QObject
{
    Q_OBJECT
private slots:
    void uneLigneEtLeStatut1_data();
    void uneLigneEtLeStatut1();
};

void TestPannes::uneLigneEtLeStatut1_data()
{
    QTest::addColumn<QByteArray>("panne");
    QTest::addColumn<QString>("cause"); // what the line must name
    QTest::newRow("la minuterie refuse une echeance sous un tic, a travers la boucle d'evenements")
            << QByteArray("minuterie") << QStringLiteral("Minuterie: timerfd_settime: ");
    QTest::newRow("l'horloge regle une epaisseur que la boite refuse, au demarrage")
            << QByteArray("horloge") << QStringLiteral("BoiteImage::setDrawWidth: pen width 0 ");
}

void TestPannes::uneLigneEtLeStatut1()
{
    QFETCH(QByteArray, panne);
    QFETCH(QString, cause);
    QProcess jeu;
    jeu.start(QCoreApplication::applicationFilePath(),
              {QString::fromLatin1(Option), QString::fromLatin1(panne)});
    QVERIFY2(jeu.waitForFinished(10000), "the game still ran 10 s after it started");
    const QString erreur = QString::fromUtf8(jeu.readAllStandardError());
    // A signal (std::terminate's abort) would be a crash, with a core dump where they are on.
    QVERIFY2(jeu.exitStatus() == QProcess::NormalExit, qPrintable(erreur));
    QCOMPARE(jeu.exitCode(), 1);
    QVERIFY2(erreur.count(QLatin1Char('\n')) == 1 && erreur.endsWith(QLatin1Char('\n')),
             qPrintable(erreur));
    QVERIFY2(erreur.startsWith(QStringLiteral("vorlan : arrêt sur erreur : ") + cause),
             qPrintable(erreur));
    QCOMPARE(jeu.readAllStandardOutput(), QByteArray());
}

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], Option) == 0) {
        int seul = 1; // Qt sees none of the test's own arguments
        return jouerJusquALaPanne(seul, argv, argv[2]);
    }
    QCoreApplication app(argc, argv);
    TestPannes t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_pannes.moc"
