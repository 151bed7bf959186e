#include "shell/SharedMenus.h"

#include "shell/AppServices.h"
#include "shell/frmAbout.h"
#include "shell/modHelp.h"

#include <QMenu>
#include <QMenuBar>

namespace {

QAction* addNamedAction(QWidget* container, const char* name, const QString& caption)
{
    auto* action = new QAction(caption, container);
    action->setObjectName(QString::fromLatin1(name));
    container->addAction(action);
    return action;
}

QAction* addNamedSeparator(QMenu* menu, const char* name)
{
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QString::fromLatin1(name));
    return separator;
}

void showAboutBox()
{
    frmAbout about; // modal and without an owner
    AppServices::current().runModal(about);
}

} // namespace

SharedMenus addSharedMenus(QMenuBar* bar, const SharedMenuNames& names)
{
    SharedMenus menus;
    menus.mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    menus.mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    menus.mnuOnline = addNamedAction(menus.mnuHelp, "mnuOnline", QStringLiteral("&Online Help"));
    menus.mnuVisit = addNamedAction(menus.mnuHelp, "mnuVisit", QStringLiteral("&Visit Us Online"));
    addNamedSeparator(menus.mnuHelp, names.separator1);
    menus.mnuUpdate =
        addNamedAction(menus.mnuHelp, "mnuUpdate", QString::fromLatin1(names.updateCaption));
    addNamedSeparator(menus.mnuHelp, names.separator2);
    menus.mnuAbout = addNamedAction(menus.mnuHelp, "mnuAbout", QStringLiteral("&About Software"));

    // Commands on the bar itself, without a submenu.
    menus.mnuDonate = addNamedAction(bar, "mnuDonate", QStringLiteral("&Donate"));
    menus.mkmoney = addNamedAction(bar, "mkmoney", QStringLiteral("Make Money &Online"));
    menus.mkmoney->setEnabled(false); // switched off in this edition, shown greyed

    QObject::connect(menus.mnuOnline, &QAction::triggered, &modHelp::OpenOnlineHelp);
    QObject::connect(menus.mnuVisit, &QAction::triggered, &modHelp::OpenHomePage);
    QObject::connect(menus.mnuUpdate, &QAction::triggered, &modHelp::OpenDownloadPage);
    QObject::connect(menus.mnuAbout, &QAction::triggered, &showAboutBox);
    QObject::connect(menus.mnuDonate, &QAction::triggered, &modHelp::OpenDonatePage);
    QObject::connect(menus.mkmoney, &QAction::triggered, &modHelp::OpenFullBrandPage);
    return menus;
}
