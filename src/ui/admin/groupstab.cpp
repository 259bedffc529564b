#include "ui/admin/groupstab.h"

#include "platform/textcompare.h"
#include "platform/toolkit/stylemanager.h"
#include "settings/programsettings.h"
#include "store/groups.h"
#include "store/model.h"
#include "ui/admin/tabcontrols.h"
#include "ui/dialogs/infUnit.h"
#include "ui/dialogs/report.h"
#include "ui/dialogs/spmUnit.h"
#include "ui/widgets/groupdelegate.h"
#include "ui/windowcontext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
using namespace tabcontrols;

const QString unusableFolderName = QStringLiteral("Navnet kan ikke bruges som mappenavn.");
} // namespace

GroupsTab::GroupsTab(WindowContext& context_, QWidget* parent)
    : QWidget(parent), context(context_), model(context_.model), settings(context_.settings) {
    setObjectName(QStringLiteral("groupsTab"));
    buildControls();
    buildActions();

    // The list and fields follow the model.
    connect(&model, &store::Model::groupListsChanged, this, &GroupsTab::showGroupLists);
    connect(&model, &store::Model::currentGroupChanged, this, &GroupsTab::showCurrentGroup);
    connect(&model, &store::Model::groupLoaded, gEdit, &QLineEdit::clear);
    connect(&model, &store::Model::modeChanged, this, &GroupsTab::showMode);
    showGroupLists();

    // Ticking the box switches the content mode as a click would.
    connect(funkCheck, &QCheckBox::toggled, this, &GroupsTab::funkCheckClick);
    funkCheck->setChecked(model.funkNo() == 1);
    loadDesign();

    connect(gruppeBoks, &QListWidget::itemClicked, this, &GroupsTab::gruppeBoksClick);
    gruppeBoks->installEventFilter(this);
    gEdit->installEventFilter(this);
    connect(designBox, &QComboBox::activated, this, &GroupsTab::designBoxChange);
    connect(redigerCheck, &QCheckBox::toggled, this, &GroupsTab::redigerCheckClick);
    connect(sorterKnap, &QToolButton::clicked, this, &GroupsTab::sorterKnapClick);
    connect(sbInformationsKnap, &QToolButton::clicked, this,
            [this] { emit helpRequested(QStringLiteral("Grupper")); });
}

void GroupsTab::buildControls() {
    auto* left = new QWidget;
    auto* right = new QWidget;
    splitPage(this, left, right);
    left->setMinimumWidth(188);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(3, 3, 3, 3);
    gruppeBoks = named(new QListWidget, "gruppeBoks");
    gruppeBoks->setMinimumWidth(182);
    gruppeBoks->setSelectionMode(QAbstractItemView::SingleSelection);
    GroupItemDelegate::install(gruppeBoks);
    leftLayout->addWidget(buddyLabel(QStringLiteral("Eksisterende grupper"), gruppeBoks));
    leftLayout->addWidget(gruppeBoks, 1);

    right->setMinimumWidth(259);
    auto* rows = new QVBoxLayout(right);
    rows->setContentsMargins(6, 3, 3, 3);
    rows->setSpacing(3);

    valgtGruppeEdit = shownField("valgtGruppeEdit", 160);
    rows->addWidget(buddyLabel(QStringLiteral("Valgt gruppe"), valgtGruppeEdit));
    sletKnap = actionButton("sletKnap", 75);
    rows->addLayout(row({valgtGruppeEdit, sletKnap}));
    redigerCheck = named(new QCheckBox(QStringLiteral("Rediger")), "redigerCheck");
    redigerCheck->setStatusTip(QStringLiteral("Muliggør redigering af gruppenavnet"));
    redigerKnap = actionButton("redigerKnap", 75);
    rows->addLayout(row({redigerCheck, redigerKnap}));
    rows->addWidget(separator());

    rows->addWidget(new QLabel(QStringLiteral("Indfør ny gruppe")));
    gEdit = edit("gEdit", 160);
    rows->addLayout(row({buddyLabel(QStringLiteral("Gruppe navn"), gEdit), gEdit}));
    nyGruppeKnap = actionButton("nyGruppeKnap", 75);
    rows->addLayout(row({nyGruppeKnap, new QLabel(QStringLiteral("Minimum 3 bogstaver"))}));
    rows->addWidget(separator());

    sbInformationsKnap = flatButton("sbInformationsKnap", QStringLiteral("Information"),
                                    QStringLiteral("Information: Grupper"), pictures::Help);
    sorterKnap = flatButton("sorterKnap", QStringLiteral("Sorter listen"),
                            QStringLiteral("Sorter listen alfabetisk"), pictures::Sort);
    rows->addLayout(row({sbInformationsKnap, sorterKnap}));
    designBox = named(new QComboBox, "designBox");
    designBox->setFixedWidth(136);
    designBox->setMaxVisibleItems(11);
    designBox->setAccessibleName(QStringLiteral("Design"));
    rows->addLayout(row({buddyLabel(QStringLiteral("Design"), designBox), designBox}));
    rows->addStretch();
    funkCheck = named(new QCheckBox(QStringLiteral("Programmer")), "funkCheck");
    funkCheck->setStatusTip(QStringLiteral("Skift mellem webadresser og programmer: Ctrl+S"));
    rows->addWidget(funkCheck);
}

void GroupsTab::buildActions() {
    aNyGruppe = action(
        this, "aNyGruppe", QStringLiteral("Indfør"), QStringLiteral("Opret ny gruppe"),
        pictures::NewGroup, [this] { return gEdit->text().size() > 2; }, [this] { NyGruppe(); });
    aSletGruppe = action(
        this, "aSletGruppe", QStringLiteral("Slet"), QStringLiteral("Slet aktuelle gruppe"),
        pictures::Delete, [this] { return valgtGruppeEdit->isReadOnly() && model.hasGroup(); },
        [this] { SletGruppe(); });
    aRedigerGruppe = action(
        this, "aRedigerGruppe", QStringLiteral("Gem"),
        QStringLiteral("Indfør det nye gruppenavn efter redigering"), pictures::Save,
        [this] { return !valgtGruppeEdit->isReadOnly(); },
        [this] {
            RedigerGruppe();
            // Whatever the rename did, the field is locked again.
            redigerCheck->setChecked(false);
            redigerCheckClick();
        });
    bind(sletKnap, aSletGruppe);
    bind(redigerKnap, aRedigerGruppe);
    bind(nyGruppeKnap, aNyGruppe);
}

bool GroupsTab::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, e);
    const auto* key = static_cast<QKeyEvent*>(e);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == gruppeBoks) {
        // A character key selects the group highlighted now; a key that moves the highlight
        // selects the group it moved to.
        const int before = gruppeBoks->currentRow();
        const bool character = !key->text().isEmpty() && key->text().front() >= u' ';
        if (enter || character)
            gruppeBoksClick();
        QTimer::singleShot(0, this, [this, before] {
            if (gruppeBoks->currentRow() != before)
                gruppeBoksClick();
        });
        return false;
    }
    if (enter && watched == gEdit && gEdit->text().size() > 2) {
        NyGruppe();
        return true;
    }
    return false;
}

void GroupsTab::showGroupLists() {
    fill(gruppeBoks, model.gruppeliste());
    showCurrentGroup();
}

void GroupsTab::showCurrentGroup() {
    const QString& navn = model.gruppenavn();
    valgtGruppeEdit->setText(navn);
    // The highlighted group is the current one.
    const qsizetype row = store::groupIndex(model.gruppeliste(), navn);
    if (model.hasGroup() && row >= 0 && row < gruppeBoks->count())
        gruppeBoks->setCurrentRow(int(row));
    else
        gruppeBoks->clearSelection();
}

void GroupsTab::showMode() {
    const QSignalBlocker quiet(funkCheck);
    funkCheck->setChecked(model.funkNo() == 1);
}

void GroupsTab::gruppeBoksClick() {
    QListWidgetItem* item = gruppeBoks->currentItem();
    if (!item || !item->isSelected())
        return;
    model.selectGroup(item->text());
}

void GroupsTab::funkCheckClick() {
    showFileError(model.switchMode(funkCheck->isChecked() ? 1 : 0));
}

void GroupsTab::loadDesign() {
    QStringList names = StyleManager::styleNames();
    names.sort(Qt::CaseInsensitive);
    designBox->clear();
    designBox->addItems(names);
    // A fixed-string match ignores case.
    designBox->setCurrentIndex(designBox->findText(settings.designname(), Qt::MatchFixedString));
}

void GroupsTab::designBoxChange() {
    if (designBox->currentIndex() < 0)
        return;
    const QString name = designBox->currentText();
    if (!sameTextAZ(name, settings.designname()))
        emit designChosen(name);
}

void GroupsTab::NyGruppe() {
    const QString navn = gEdit->text();
    const store::Result result = model.NyGruppe(navn);
    switch (result.kind) {
    case store::Result::UnusableName:
        context.infform->inform(unusableFolderName);
        return;
    case store::Result::Exists:
        context.infform->inform(QStringLiteral(
            "Der findes allerede en gruppe med angivne navn!\rKald gruppen noget andet."));
        return;
    default:
        if (showFileError(result))
            return;
    }
    gEdit->clear();
}

void GroupsTab::SletGruppe() {
    const QString question =
        QStringLiteral("Skal programgruppen ") + model.gruppenavn() + QStringLiteral(" slettes?");
    if (context.spform->ask(question))
        showFileError(model.deleteGruppefil());
}

void GroupsTab::redigerCheckClick() {
    valgtGruppeEdit->setReadOnly(!redigerCheck->isChecked());
    // While the name may be edited, Tab reaches it as well as a click.
    valgtGruppeEdit->setFocusPolicy(redigerCheck->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

void GroupsTab::RedigerGruppe() {
    const QString nytNavn = valgtGruppeEdit->text();
    const store::Result result = model.RedigerGruppe(nytNavn);
    switch (result.kind) {
    case store::Result::Done:
        showCurrentGroup();
        emit groupRenamed(model.gruppenavn());
        return;
    case store::Result::UnusableName:
        context.infform->inform(unusableFolderName);
        return;
    case store::Result::Exists:
        context.infform->inform(
            QStringLiteral("Gruppen ") + nytNavn +
            QStringLiteral(" eksisterer allerede.\rDet nye gruppenavn skal være "
                           "unikt."));
        return;
    case store::Result::RenameRefused:
        // The folder keeps its old name, and so do the list, its file and the selected group.
        context.infform->inform(QStringLiteral("En mappe kunne ikke omdøbes af ukendte årsager."));
        return;
    default:
        showFileError(result);
        return;
    }
}

void GroupsTab::sorterKnapClick() {
    showFileError(model.sortGroups(QLocale()));
}
