// SPDX-FileCopyrightText: 2026 The Vorlan developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "etiquette.h"

#include "bordure.h"
#include "peinture.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QPainter>

namespace vl {

namespace {

// What assistive technology sees of a label: static text whose name is its accessible name,
// or else its caption, and whose value is its caption.
class EtiquetteAccessible : public QAccessibleWidget
{
public:
    explicit EtiquetteAccessible(Etiquette *e)
        : QAccessibleWidget(e, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const auto *e = static_cast<const Etiquette *>(widget());
        if (t == QAccessible::Name)
            return e->accessibleName().isEmpty() ? e->Caption().trimmed() : e->accessibleName();
        if (t == QAccessible::Value)
            return e->Caption();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *interfaceAccessible(const QString &classe, QObject *objet)
{
    if (classe == QLatin1String(Etiquette::staticMetaObject.className()))
        return new EtiquetteAccessible(static_cast<Etiquette *>(objet));
    return nullptr;
}

} // namespace

Etiquette::Etiquette(QWidget *parent)
    : EnTwips(parent)
{
    static const bool fabriqueInstallee = (QAccessible::installFactory(&interfaceAccessible), true);
    Q_UNUSED(fabriqueInstallee);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void Etiquette::setCaption(const QString &texte)
{
    if (texte == m_caption)
        return;
    m_caption = texte;
    placer();
    update();
}

void Etiquette::setBackColor(Couleur c)
{
    if (c == m_back)
        return;
    m_back = c;
    update();
}

void Etiquette::setForeColor(Couleur c)
{
    m_fore = c;
    update();
}

void Etiquette::setBordure(bool avec)
{
    m_bordure = avec;
    update();
}

void Etiquette::setAutoSize(bool oui)
{
    m_autoSize = oui;
    placer();
}

void Etiquette::setWordWrap(bool oui)
{
    m_wordWrap = oui;
    placer();
}

void Etiquette::setPolice(const QFont &f)
{
    setFont(f);
    placer();
}

int Etiquette::drapeauxTexte() const
{
    return int(Qt::AlignLeft | Qt::AlignTop) | (m_wordWrap ? int(Qt::TextWordWrap) : 0);
}

void Etiquette::placer()
{
    if (m_autoSize) {
        const QFontMetrics fm(font());
        const int largeur = m_wordWrap ? enPixels(m_place.width) : 1 << 20;
        const QRect texte
                = fm.boundingRect(QRect(0, 0, largeur, 1 << 20), drapeauxTexte(), m_caption);
        const int bord = m_bordure ? 2 : 0;
        if (!m_wordWrap)
            m_place.width = (texte.width() + bord) * TwipsParPixel;
        m_place.height = (std::max(texte.height(), fm.height()) + bord) * TwipsParPixel;
    }
    setGeometry(m_place.enPixels());
}

void Etiquette::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    QRect texte = r;
    if (m_bordure) {
        peindreBordee(p, r, resoudre(m_back, palette()), resoudre(m_fore, palette()));
        texte = r.adjusted(1, 1, -1, -1);
    } else {
        p.fillRect(r, resoudre(m_back, palette()));
    }
    if (!m_caption.isEmpty()) {
        p.setPen(resoudre(m_fore, palette()));
        p.drawText(texte, drapeauxTexte(), m_caption);
    }
}

void Etiquette::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::FontChange)
        placer();
    QWidget::changeEvent(e);
}

} // namespace vl
