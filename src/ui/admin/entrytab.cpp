#include "ui/admin/entrytab.h"

#include "settings/programsettings.h"
#include "store/entrycheck.h"
#include "store/model.h"
#include "ui/admin/tabcontrols.h"
#include "ui/dialogs/infUnit.h"
#include "ui/dialogs/report.h"
#include "ui/dialogs/spmUnit.h"
#include "ui/windowcontext.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
using namespace tabcontrols;
} // namespace

EntryTab::EntryTab(WindowContext& context_, UpdateAction::Rule inView_, QWidget* parent)
    : QWidget(parent), context(context_), model(context_.model), settings(context_.settings),
      inView(std::move(inView_)) {
    setObjectName(QStringLiteral("entryTab"));
    buildControls();
    buildActions();

    connect(&model, &store::Model::groupListsChanged, this, &EntryTab::showCurrentGroup);
    connect(&model, &store::Model::currentGroupChanged, this, &EntryTab::showCurrentGroup);
    connect(&model, &store::Model::groupLoaded, this, &EntryTab::clearEntryFields);
    connect(&model, &store::Model::modeChanged, this, &EntryTab::showMode);
    showCurrentGroup();
    showMode();

    tekstEdit->installEventFilter(this);
    connect(sbInfo2, &QToolButton::clicked, this,
            [this] { emit helpRequested(QStringLiteral("Indfør element")); });
}

void EntryTab::buildControls() {
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(6, 6, 6, 6);
    rows->setSpacing(4);

    gruppeEdit = shownField("gruppeEdit", 160);
    rows->addWidget(
        buddyLabel(QStringLiteral("Elementerne indsættes i følgende gruppe"), gruppeEdit));
    rows->addWidget(gruppeEdit);
    rows->addWidget(separator());

    FilnavnEdit = edit("FilnavnEdit");
    adrLabel = named(buddyLabel(QStringLiteral("Werbadresse"), FilnavnEdit), "adrLabel");
    // The designed 68 pixels, or what the longer caption needs in the font at hand.
    const int labelWidth =
        std::max(68, adrLabel->fontMetrics().horizontalAdvance(QStringLiteral("Werbadresse")) + 4);
    adrLabel->setFixedWidth(labelWidth);
    openKnap = actionButton("openKnap", 26);
    auto* address = row({adrLabel, FilnavnEdit, openKnap}, false);
    address->setStretchFactor(FilnavnEdit, 1);
    rows->addLayout(address);

    tekstEdit = edit("tekstEdit", 160);
    auto* nameLabel = buddyLabel(QStringLiteral("Kort navn"), tekstEdit);
    nameLabel->setFixedWidth(labelWidth);
    rows->addLayout(row({nameLabel, tekstEdit}));
    insertKnap = actionButton("insertKnap", 110);
    rows->addWidget(insertKnap);
    auto* note = new QLabel(QStringLiteral(
        "Hvis \"Kort navn\" eksisterer i forvejen, kan elementets \"Dato\" og \"Besøg\" "
        "nulstilles, hvis det vælges, at filen overskrives."));
    note->setWordWrap(true);
    rows->addWidget(note);
    rows->addWidget(
        new QLabel(QStringLiteral("Ellers skal \"Kort navn\" være unikt i valgte gruppe.")));
    rows->addWidget(separator());
    sbInfo2 = flatButton("sbInfo2", QStringLiteral("Information"),
                         QStringLiteral("Information: Indfør element"), pictures::Help);
    rows->addWidget(sbInfo2, 0, Qt::AlignLeft);
    rows->addStretch();

    browserValg = named(new QGroupBox(QStringLiteral("Vælg browser til indførelse af webadresse")),
                        "browserValg");
    browserButtons = new QButtonGroup(browserValg);
    auto* browsers = new QHBoxLayout(browserValg);
    const QString names[] = {QStringLiteral("Google Chrome"), QStringLiteral("Microsoft Edge")};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(names[i]);
        browserButtons->addButton(radio, i);
        browsers->addWidget(radio, 1);
    }
    showBrowserValg(settings.browserValg());
    // A click is the user's choice; the settings tell every reader.
    connect(browserButtons, &QButtonGroup::idClicked, &settings, &ProgramSettings::setBrowserValg);
    connect(&settings, &ProgramSettings::browserValgChanged, this, &EntryTab::showBrowserValg);
    rows->addWidget(browserValg);
}

void EntryTab::buildActions() {
    aInsertElement = action(
        this, "aInsertElement", QStringLiteral("Indfør i gruppen"),
        QStringLiteral("Webadresse eller program indføres i valgte gruppe: Ctrl+I"),
        pictures::Insert, [this] { return canInsert() && inView(); }, [this] { InsertElement(); });
    aInsertElement->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    actionOpenEle = action(
        this, "actionOpenEle", QString(),
        QStringLiteral("Indsæt program eller webadresse  ved Stifinder eller Browser: Ctrl+B"),
        pictures::LookUp, [this] { return model.hasGroup() && inView(); },
        [this] { actionOpenEleExecute(); });
    actionOpenEle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    bind(insertKnap, aInsertElement);
    bind(openKnap, actionOpenEle);
}

bool EntryTab::canInsert() const {
    return model.hasGroup() && !FilnavnEdit->text().isEmpty() && !tekstEdit->text().isEmpty();
}

bool EntryTab::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, e);
    const auto* key = static_cast<QKeyEvent*>(e);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && watched == tekstEdit && canInsert()) {
        InsertElement();
        return true;
    }
    return false;
}

void EntryTab::showCurrentGroup() {
    gruppeEdit->setText(model.gruppenavn());
}

void EntryTab::clearEntryFields() {
    FilnavnEdit->clear();
    tekstEdit->clear();
}

void EntryTab::showMode() {
    const QString caption = addressCaption(model.funkNo());
    adrLabel->setText(caption);
    // A screen reader names the field by the caption it shows.
    FilnavnEdit->setAccessibleName(caption);
}

void EntryTab::showBrowserValg(int index) {
    if (index < 0) {
        browserButtons->setExclusive(false);
        for (QAbstractButton* b : browserButtons->buttons())
            b->setChecked(false);
        browserButtons->setExclusive(true);
        return;
    }
    browserButtons->button(index >= 1 ? 1 : 0)->setChecked(true);
}

QString EntryTab::OpenDia() {
    return chooseProgram(this);
}

void EntryTab::enterDropped(const QString& adresse, const QString& navn) {
    enterDroppedElement(context, EntryForm::EntryTab, FilnavnEdit, tekstEdit, adresse, navn);
}

void EntryTab::InsertElement() {
    enterTypedElement(context, EntryForm::EntryTab, FilnavnEdit, tekstEdit);
}

void EntryTab::actionOpenEleExecute() {
    if (model.funkNo() != 0) {
        const QString file = OpenDia();
        if (!file.isEmpty())
            FilnavnEdit->setText(file);
        return;
    }
    emit browserLookUpRequested();
}
