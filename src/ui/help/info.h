#pragma once

#include <QMainWindow>

class ProgramSettings;
struct WindowContext;
struct InfoOptions;
class PageView;
class QLabel;
class QLineEdit;
class QListWidget;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class TStruktur;
class UpdateAction;
namespace store {
class HelpHistory;
}

// The information window: the help documents of one structure, chosen in its topic tree, shown
// in a page view, with a history of the pages seen (kept below the windows) and an
// address box that opens a document by name or searches the web.
class Tinfoformen : public QMainWindow {
    Q_OBJECT
public:
    Tinfoformen(WindowContext& context, store::HelpHistory& history);
    ~Tinfoformen() override;

    // Shows topic S of the program's help structure, loading the structure first when another
    // one is loaded.
    void Information(const QString& S);
    // Sets the folders of the structure strukturnavn and loads its tree.
    void LoadStruktur();
    // Shows the window with the topic whose node text is openNodetekst (the first node when it
    // is empty); true when found.
    bool goToInfo(const QString& openNodetekst);
    // Shows history entry aIndex; an index outside the history is ignored.
    void goToStruktur(int aIndex);
    // Records the page of location name Urlen in the history.
    void UrlLister(QString Urlen);

    void hentOpt();
    void gemOpt();

    // Handlers.
    void StrukturClick();
    void infoBogChange(int index);
    void AfirstExecute();
    void AbackExecute();
    void AforwardExecute();
    void AlastExecute();
    void AgoExecute();
    void AfavListeExecute();
    // The search tab: lists the documents of Mappe that hold aTekst as a whole word.
    void FindTekst(const QString& aTekst);
    void aSearchExecute();
    void FindisClick();
    // The editor for the documents: the first installed of the usual places, or empty. Sets
    // htmlArguments, and the button's hint says why when there is none.
    QString checkProgram();
    void redigerKnapClick();
    // Opens the document aFilename in the editor; a missing document opens nothing.
    void runFilname(const QString& aFilename);

    // The page view's events.
    void WebBeforeNavigate2();
    void WebDocumentComplete();
    void WebNewWindow2(const QString& address);
    void WebTitleChange();
    void Document_OnMouseOver(const QString& link);
    bool IsURL(const QString& URL) const;

    // The address of a web search for text.
    static QString searchAddress(const QString& text);

    // The document shown, or last asked for; the edit button opens it.
    const QString& currentDocument() const { return hjemmeside; }
    // The link under the mouse on a completed page; empty when there is none.
    const QString& linkUnderMouse() const { return globalUrl; }
    // The editor the edit button starts; empty when there is none.
    const QString& editorProgram() const { return htmlProgram; }
    // The file name of the structure loaded.
    const QString& structureName() const { return strukturnavn; }

signals:
    // "Urlboks" is to be shown.
    void historyListRequested();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildActions();
    void loadPictures();
    void makePageView();
    void writeOptions(const InfoOptions& options);
    // The position of the style in use among the style names in alphabetical order (as the
    // administration window lists them), -1 for none; the search results are drawn by it.
    int designPosition = -1;
    void noteDesign(const QString& name);

    WindowContext& context;
    store::HelpHistory& history;
    ProgramSettings& settings;

    // A document has completed since the last navigation started: only then is the mouse
    // followed over the page.
    bool htmlDoc = false;
    QString globalUrl;
    bool opstart = true;
    QString optFilnavn;
    QString hjemmeside;
    QString Mappe;
    QString oldUrl;
    QString htmlProgram;
    // What goes before the document's path: for an editor shown in a terminal, the terminal's
    // "-e" and the editor.
    QStringList htmlArguments;
    QString strukturnavn;
    QString strukturdir;
    QString newNavn;

    // Controls, found by their object names in tests. Set while the window is built; an event
    // filter may look at them before then.
    QWidget* leftPanel = nullptr;
    QTabWidget* infoBog = nullptr;
    QWidget* side1 = nullptr;
    QWidget* side2 = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* antalLabel = nullptr;
    TStruktur* Struktur = nullptr;
    QWidget* searchPanel = nullptr;
    QLineEdit* EditFind = nullptr;
    QToolButton* sButton = nullptr;
    QListWidget* Findis = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* rightPanel = nullptr;
    QToolBar* NavigateBar = nullptr;
    QLineEdit* Edit = nullptr;
    QToolButton* urlListeKnap = nullptr;
    QToolButton* redigerKnap = nullptr;
    // Made the first time the window is shown, so the web engine starts only when needed.
    PageView* Web = nullptr;
    QStatusBar* infobar = nullptr;

    UpdateAction* Afirst = nullptr;
    UpdateAction* Aback = nullptr;
    UpdateAction* Aforward = nullptr;
    UpdateAction* Alast = nullptr;
    UpdateAction* Ago = nullptr;
    UpdateAction* AfavListe = nullptr;
    UpdateAction* aSearch = nullptr;
};
