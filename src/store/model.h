#pragma once

#include "store/groups.h"
#include "store/result.h"
#include "store/webrecord.h"

#include <QLocale>
#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

class UrlCheck;

namespace store {

class ElementListModel;

// The program's state: the content mode, its folders and two group lists, the current group
// and its elements, and every operation on them. Each operation that writes works out the new
// state first, writes the files, and changes memory only when every write succeeded; then it
// says so by a signal. A write that fails leaves memory and files as they were and returns
// what failed and why, for the window to show.
class Model : public QObject {
    Q_OBJECT
public:
    // urlCheck must outlive the model.
    explicit Model(const UrlCheck& urlCheck, QObject* parent = nullptr);
    ~Model() override;

    // The content folders of the two modes, each with its trailing separator.
    void setFolders(const QString& programdir0, const QString& programdir1);

    // The state as the options file left it, as far as it was read: the content mode is given
    // only when the whole file was good, and then the current group is also remembered as the
    // mode's own.
    void restore(const std::optional<QString>& gruppenavn,
                 const std::optional<QString>& gruppenavn0,
                 const std::optional<QString>& gruppenavn1, std::optional<quint8> funkNo);

    // Selects the folder of the current content mode, makes its remembered group current and
    // reads its two group lists. A list file that cannot be read gives an empty list and a
    // FileNotRead result; until a later read of it succeeds, every operation that would write
    // that list is refused with a FileNotRead result for it, so the empty list the failure gave
    // never replaces the groups the file holds.
    Result setMappe();

    // Makes the other content mode current: its folder, lists and remembered group, loaded.
    Result switchMode(quint8 funkNo);

    // Reads the current group's element files into Web (empty without a group or its folder).
    void loadGruppefil();

    // Makes the group called navn current, remembers it for the content mode, and loads it.
    void selectGroup(const QString& navn);

    // Writes record as element row of the current group, to the file the element was read from
    // (its file, which line 6 then names), and, once written, keeps it there.
    Result GemWeb(int row, TWebRecord record);

    // Records a visit of element row with the date and time as the user's locale writes them.
    Result recordVisit(int row, const QString& dateText, const QString& timeText);

    // Enters an element in the current group with new visit data. An existing element of that
    // name is overwritten only when confirmOverwrite says yes; a Declined result otherwise.
    Result insertElement(const QString& aUrl, const QString& aNavn,
                         const std::function<bool(const QString& navn)>& confirmOverwrite);

    // Gives element row the typed address and short name. A FileNotDeleted result means the
    // element has its new name and file, but the file of its old name could not be deleted.
    Result editElement(int row, const QString& url, const QString& navn);

    // Resets date and visits of element row by entering it again in its own file, asking first;
    // the typed texts must be its own.
    Result resetVisits(int row, const QString& url, const QString& navn,
                       const std::function<bool(const QString& navn)>& confirmOverwrite);

    // Deletes the files the elements at rows were read from, from the last row up, stopping at the
    // first that cannot be deleted (those deleted before it stay deleted); the group is loaded anew
    // either way, so the lists show what is on disk.
    Result removeElements(const QList<int>& rows);

    // Groups of the current content mode.
    Result NyGruppe(const QString& navn);
    Result RedigerGruppe(const QString& nytNavn);
    Result sortGroups(const QLocale& locale);
    // Takes the current group out of the active list; its folder stays.
    Result deleteGruppefil();
    // Saves the storage shelf's two working lists as the mode's two list files. A name is kept
    // once: a repeat, or a shelved name that is also active, is dropped; a name that can be no
    // group refuses the save (UnusableName). Should the second file fail and the first not go
    // back as it was, both lists are read anew, so that memory shows what the files hold.
    Result saveShelf(const QStringList& active, const QStringList& stored);

    // Whether the active group list may be written: refused (FileNotRead) while the list file
    // could not be read.
    Result groupListWritable() const { return listWritable(Active); }

    // Adds the groups called navne that neither list holds to the end of the active list, in
    // their order; a folder of the name is taken to be there.
    Result listGroups(const QStringList& navne);

    quint8 funkNo() const { return funkNo_; }
    const QString& programdir0() const { return programdir0_; }
    const QString& programdir1() const { return programdir1_; }
    const QString& programdir() const { return programdir_; }
    // The content folder of the current mode without its trailing separator.
    QString contentFolder() const;
    const QString& webGruppefil() const { return webGruppefil_; }
    const QString& gruppenavn() const { return gruppenavn_; }
    const QString& gruppenavn0() const { return gruppenavn0_; }
    const QString& gruppenavn1() const { return gruppenavn1_; }
    const QStringList& gruppeliste() const { return gruppeliste_; }
    const QStringList& lagerliste() const { return lagerliste_; }
    const TWebArray& Web() const { return Web_; }
    int WebNo() const { return WebNo_; }
    int WebAntal() const { return WebAntal_; }
    const QString& gruppeDir() const { return gruppeDir_; }
    bool hasGroup() const { return !gruppenavn_.isEmpty(); }

    // The folder of the group called navn in the current content folder, whatever the letter
    // case of the folder on disk.
    QString groupFolder(const QString& navn) const;

    // The elements of the current group for the windows' lists.
    ElementListModel* elements() const { return elementList; }

signals:
    // funkNo changed.
    void modeChanged();
    // gruppeliste or lagerliste changed.
    void groupListsChanged();
    // gruppenavn changed, or was loaded anew.
    void currentGroupChanged();
    // The current group was loaded anew from its folder.
    void groupLoaded();
    // Saving the shelf took the current group out of the active list.
    void groupShelved();

private:
    enum List { Active, Stored };
    QString& remembered();
    void readLists(Result& result);
    Result listWritable(List list) const;
    bool writeActive(const QStringList& names, Result& failure) const;

    const UrlCheck& urlCheck;
    quint8 funkNo_ = 0;
    QString programdir0_, programdir1_, programdir_;
    QString webGruppefil_, webLagerfil_;
    QString gruppenavn_, gruppenavn0_, gruppenavn1_;
    QStringList gruppeliste_, lagerliste_;
    // The lines of each list file that are not shown as groups, written back with the list.
    QList<KeptLine> kept_[2];
    // Why each list file could not be read when the lists were last read; empty once read.
    QString unreadable_[2];
    TWebArray Web_;
    int WebNo_ = -1;
    int WebAntal_ = 0;
    QString gruppeDir_;
    ElementListModel* elementList;
};

} // namespace store
