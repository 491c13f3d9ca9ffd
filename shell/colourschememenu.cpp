#include "colourschememenu.h"

#include <QActionGroup>
#include <QMenu>

ColourSchemeMenu::ColourSchemeMenu(QMenu *menu, QObject *parent) : QObject(parent)
{
    m_menu = menu->addMenu(tr("Colour &Scheme"));
    m_menu->setObjectName(QStringLiteral("mnuColourScheme"));
    m_menu->menuAction()->setObjectName(QStringLiteral("mnuColourScheme"));
    auto *group = new QActionGroup(m_menu);
    group->setExclusive(true);
    auto add = [&](const char *name, const QString &caption, ColourScheme scheme) {
        QAction *item = m_menu->addAction(caption);
        item->setObjectName(QLatin1String(name));
        item->setCheckable(true);
        group->addAction(item);
        // Triggered, not toggled: ticking the item from show() is no choice.
        connect(item, &QAction::triggered, this, [this, scheme] { emit chosen(scheme); });
        return item;
    };
    m_classic = add("mnuSchemeClassic", tr("&Classic"), ColourScheme::Classic);
    m_distinct = add("mnuSchemeDistinct", tr("&Distinct"), ColourScheme::Distinct);
    m_classic->setChecked(true);
}

QAction *ColourSchemeMenu::item(ColourScheme scheme) const
{
    return scheme == ColourScheme::Distinct ? m_distinct : m_classic;
}

void ColourSchemeMenu::show(ColourScheme scheme)
{
    item(scheme)->setChecked(true);
}
