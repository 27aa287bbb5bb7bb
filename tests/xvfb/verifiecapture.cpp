// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Checks a screenshot of the game window's client area taken right after start-up, as the X
// server shows it at 15 twips per pixel: its size, the black walls, the empty field, the one
// piece in rows 1 to 3 of one column, and nothing else coloured in the frame or where the
// hidden swatches lie.
//
// verifiecapture CAPTURE.png                 all the checks; exit 0 when they pass, 1 otherwise
// verifiecapture --tombee CAPTURE.png        the same, the piece at any height of its column
//                                            (for a capture that may come after the first ticks)
// verifiecapture --descendue N CAPTURE.png   the same, the piece at most N rows below rows 1 to 3
//                                            (for a capture that came after at most N ticks)
// verifiecapture --peinte CAPTURE.png        exit 0 once the window has been painted, 2 before

#include "jeu.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdio>

namespace {

constexpr int TwipsParPixel = 15;
constexpr QSize Client(583, 510);
constexpr QRgb Noir = 0xFF000000;

// The piece colours as the screen shows them, with their names for the messages.
constexpr std::array<std::pair<QRgb, const char *>, 7> Palette = {{
        {0xFFFF0000, "red"},
        {0xFF0000FF, "blue"},
        {0xFF800080, "purple"},
        {0xFFFFFF00, "yellow"},
        {0xFF00C000, "green"},
        {0xFFFF8000, "orange"},
        {0xFF400000, "dark red"},
}};

// Every position of the layout is a whole number of pixels.
QRect enPixels(int left, int top, int width, int height)
{
    return QRect(left / TwipsParPixel, top / TwipsParPixel, width / TwipsParPixel,
                 height / TwipsParPixel);
}

const QRect Cadre = enPixels(105, 210, 3690, 7260);

// Cell i of the board, placed inside the frame.
QRect caseBoard(int i)
{
    return enPixels(105 + (i % vl::Jeu::Colonnes) * 300 + 300,
                    210 + (i / vl::Jeu::Colonnes + 1) * 300, 300, 300);
}

QString hex(QRgb c)
{
    return QStringLiteral("#%1").arg(c & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

const char *nomPalette(QRgb c)
{
    for (const auto &[valeur, nom] : Palette)
        if (valeur == c)
            return nom;
    return nullptr;
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

    // The 1-pixel ring just inside r.
    bool bordure(const QRect &r, QRgb c, const QString &quoi)
    {
        const bool haut = uni(QRect(r.left(), r.top(), r.width(), 1), c, quoi + " top border");
        const bool bas = uni(QRect(r.left(), r.bottom(), r.width(), 1), c, quoi + " bottom border");
        const bool gauche = uni(QRect(r.left(), r.top(), 1, r.height()), c, quoi + " left border");
        const bool droite
                = uni(QRect(r.right(), r.top(), 1, r.height()), c, quoi + " right border");
        return haut && bas && gauche && droite;
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
        v.echec(QStringLiteral("client area is %1 x %2 pixels, not 583 x 510")
                        .arg(image.width())
                        .arg(image.height()));
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
    for (int i = 0; i < vl::Jeu::NombreCases; ++i) {
        const QRect r = caseBoard(i);
        const QString nom = QStringLiteral("cell %1").arg(i);
        if (vl::Jeu::estMur(i)) {
            murs += v.uni(r, Noir, QStringLiteral("wall ") + nom);
            continue;
        }
        v.bordure(r, Noir, nom);
        const QRect interieur = r.adjusted(1, 1, -1, -1);
        const QRgb fond = image.pixel(interieur.topLeft());
        if (!v.uni(interieur, fond, nom + " interior"))
            continue;
        if (fond == face) {
            ++vides;
        } else if (const char *nomCouleur = nomPalette(fond)) {
            colorees << i;
            couleurs << QString::fromLatin1(nomCouleur);
        } else {
            v.echec(QStringLiteral("%1 is %2, neither the button face nor a piece colour")
                            .arg(nom, hex(fond)));
        }
    }

    // One piece: three coloured cells in rows 1 to 3 of one column, or at most descenteMax
    // rows lower down it.
    const int colonne = colorees.isEmpty() ? 0 : colorees.first() % 10;
    const int haut = colorees.isEmpty() ? 10 + colonne : colorees.first();
    const QList<int> piece = {haut, haut + 10, haut + 20};
    if (colorees != piece || haut / 10 - 1 > descenteMax) {
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
    const QRect plateau = caseBoard(0).united(caseBoard(vl::Jeu::NombreCases - 1));
    v.uniAutour(Cadre.adjusted(2, 2, -2, -2), plateau, face, QStringLiteral("frame around board"));
    v.uni(enPixels(6930, 2205, 300, 900), face, QStringLiteral("hidden preview"));
    v.uni(enPixels(3990, 4725, 300, 315 * 6 + 300), face, QStringLiteral("hidden palette"));

    if (v.echecs() > 0)
        return 1;
    std::printf("screenshot OK: 583 x 510, %d walls, %d empty cells, piece in column %d (%s), "
                "button face %s\n",
                murs, vides, colonne, qPrintable(couleurs.join(QStringLiteral(", "))),
                qPrintable(hex(face)));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const QString option = argc >= 3 ? QString::fromLocal8Bit(argv[1]) : QString();
    bool attentePeinture = false;
    int descenteMax = 0; // the piece's top cell is in row 1 to 18: at most 17 rows lower
    bool valide = argc == 2;
    if (argc == 3 && option == QLatin1String("--peinte")) {
        attentePeinture = valide = true;
    } else if (argc == 3 && option == QLatin1String("--tombee")) {
        descenteMax = 17;
        valide = true;
    } else if (argc == 4 && option == QLatin1String("--descendue")) {
        descenteMax = QString::fromLocal8Bit(argv[2]).toInt(&valide);
        valide = valide && descenteMax >= 0;
    }
    if (!valide) {
        std::fprintf(stderr,
                     "usage: verifiecapture [--peinte | --tombee | --descendue N] "
                     "CAPTURE.png\n");
        return 1;
    }
    const QString chemin = QString::fromLocal8Bit(argv[argc - 1]);
    QImage image(chemin);
    if (image.isNull()) {
        std::fprintf(stderr, "FAIL cannot read %s\n", qPrintable(chemin));
        return 1;
    }
    image = image.convertToFormat(QImage::Format_RGB32);
    if (attentePeinture)
        return estPeinte(image) ? 0 : 2;
    return verifie(image, descenteMax);
}
