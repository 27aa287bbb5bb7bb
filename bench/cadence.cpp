// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs the game window and reports what its ticks achieve and cost.
//
//   cadence --intervalle MS --duree S [--qtimer] [--chaque-tic]
//       The window plays at MS per tick for S seconds, on its own timer or, with --qtimer,
//       on a plain periodic QTimer (the window's timer switched off). The pieces never make
//       a line, so the interval stays put. The window repaints at the screen's pace or, with
//       --chaque-tic, after every tick as Qt does by itself. Prints ticks per second, lateness
//       p50 and p99, CPU per tick, repaints per second and peak RSS.
//   cadence --cpu N
//       N falling ticks, then N of the worst landing (the whole field one colour), each run
//       alone with its repaint; prints the median thread CPU of each. The functions
//       mesureChute and mesurePire hold exactly one measured tick, for callgrind's
//       --toggle-collect.
//   cadence --jeu --intervalle MS --duree S
//       A real game with random draws, started again after every loss, for soaking: the
//       window is restored whenever it gets minimised. Prints ticks, landings, games, the
//       keys received and the peak RSS after the first 5 seconds and at the end.
//
// Output is one line of name=value pairs.

#include "fenetre.h"
#include "jeu.h"
#include "minuterie.h"
#include "plateautest.h"
#include "systeme.h"
#include "vorlanfrm.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTime>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <vector>

namespace {

using vl::Jeu;
using vl::VorlanFrm;
using Chrono = std::chrono::steady_clock;

double secondes(Chrono::time_point t)
{
    return std::chrono::duration<double>(t.time_since_epoch()).count();
}

double cpuFilNs()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

double cpuProcessusNs()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e9
            + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e3;
}

// A "VmHWM:" or "VmRSS:" line of /proc/self/status, in kB.
long statusKo(const char *champ)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &ligne : f.readAll().split('\n'))
        if (ligne.startsWith(champ))
            return ligne.mid(int(qstrlen(champ))).trimmed().split(' ').first().toLong();
    return -1;
}

double centile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    const auto n = std::size_t(p / 100 * double(v.size() - 1));
    std::nth_element(v.begin(), v.begin() + std::ptrdiff_t(n), v.end());
    return v[n];
}

// Draws for a game that never makes a line: the pieces come into each column in turn and
// take the colours of a pattern in which no two touching cells match (colour (row + 3
// column) mod 7); the field is emptied before a column could block a new piece.
class TirageSansLigne
{
public:
    explicit TirageSansLigne(Jeu &jeu)
        : m_jeu(jeu)
    {
    }
    void recommencer() { m_tirages = 0; }
    float operator()()
    {
        // Each new piece draws its column, then the three colours of the piece after it.
        const int n = m_tirages++;
        const int piece = n / 4;
        if (n % 4 == 0) {
            if (piece > 1 && (piece - 1) % ParRemplissage == 0)
                vl::test::poser(m_jeu, {});
            return vl::test::tirageColonne(colonne(piece));
        }
        const int suivante = piece + 1;
        const int niveau = (suivante - 1) / C % Niveaux;
        const int ligne = vl::test::RangeesDeJeu - H * niveau - (H - 1) + (n % 4 - 1);
        return vl::test::tirageTeinte((ligne + 3 * colonne(suivante)) % 7);
    }

private:
    static constexpr int C = vl::test::ColonnesDeJeu;
    static constexpr int H = Jeu::HauteurPiece;
    // The pieces a column takes before the next would no longer come in, and in all columns.
    static constexpr int Niveaux = (vl::test::RangeesDeJeu - 1) / H;
    static constexpr int ParRemplissage = Niveaux * C;
    static int colonne(int piece) { return piece < 1 ? 1 : (piece - 1) % C + 1; }
    Jeu &m_jeu;
    int m_tirages = 0;
};

void attendreExposee(VorlanFrm &f)
{
    QElapsedTimer t;
    t.start();
    while (!(f.windowHandle() && f.windowHandle()->isExposed()) && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
}

// The game's own way to stop its timer: a new piece that cannot come in. Jeu then reports
// the timer disabled, so that no later miroir switches the window's timer on again.
void eteindreMinuterie(VorlanFrm &f)
{
    for (int col = 1; col <= vl::test::ColonnesDeJeu; ++col)
        f.jeu().setLbl(4 * Jeu::Colonnes + col, Jeu::Palette[0]);
    f.jeu().NouvellePiece();
}

// An empty field and a first piece, as at start-up, at the given speed, with the rules'
// timer switch left as it is (Jeu::Demarre would switch it on, and miroir the window's timer
// with it).
void nouvellePartie(VorlanFrm &f, TirageSansLigne &tirage, int intervalle)
{
    Jeu &jeu = f.jeu();
    vl::test::poser(jeu, {});
    for (int i = 0; i < Jeu::HauteurPiece; ++i)
        jeu.setLabel2(i, jeu.vide());
    tirage.recommencer();
    jeu.NouvellePiece();
    jeu.NouvellePiece();
    jeu.setInterval(intervalle);
    f.miroir();
}

int cadence(VorlanFrm &f, TirageSansLigne &tirage, int intervalle, double duree, bool qtimer)
{
    std::vector<double> instants;
    std::vector<double> retards;
    std::vector<double> cpu;
    const auto noter = [&](double instant, double retard) {
        instants.push_back(instant);
        retards.push_back(retard);
        cpu.push_back(cpuFilNs());
    };

    QTimer minuterieQt;
    std::uint64_t dernier = 0;
    if (qtimer) {
        eteindreMinuterie(f);
        nouvellePartie(f, tirage, intervalle);
        // Qt's own schedule: one interval after the previous due time, or after the
        // previous tick when that is already past.
        const auto pas = std::chrono::milliseconds(intervalle);
        Chrono::time_point du = Chrono::now() + pas;
        minuterieQt.setTimerType(Qt::PreciseTimer);
        QObject::connect(&minuterieQt, &QTimer::timeout, [&] {
            const auto t = Chrono::now();
            noter(secondes(t), double((t - du).count()));
            du = du + pas >= t ? du + pas : t + pas;
            f.Timer1_Timer();
        });
        minuterieQt.start(intervalle);
    } else {
        nouvellePartie(f, tirage, intervalle);
        // Every tick reads the time for the clock: the first reading of a tick notes it.
        vl::Systeme::doublures().heure = [&] {
            if (f.Timer1().tics() != dernier) {
                dernier = f.Timer1().tics();
                noter(secondes(Chrono::now()), double(f.Timer1().retard().count()));
            }
            const QTime t = QTime::currentTime();
            return vl::Systeme::Lecture {t.hour(), t.minute(), t.second(), t.msec()};
        };
    }
    const double cpuDebut = cpuProcessusNs();
    const std::uint64_t peinturesDebut = f.rafraichissement().presentations();
    QElapsedTimer chrono;
    chrono.start();
    QTimer::singleShot(int(duree * 1000), qApp, &QCoreApplication::quit);
    QApplication::exec();
    const double cpuTotal = cpuProcessusNs() - cpuDebut;
    const double peinturesParS = double(f.rafraichissement().presentations() - peinturesDebut)
            / (double(chrono.nsecsElapsed()) / 1e9);
    minuterieQt.stop();
    vl::Systeme::doublures().heure = {};

    const std::size_t n = instants.size();
    std::vector<double> cycles;
    for (std::size_t i = 1; i < n; ++i)
        cycles.push_back(cpu[i] - cpu[i - 1]);
    const double ticsParS = n > 1 ? double(n - 1) / (instants.back() - instants.front()) : 0;
    // Ticks so late that the game's timer started its schedule again from them.
    const auto reprises = std::count_if(retards.begin(), retards.end(), [&](double r) {
        return r > double(vl::Minuterie::RattrapageMax) * intervalle * 1e6;
    });
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    std::printf("minuterie=%s intervalle=%d duree=%g tics=%zu tics_par_s=%.1f "
                "retard_p50_us=%.1f retard_p99_us=%.1f cpu_par_tic_us=%.1f "
                "cpu_cycle_p50_us=%.1f rss_max_ko=%ld reprises=%ld peinture=%s "
                "peintures_par_s=%.1f\n",
                qtimer ? "qtimer" : "exacte", intervalle, duree, n, ticsParS,
                centile(retards, 50) / 1e3, centile(retards, 99) / 1e3,
                n ? cpuTotal / double(n) / 1e3 : 0.0, centile(cycles, 50) / 1e3, u.ru_maxrss,
                long(reprises), f.rafraichissement().cadence() ? "cadencee" : "chaque_tic",
                peinturesParS);
    if (f.jeu().Interval() != intervalle) {
        std::fprintf(stderr, "cadence: cells were removed, the interval became %d ms\n",
                     f.jeu().Interval());
        return 1;
    }
    return n > 1 ? 0 : 1;
}

// One measured tick and its repaint; kept out of line so that callgrind can collect
// exactly these.
[[gnu::noipa]] void mesureChute(VorlanFrm &f)
{
    f.Timer1_Timer();
    QCoreApplication::processEvents();
}

[[gnu::noipa]] void mesurePire(VorlanFrm &f)
{
    f.Timer1_Timer();
    QCoreApplication::processEvents();
}

int cpuParTic(VorlanFrm &f, TirageSansLigne &tirage, int n)
{
    eteindreMinuterie(f);
    nouvellePartie(f, tirage, Jeu::IntervalleDepart);
    QCoreApplication::processEvents();

    std::vector<double> chute;
    for (int i = 0; i < n; ++i) {
        Jeu &jeu = f.jeu();
        const int P = jeu.Position();
        // On the floor the next tick would land it: back to the top of its column.
        if (Jeu::estMur(P + Jeu::Dessous)) {
            const int haut = P % Jeu::Colonnes + Jeu::Colonnes;
            for (int k = 0; k < Jeu::Dessous; k += Jeu::Colonnes) {
                jeu.setLbl(haut + k, jeu.lbl(P + k));
                jeu.setLbl(P + k, jeu.vide());
            }
            jeu.setPosition(haut);
            f.miroir();
            QCoreApplication::processEvents();
        }
        const double debut = cpuFilNs();
        mesureChute(f);
        chute.push_back(cpuFilNs() - debut);
    }

    std::vector<double> pire;
    for (int i = 0; i < n; ++i) {
        Jeu &jeu = f.jeu();
        vl::test::poser(jeu, vl::test::champUni('R'));
        jeu.setPosition(vl::test::caseDe(1, 1));
        jeu.setInterval(Jeu::IntervalleDepart);
        f.miroir();
        QCoreApplication::processEvents();
        const double debut = cpuFilNs();
        mesurePire(f);
        pire.push_back(cpuFilNs() - debut);
        if (jeu.Interval()
            != Jeu::IntervalleDepart - vl::test::RangeesDeJeu * vl::test::ColonnesDeJeu) {
            std::fprintf(stderr, "cadence: the worst landing did not remove the whole field\n");
            return 1;
        }
    }
    std::printf("chute_cpu_p50_us=%.1f chute_cpu_p90_us=%.1f pire_cpu_p50_us=%.1f "
                "pire_cpu_p90_us=%.1f mesures=%d\n",
                centile(chute, 50) / 1e3, centile(chute, 90) / 1e3, centile(pire, 50) / 1e3,
                centile(pire, 90) / 1e3, n);
    return 0;
}

// Counts the key presses that reach the window, whatever becomes of them.
class CompteTouches : public QObject
{
public:
    explicit CompteTouches(QWindow *w)
        : m_fenetre(w)
    {
    }
    long touches = 0;

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (o == m_fenetre && e->type() == QEvent::KeyPress)
            ++touches;
        return false;
    }

private:
    QWindow *m_fenetre;
};

int jeu(VorlanFrm &f, int intervalle, double duree)
{
    long parties = 1;
    long atterrissages = 0;
    long anomalies = 0;
    // A lost game opens no box: a new one starts as soon as the losing tick is over.
    vl::Systeme::doublures().MsgBox = [&](QWidget *, const QString &) {
        QTimer::singleShot(0, &f, [&] {
            ++parties;
            if (f.etatFenetre() == vl::Fenetre::EtatFenetre::Minimise)
                f.setEtatFenetre(vl::Fenetre::EtatFenetre::Normal);
            f.jeu().Demarre();
            f.jeu().setInterval(intervalle);
            f.miroir(); // switches the window's timer on again
        });
    };
    f.jeu().setInterval(intervalle);
    f.miroir();
    std::uint64_t dernier = 0;
    vl::Systeme::doublures().heure = [&] {
        if (f.Timer1().tics() != dernier) {
            dernier = f.Timer1().tics();
            const Jeu &j = f.jeu();
            // A new piece stands in row 1 only after a landing.
            if (j.Position() < vl::test::caseDe(2, 0))
                ++atterrissages;
            for (int i = 0; i < Jeu::NombreCases; ++i) {
                const bool mur = Jeu::estMur(i);
                if ((mur && j.lbl(i) != j.mur()) || (!mur && j.lbl(i) == Jeu::Marque))
                    ++anomalies;
            }
        }
        const QTime t = QTime::currentTime();
        return vl::Systeme::Lecture {t.hour(), t.minute(), t.second(), t.msec()};
    };

    CompteTouches compte(f.windowHandle());
    qApp->installEventFilter(&compte);
    // Escape minimises and nothing in the game restores: the soak does, after a while.
    QTimer gardien;
    QObject::connect(&gardien, &QTimer::timeout, [&] {
        if (f.etatFenetre() == vl::Fenetre::EtatFenetre::Minimise) {
            f.setEtatFenetre(vl::Fenetre::EtatFenetre::Normal);
            f.activateWindow();
        }
    });
    gardien.start(200);

    long rssMaxDebut = -1;
    long rssDebut = -1;
    QTimer::singleShot(5000, [&] {
        rssMaxDebut = statusKo("VmHWM:");
        rssDebut = statusKo("VmRSS:");
    });
    QTimer::singleShot(int(duree * 1000), qApp, &QCoreApplication::quit);
    QApplication::exec();
    qApp->removeEventFilter(&compte);
    vl::Systeme::doublures().heure = {};
    std::printf("tics=%llu atterrissages=%ld parties=%ld touches=%ld anomalies=%ld "
                "intervalle=%d rss_max_debut_ko=%ld rss_max_fin_ko=%ld rss_debut_ko=%ld "
                "rss_fin_ko=%ld\n",
                static_cast<unsigned long long>(f.Timer1().tics()), atterrissages, parties,
                compte.touches, anomalies, f.jeu().Interval(), rssMaxDebut, statusKo("VmHWM:"),
                rssDebut, statusKo("VmRSS:"));
    return anomalies == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Vorlan"));
    QCommandLineParser args;
    args.addHelpOption();
    const QCommandLineOption intervalle(QStringLiteral("intervalle"),
                                        QStringLiteral("Interval of the ticks, in ms (1 to 1000)."),
                                        QStringLiteral("ms"), QStringLiteral("1"));
    const QCommandLineOption duree(QStringLiteral("duree"),
                                   QStringLiteral("How long to run, in seconds."),
                                   QStringLiteral("s"), QStringLiteral("10"));
    const QCommandLineOption qtimer(
            QStringLiteral("qtimer"),
            QStringLiteral("Tick on a plain QTimer instead of the window's timer."));
    const QCommandLineOption cpu(
            QStringLiteral("cpu"),
            QStringLiteral("Measure the CPU of n falling ticks and n worst landings."),
            QStringLiteral("n"));
    const QCommandLineOption partie(
            QStringLiteral("jeu"),
            QStringLiteral("Play a real game, started again after each loss."));
    const QCommandLineOption chaqueTic(
            QStringLiteral("chaque-tic"),
            QStringLiteral("Repaint after every tick instead of at the screen's pace."));
    args.addOptions({intervalle, duree, qtimer, cpu, partie, chaqueTic});
    args.process(app);

    bool ok = false;
    const int ms = args.value(intervalle).toInt(&ok);
    if (!ok || ms < 1 || ms > Jeu::IntervalleDepart)
        args.showHelp(2);
    const double s = args.value(duree).toDouble(&ok);
    if (!ok || s <= 0)
        args.showHelp(2);

    vl::Systeme::doublures().MsgBox = [](QWidget *, const QString &) {
    };
    VorlanFrm fenetre;
    fenetre.rafraichissement().setCadence(!args.isSet(chaqueTic));
    TirageSansLigne tirage(fenetre.jeu());
    if (!args.isSet(partie))
        vl::Systeme::doublures().Rnd = std::ref(tirage);
    fenetre.show();
    attendreExposee(fenetre);

    if (args.isSet(cpu)) {
        const int n = args.value(cpu).toInt(&ok);
        if (!ok || n < 1)
            args.showHelp(2);
        return cpuParTic(fenetre, tirage, n);
    }
    if (args.isSet(partie))
        return jeu(fenetre, ms, s);
    return cadence(fenetre, tirage, ms, s, args.isSet(qtimer));
}
