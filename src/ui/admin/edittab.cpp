#include "ui/admin/edittab.h"

#include "platform/textcompare.h"
#include "store/elementlistmodel.h"
#include "store/model.h"
#include "ui/admin/elementviews.h"
#include "ui/admin/tabcontrols.h"
#include "ui/dialogs/infUnit.h"
#include "ui/dialogs/report.h"
#include "ui/dialogs/spmUnit.h"
#include "ui/widgets/dropentry.h"
#include "ui/widgets/groupdelegate.h"
#include "ui/widgets/pictures.h"
#include "ui/windowcontext.h"

#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
using namespace tabcontrols;
} // namespace

EditTab::EditTab(WindowContext& context_, QWidget* parent)
    : QWidget(parent), context(context_), model(context_.model) {
    setObjectName(QStringLiteral("editTab"));
    buildControls();
    buildActions();

    connect(&model, &store::Model::groupListsChanged, this, &EditTab::showCurrentGroup);
    connect(&model, &store::Model::currentGroupChanged, this, &EditTab::showCurrentGroup);
    connect(&model, &store::Model::groupLoaded, this, &EditTab::clearEntryFields);
    connect(&model, &store::Model::modeChanged, this, &EditTab::showMode);
    showCurrentGroup();
    showMode();

    connect(programBoks, &QTreeView::clicked, this, &EditTab::programBoksClick);
    // A row chosen with the keys fills the two fields as a clicked one does.
    connect(programBoks->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (programBoks->hasFocus())
            programBoksClick();
    });
    connect(fjernKnap, &QToolButton::clicked, this, &EditTab::fjernKnapClick);
    nytekstEdit->installEventFilter(this);
    connect(sbInfo1, &QToolButton::clicked, this,
            [this] { emit helpRequested(QStringLiteral("Rediger element")); });
}

void EditTab::buildControls() {
    auto* left = new QWidget;
    auto* right = new QWidget;
    // The element list starts 195 pixels wide.
    splitPage(this, left, right, {195, 269});
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(3, 3, 3, 3);
    programBoks = named(new QTreeView, "programBoks");
    ticks = new TickedElements(model.elements(), this);
    ticks->setHeading(QStringLiteral("Elementer"));
    programBoks->setModel(ticks);
    // One column: the names, each with its tick box.
    for (int column = 0; column < ticks->columnCount(); ++column)
        programBoks->setColumnHidden(column, column != TickedElements::nameColumn());
    programBoks->setRootIsDecorated(false);
    programBoks->setItemsExpandable(false);
    programBoks->setAllColumnsShowFocus(true);
    programBoks->setEditTriggers(QAbstractItemView::NoEditTriggers);
    programBoks->setItemDelegate(new GridLineDelegate(programBoks));
    programBoks->setAccessibleName(QStringLiteral("Elementer"));
    programBoks->header()->setSectionsClickable(false);
    // A link dragged from a browser (or a program from a file manager) is entered here.
    programBoks->viewport()->setAcceptDrops(true);
    programBoks->viewport()->installEventFilter(this);
    leftLayout->addWidget(programBoks, 1);
    fjernKnap = named(new QToolButton, "fjernKnap");
    fjernKnap->setText(QStringLiteral("Fjern valgte"));
    fjernKnap->setFixedSize(89, 25);
    fjernKnap->setStatusTip(QStringLiteral("Fjern afkrydsede programmer fra gruppen"));
    auto* removeNote = new QLabel(QStringLiteral("Alle afkrydsede fjernes permanent."));
    removeNote->setWordWrap(true);
    auto* remove = row({fjernKnap, removeNote}, false);
    remove->setStretchFactor(removeNote, 1);
    leftLayout->addLayout(remove);

    auto* rows = new QVBoxLayout(right);
    rows->setContentsMargins(6, 3, 3, 3);
    rows->setSpacing(3);
    gNameEdit = shownField("gNameEdit", 160);
    rows->addWidget(buddyLabel(QStringLiteral("Gruppe navn"), gNameEdit));
    rows->addWidget(gNameEdit);
    rows->addWidget(separator());
    auto* choose = new QLabel(QStringLiteral("Vælg element i listen der skal redigeres."));
    choose->setFont(tahoma(10));
    choose->setWordWrap(true);
    rows->addWidget(choose);
    webUrlEdit = edit("webUrlEdit");
    adrLabel2 = named(buddyLabel(QStringLiteral("Webadresse"), webUrlEdit), "adrLabel2");
    rows->addWidget(adrLabel2);
    rows->addWidget(webUrlEdit);
    nytekstEdit = edit("nytekstEdit", 168);
    rows->addWidget(buddyLabel(QStringLiteral("Elementets navn"), nytekstEdit));
    nytekstKnap = actionButton("nytekstKnap", 24);
    Button1 = actionButton("Button1", 24);
    rows->addLayout(row({nytekstEdit, nytekstKnap, Button1}));
    rows->addWidget(separator());
    sbInfo1 = flatButton("sbInfo1", QStringLiteral("Information"),
                         QStringLiteral("Information: Rediger element"), pictures::Help);
    rows->addWidget(sbInfo1, 0, Qt::AlignLeft);
    rows->addStretch();
}

void EditTab::buildActions() {
    const auto elementChosen = [this] {
        return selectedElement() >= 0 && !webUrlEdit->text().isEmpty() &&
               !nytekstEdit->text().isEmpty();
    };
    aRedigerNavn =
        action(this, "aRedigerNavn", QString(), QStringLiteral("Gennemfør indførte forandringer"),
               pictures::Insert, elementChosen, [this] { RedigerNavn(); });
    aResetVisits = action(this, "aResetVisits", QString(),
                          QStringLiteral("Nulstil dato og besøg for valgte gruppeelement"),
                          pictures::Reset, elementChosen, [this] { aResetVisitsExecute(); });
    bind(nytekstKnap, aRedigerNavn);
    bind(Button1, aResetVisits);
}

bool EditTab::eventFilter(QObject* watched, QEvent* e) {
    if (watched == programBoks->viewport() && DragReader::isDragEvent(e)) {
        const std::optional<DroppedEntry> entry = drags.handle(e, model.funkNo());
        if (entry)
            QTimer::singleShot(0, this,
                               [this, d = *entry] { emit elementDropped(d.adresse, d.navn); });
        return e->type() != QEvent::DragLeave;
    }
    if (e->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, e);
    const auto* key = static_cast<QKeyEvent*>(e);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && watched == nytekstEdit && aRedigerNavn->update()) {
        RedigerNavn();
        return true;
    }
    return false;
}

void EditTab::showCurrentGroup() {
    const QString& navn = model.gruppenavn();
    gNameEdit->setText(navn);
    if (!sameTextAZ(navn, renamedGroup))
        renamedGroup.clear();
    ticks->setHeading(renamedGroup.isEmpty() ? QStringLiteral("Elementer") : navn);
}

void EditTab::showRenamed(const QString& navn) {
    renamedGroup = navn;
    showCurrentGroup();
}

void EditTab::clearEntryFields() {
    nytekstEdit->clear();
    webUrlEdit->clear();
}

void EditTab::showMode() {
    const QString caption = addressCaption(model.funkNo());
    adrLabel2->setText(caption);
    // A screen reader names the field by the caption it shows.
    webUrlEdit->setAccessibleName(caption);
}

int EditTab::selectedElement() const {
    const QModelIndexList rows = programBoks->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void EditTab::programBoksClick() {
    const int row = selectedElement();
    if (row < 0)
        return;
    nytekstEdit->setText(model.Web()[row].Navn);
    webUrlEdit->setText(model.Web()[row].Url);
}

void EditTab::RedigerNavn() {
    const int row = selectedElement();
    if (row < 0)
        return;
    const store::Result result = model.editElement(row, webUrlEdit->text(), nytekstEdit->text());
    switch (result.kind) {
    case store::Result::InvalidAddress:
        context.infform->inform(QStringLiteral("Der mangler en gyldig webadresse!"));
        return;
    case store::Result::Original:
        context.infform->inform(QStringLiteral(
            "Valgte element er det oprindelige.\rDet bliver derfor ikke opdateret."));
        return;
    case store::Result::UnusableName:
        context.infform->inform(unusableFileName());
        return;
    case store::Result::NameTaken:
        context.infform->inform(
            QStringLiteral("Der findes allerede et element med det navn i gruppen."));
        return;
    case store::Result::FileNotDeleted:
        // The element has its new name all the same; only its old file is left over.
        showFileError(result);
        break;
    default:
        if (showFileError(result))
            return;
    }
    webUrlEdit->clear();
    nytekstEdit->clear();
}

void EditTab::aResetVisitsExecute() {
    const int row = selectedElement();
    if (row < 0)
        return;
    const store::Result result = model.resetVisits(
        row, webUrlEdit->text(), nytekstEdit->text(),
        [this](const QString& name) { return confirmOverwrite(*context.spform, name); });
    if (result.kind == store::Result::NotOriginal) {
        context.infform->inform(QStringLiteral("Url og elementnavn skal være de oprindelige, hvis "
                                               "nulstilling af besøg skal kunne lade sig gøre."));
        return;
    }
    // An address the check refuses stops the reset without a word.
    showFileError(result);
}

void EditTab::fjernKnapClick() {
    if (model.Web().isEmpty())
        return;
    const QList<int> ticked = ticks->tickedRows();
    if (ticked.isEmpty()) {
        context.infform->inform(
            QStringLiteral("Der er ikke valgt elementer!\rAfkryds elementer, der skal slettes."));
        return;
    }
    QStringList captions;
    for (int row : ticked)
        captions << model.Web()[row].Navn;
    QString question = QStringLiteral("Valgt: \r") + captions.join(QStringLiteral(", ")) + u'\r';
    question += ticked.size() == 1
                    ? QStringLiteral("Skal det valgte element slettes?")
                    : QStringLiteral("Skal de %1 valgte elementer slettes?").arg(ticked.size());
    if (!context.spform->ask(question))
        return;
    showFileError(model.removeElements(ticked));
}
