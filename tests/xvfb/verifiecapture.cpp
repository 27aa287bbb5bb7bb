// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reads a screenshot of the game window's client area, as the display server shows it at 15
// twips per pixel (times the scale factor).
//
// verifiecapture CAPTURE.png               checks a screenshot taken right after start-up: its
//                                          size, the black walls, the empty field, the one piece
//                                          in rows 1 to 3 of one column, and nothing else
//                                          coloured in the frame or where the hidden swatches
//                                          lie; exit 0 when they pass, 1 otherwise
// verifiecapture --tombee CAPTURE.png      the same, the piece at any height of its column
// verifiecapture --depuis MS CAPTURE.png   the same, the piece at most as many rows lower as
//                                          ticks could come in MS ms since start-up
// verifiecapture --peinte CAPTURE.png      exit 0 once the window has been painted, 2 before
// verifiecapture --plateau [--echelle F] [--traits] CAPTURE.png
//                                          prints the playing field, a line for each row, the
//                                          top one first: the letter of a piece colour
//                                          (plateautest.h) or '.' for anything else; with
//                                          --traits then, for each row and then each column,
//                                          the lengths of the runs of dark pixels (cell borders)
//                                          along the line through the cells' middle, from the
//                                          first cell's outer edge to the last one's; exit 1
//                                          when the screenshot has another size
// verifiecapture --centre-quitter          prints the centre of the Quit button, in pixels
// verifiecapture --intervalle              prints the game's first interval between ticks, ms
// verifiecapture --forme                   prints the playing field's columns and rows, and the
//                                          client area's width and height in pixels

#include "disposition.h"

#include <QImage>

#include <cstdio>

using namespace vl;
using namespace vl::test;

namespace {

const QSize Client = disposition::Client.enPixels().size();
constexpr QRgb Noir = 0xFF000000;

QString hex(QRgb c)
{
    return QStringLiteral("#%1").arg(c & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

// The window's own background at (2, 2), outside every control: the resolved button face.
QRgb faceBouton(const QImage &image)
{
    return image.pixel(2, 2);
}

bool estGrisClair(QRgb c)
{
    return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) >= 0xC0 && qRed(c) < 0xFF;
}

bool estPeinte(const QImage &image)
{
    return image.size() == Client && estGrisClair(faceBouton(image));
}

class Verification
{
public:
    explicit Verification(const QImage &image)
        : m_image(image)
    {
    }

    // True when every pixel of r is c; otherwise reports how many differ and the first one.
    bool uni(const QRect &r, QRgb c, const QString &quoi)
    {
        int differents = 0;
        QPoint premier;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (m_image.pixel(x, y) != c && differents++ == 0)
                    premier = QPoint(x, y);
        if (differents > 0)
            echec(QStringLiteral("%1: %2 pixel(s) not %3, the first at (%4, %5) is %6")
                          .arg(quoi)
                          .arg(differents)
                          .arg(hex(c))
                          .arg(premier.x())
                          .arg(premier.y())
                          .arg(hex(m_image.pixel(premier))));
        return differents == 0;
    }

    // Everything in r outside the rectangle trou, which lies within r.
    void uniAutour(const QRect &r, const QRect &trou, QRgb c, const QString &quoi)
    {
        uni(QRect(r.left(), r.top(), r.width(), trou.top() - r.top()), c, quoi + " above");
        uni(QRect(r.left(), trou.bottom() + 1, r.width(), r.bottom() - trou.bottom()), c,
            quoi + " below");
        uni(QRect(r.left(), trou.top(), trou.left() - r.left(), trou.height()), c, quoi + " left");
        uni(QRect(trou.right() + 1, trou.top(), r.right() - trou.right(), trou.height()), c,
            quoi + " right");
    }

    void echec(const QString &message)
    {
        m_echecs << message;
        std::fprintf(stderr, "FAIL %s\n", qPrintable(message));
    }

    int echecs() const { return int(m_echecs.size()); }

private:
    const QImage &m_image;
    QStringList m_echecs;
};

int verifie(const QImage &image, int descenteMax)
{
    Verification v(image);
    if (image.size() != Client) {
        v.echec(QStringLiteral("client area is %1 x %2 pixels, not %3 x %4")
                        .arg(image.width())
                        .arg(image.height())
                        .arg(Client.width())
                        .arg(Client.height()));
        return 1;
    }
    const QRgb face = faceBouton(image);
    if (!estGrisClair(face))
        v.echec(QStringLiteral("window background %1 is not a light grey button face")
                        .arg(hex(face)));

    // Walls: solid black squares without a border. Field cells: a black border around an
    // interior that is either the button face or one piece colour.
    int murs = 0;
    int vides = 0;
    QList<int> colorees;
    QStringList couleurs;
    for (int i = 0; i < Jeu::NombreCases; ++i) {
        const QRect r = caseALEcran(i);
        const QString nom = QStringLiteral("cell %1").arg(i);
        if (Jeu::estMur(i)) {
            murs += v.uni(r, Noir, QStringLiteral("wall ") + nom);
            continue;
        }
        const QRect interieur = r.adjusted(1, 1, -1, -1);
        v.uniAutour(r, interieur, Noir, nom + " border");
        const QRgb fond = image.pixel(interieur.topLeft());
        if (!v.uni(interieur, fond, nom + " interior"))
            continue;
        if (fond == face) {
            ++vides;
        } else if (const char l = lettreALEcran(fond); l != '.') {
            colorees << i;
            couleurs << QString(QLatin1Char(l));
        } else {
            v.echec(QStringLiteral("%1 is %2, neither the button face nor a piece colour")
                            .arg(nom, hex(fond)));
        }
    }

    // One piece: three coloured cells in rows 1 to 3 of one column, or at most descenteMax
    // rows lower down it.
    const int colonne = colorees.isEmpty() ? 0 : colorees.first() % Jeu::Colonnes;
    const int haut = colorees.isEmpty() ? Jeu::Colonnes + colonne : colorees.first();
    const QList<int> piece = {haut, haut + Jeu::Colonnes, haut + 2 * Jeu::Colonnes};
    if (colorees != piece || haut / Jeu::Colonnes - 1 > descenteMax) {
        QStringList indices;
        for (int i : colorees)
            indices << QString::number(i);
        v.echec(QStringLiteral("coloured cells {%1} are not one piece in %2 of a column")
                        .arg(indices.join(QLatin1Char(' ')),
                             descenteMax == 0 ? QStringLiteral("rows 1 to 3")
                                              : QStringLiteral("rows 1 to 3, or at most %1 "
                                                               "rows lower,")
                                                        .arg(descenteMax)));
    }

    // Around the board inside the frame's etched line, and where the preview and the palette
    // swatches would be: only the button face.
    const QRect plateau = caseALEcran(0).united(caseALEcran(Jeu::NombreCases - 1));
    v.uniAutour(disposition::Frame1.enPixels().adjusted(2, 2, -2, -2), plateau, face,
                QStringLiteral("frame around board"));
    v.uni(disposition::Label2(0).enPixels().united(disposition::Label2(2).enPixels()), face,
          QStringLiteral("hidden preview"));
    v.uni(disposition::Label3(0).enPixels().united(disposition::Label3(6).enPixels()), face,
          QStringLiteral("hidden palette"));

    if (v.echecs() > 0)
        return 1;
    std::printf("screenshot OK: %d x %d, %d walls, %d empty cells, piece in column %d (%s), "
                "button face %s\n",
                Client.width(), Client.height(), murs, vides, colonne,
                qPrintable(couleurs.join(QString())), qPrintable(hex(face)));
    return 0;
}

bool sombre(QRgb c)
{
    return qRed(c) < 0x30 && qGreen(c) < 0x30 && qBlue(c) < 0x30;
}

int lirePlateau(const QImage &image, int echelle, bool traits)
{
    const QSize taille = Client * echelle;
    if (image.size() != taille) {
        std::fprintf(stderr, "verifiecapture: not a %d x %d capture\n", taille.width(),
                     taille.height());
        return 1;
    }
    // Cell (ligne, colonne) of the field, rows 1 to RangeesDeJeu, columns 1 to ColonnesDeJeu.
    const auto cellule = [echelle](int ligne, int colonne) {
        return caseALEcran(caseDe(ligne, colonne), echelle);
    };
    for (int ligne = 1; ligne <= RangeesDeJeu; ++ligne) {
        QString rang;
        for (int colonne = 1; colonne <= ColonnesDeJeu; ++colonne)
            rang += QLatin1Char(lettreALEcran(image.pixel(cellule(ligne, colonne).center())));
        std::printf("%s\n", qPrintable(rang));
    }
    if (!traits)
        return 0;
    // The runs of dark pixels along one line, from a to b.
    const auto courses = [&](QPoint a, QPoint b) {
        std::printf("%s\n", qPrintable(test::courses(ligneDePixels(image, a, b), sombre)));
    };
    for (int ligne = 1; ligne <= RangeesDeJeu; ++ligne) {
        const int y = cellule(ligne, 1).center().y();
        courses(QPoint(cellule(ligne, 1).left(), y),
                QPoint(cellule(ligne, ColonnesDeJeu).right(), y));
    }
    for (int colonne = 1; colonne <= ColonnesDeJeu; ++colonne) {
        const int x = cellule(1, colonne).center().x();
        courses(QPoint(x, cellule(1, colonne).top()),
                QPoint(x, cellule(RangeesDeJeu, colonne).bottom()));
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList args(argv + 1, argv + argc);
    if (args == QStringList {QStringLiteral("--centre-quitter")}) {
        const RectTwips &q = disposition::Command1;
        std::printf("%d %d\n", enPixels(q.left + q.width / 2), enPixels(q.top + q.height / 2));
        return 0;
    }
    if (args == QStringList {QStringLiteral("--intervalle")}) {
        std::printf("%d\n", Jeu::IntervalleDepart);
        return 0;
    }
    if (args == QStringList {QStringLiteral("--forme")}) {
        std::printf("%d %d %d %d\n", ColonnesDeJeu, RangeesDeJeu, Client.width(), Client.height());
        return 0;
    }
    const QString chemin = args.isEmpty() ? QString() : args.takeLast();
    bool valide = !chemin.isEmpty();
    bool peinte = false, plateau = false, traits = false;
    int descenteMax = 0;
    int echelle = 1;
    for (int i = 0; valide && i < args.size(); ++i) {
        const bool suivi = i + 1 < args.size();
        if (args[i] == QLatin1String("--peinte")) {
            peinte = true;
        } else if (args[i] == QLatin1String("--tombee")) {
            descenteMax = RangeesDeJeu - Jeu::HauteurPiece; // the piece anywhere down its column
        } else if (args[i] == QLatin1String("--depuis") && suivi) {
            const int ms = args[++i].toInt(&valide);
            valide = valide && ms >= 0;
            descenteMax = ms / Jeu::IntervalleDepart;
        } else if (args[i] == QLatin1String("--plateau")) {
            plateau = true;
        } else if (args[i] == QLatin1String("--echelle") && suivi) {
            echelle = args[++i].toInt(&valide);
            valide = valide && echelle >= 1;
        } else {
            traits = args[i] == QLatin1String("--traits");
            valide = traits;
        }
    }
    if (!valide) {
        std::fprintf(stderr,
                     "usage: verifiecapture [--peinte | --tombee | --depuis MS] CAPTURE.png\n"
                     "       verifiecapture --plateau [--echelle F] [--traits] CAPTURE.png\n"
                     "       verifiecapture --centre-quitter | --intervalle | --forme\n");
        return 1;
    }
    QImage image(chemin);
    if (image.isNull()) {
        std::fprintf(stderr, "FAIL cannot read %s\n", qPrintable(chemin));
        return 1;
    }
    image = image.convertToFormat(QImage::Format_RGB32);
    if (peinte)
        return estPeinte(image) ? 0 : 2;
    if (plateau)
        return lirePlateau(image, echelle, traits);
    return verifie(image, descenteMax);
}
