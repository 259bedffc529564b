#pragma once

#include "store/elementindex.h"

#include <QAbstractTableModel>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTableView;
class UpdateAction;
namespace store {
class Model;
}

// The elements the typed text finds, as rows of four columns (name, group, date of the last
// visit, visits), read straight from the index: it lets go of its rows while the index changes
// and finds again afterwards.
class FoundElements : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NavnColumn, GruppeColumn, DatoColumn, VisitsColumn, ColumnCount };

    FoundElements(const store::ElementIndex& index, QObject* parent);

    // Finds what text finds.
    void setText(const QString& text);
    const QString& text() const { return text_; }
    // Finds again, the groups having changed.
    void refind();
    // While not shown, nothing is found: a change of the index costs no search then.
    void setShown(bool shown);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The element of row, or nullptr; its group's name in *gruppe.
    const store::ElementIndex::Entry* element(int row, QString* gruppe = nullptr) const;
    // The row showing the element of that file, or -1.
    int rowOf(const QString& sourceFile) const;

private:
    const store::ElementIndex& index;
    QString text_;
    QList<store::ElementIndex::Hit> hits;
    bool resetting = false;
    bool shown = false;
};

// "Find element": every element of every active group of the current content mode, found by
// typing words of its name or address. Enter or a double-click on a result asks for it to be
// visited as from the main window's list; the window itself changes nothing.
class Tfindelementform : public QWidget {
    Q_OBJECT
public:
    // The options file is in optdir (trailing separator); the index is opened at each showing.
    // The window comes up over mainWindow the first time; ending tells when the program ends,
    // and the window then closes without writing its options.
    Tfindelementform(store::Model& model, store::ElementIndex& index, const QString& optdir,
                     QWidget* mainWindow, const bool& ending);

    void hentOpt();
    // Writes the place and size; a failure is shown and false returned.
    bool gemOpt();

    // Shows the window in front with the field's text selected, ready for typing.
    void open();

    void soegEditChange();
    // Asks for the selected result to be visited; with none selected, the first.
    void aAabnExecute();
    void lukKnapClick();

    // The row selected in the result list, -1 for none.
    int selectedRow() const;

signals:
    // The element in that file of the group called gruppe is to be visited.
    void visitRequested(const QString& gruppe, const QString& sourceFile);
    // The help page of topic is to be shown.
    void helpRequested(const QString& topic);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QString optfilnavn;
    void buildControls();
    void showCount();

    store::Model& model;
    store::ElementIndex& index;
    QWidget* mainWindow;
    const bool& ending;
    FoundElements* found;
    bool shownBefore = false;
    bool placed = false;
    // Whether the disk was looked at since the window was last left for another.
    bool diskSeen = false;

    QLabel* soegLabel;
    QLineEdit* soegEdit;
    QTableView* resultatListe;
    QPushButton* aabnKnap;
    QPushButton* lukKnap;
    QStatusBar* infoBar;
    QLabel* antalLabel;
    UpdateAction* aAabn;
};
