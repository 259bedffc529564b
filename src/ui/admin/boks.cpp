#include "ui/admin/boks.h"

#include "platform/toolkit/messagebox.h"
#include "settings/options.h"
#include "settings/programsettings.h"
#include "ui/admin/edittab.h"
#include "ui/admin/entrytab.h"
#include "ui/admin/groupstab.h"
#include "ui/admin/shelftab.h"
#include "ui/admin/tabcontrols.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/place.h"
#include "ui/windowcontext.h"

#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QVBoxLayout>

Tboksform::Tboksform(WindowContext& context, store::ShelfDraft& draft)
    : QWidget(nullptr), settings(context.settings) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("Administrer grupper og elementer"));
    setFont(tahoma(8));
    setMinimumSize(480, 400);
    resize(480, 400);
    buildControls(context, draft);
    optfil = boksOptionsPath(settings.optdir());
    hentOpt();
}

void Tboksform::buildControls(WindowContext& context, store::ShelfDraft& draft) {
    using tabcontrols::named;
    // The window's frame first and each tab in place before its controls are made: a widget
    // moved into a window under a style sheet is polished anew, with all its children.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Bog = named(new QTabWidget(this), "Bog");
    // All four tabs stay in view; a caption that does not fit is shortened instead.
    Bog->setUsesScrollButtons(false);
    Bog->setElideMode(Qt::ElideMiddle);
    layout->addWidget(Bog, 1);
    infoBar = named(new QStatusBar(this), "infoBar");
    infoBar->setFixedHeight(19);
    infoBar->setSizeGripEnabled(false);
    layout->addWidget(infoBar);
    const auto page = [this](const char* name, const QString& caption) {
        auto* tab = named(new QWidget, name);
        Bog->addTab(tab, caption);
        auto* tabLayout = new QVBoxLayout(tab);
        tabLayout->setContentsMargins(0, 0, 0, 0);
        return tab;
    };
    side0 = page("side0", QStringLiteral("Grupper"));
    side1 = page("side1", QStringLiteral("Indfør element"));
    side2 = page("side2", QStringLiteral("Fjern eller rediger element"));
    side4 = page("side4", QStringLiteral("Administrer grupper"));
    groupsTab = new GroupsTab(context, side0);
    entryTab = new EntryTab(
        context, [this] { return Bog->currentWidget() == side1; }, side1);
    editTab = new EditTab(context, side2);
    shelfTab = new ShelfTab(draft, side4);
    for (QWidget* tab : {static_cast<QWidget*>(groupsTab), static_cast<QWidget*>(entryTab),
                         static_cast<QWidget*>(editTab), static_cast<QWidget*>(shelfTab)}) {
        tab->parentWidget()->layout()->addWidget(tab);
        // The tabs' shortcuts work wherever the focus is in the window, as far as their
        // actions' rules allow.
        addActions(tab->actions());
    }

    // What one tab does that the others show.
    connect(groupsTab, &GroupsTab::groupRenamed, editTab, &EditTab::showRenamed);
    connect(editTab, &EditTab::elementDropped, entryTab, &EntryTab::enterDropped);

    connect(groupsTab, &GroupsTab::helpRequested, this, &Tboksform::helpRequested);
    connect(entryTab, &EntryTab::helpRequested, this, &Tboksform::helpRequested);
    connect(editTab, &EditTab::helpRequested, this, &Tboksform::helpRequested);
    connect(shelfTab, &ShelfTab::helpRequested, this, &Tboksform::helpRequested);
    connect(groupsTab, &GroupsTab::designChosen, this, &Tboksform::designChosen);
    connect(entryTab, &EntryTab::browserLookUpRequested, this, &Tboksform::browserLookUpRequested);
}

bool Tboksform::event(QEvent* e) {
    return hintsToStatusBar(e, infoBar) || QWidget::event(e);
}

void Tboksform::hentOpt() {
    // Read as far as it goes: a bad line ends the reading, what came before it stays.
    const BoksOptions o = readBoksOptions(optfil);
    // Its design client area is below the least outer size, so that is its design size.
    applyPlace(this, o.place);
    if (o.browser)
        settings.setBrowserValg(*o.browser);
}

void Tboksform::gemOpt() {
    QString error;
    const QRect place = outerPlace(this);
    if (!writeBoksOptions(optfil, place.y(), place.x(), place.width(), place.height(),
                          settings.browserValg(), &error))
        MessageBox::fileError(QStringLiteral("Kan ikke oprette filen"), optfil, error);
}
