#pragma once

#include <QString>

class QWidget;
struct WindowContext;
namespace store {
class Model;
namespace bookmarks {
struct Folder;
struct Cut;
} // namespace bookmarks
} // namespace store

// The main window's bookmark commands: a browser's bookmark file or one of the user's browser
// profiles entered as groups of web addresses, and groups written out as a bookmark file. What
// they ask and tell goes through the message and question windows; what they change, through
// the model.
class BookmarkTransfer {
public:
    // window is the parent of the dialogs shown.
    BookmarkTransfer(WindowContext& context, QWidget* window);

    // "Importér bogmærker...": a bookmark file chosen by the user.
    void importFile();
    // "Importér fra browser...": one of the user's browser profiles, chosen from those found.
    void importProfile();
    // "Eksportér bogmærker...": the current group or all groups.
    void exportGroups();

private:
    // Enters the bookmarks of root as groups: one question before anything is overwritten,
    // progress with "Annuller", and a closing message, which also tells what the reader's limits
    // left out (cut); noneText when no bookmark can be entered.
    void importFolders(const store::bookmarks::Folder& root, const store::bookmarks::Cut& cut,
                       const QString& noneText);

    WindowContext& context;
    store::Model& model;
    QWidget* window;
};
