#pragma once

#include "ui/windowcontext.h"

#include <QString>

#include <memory>

class ProgramSettings;
class QObject;
namespace platform {
class SingleInstance;
}
namespace store {
class ElementIndex;
class HelpHistory;
class Model;
class ShelfDraft;
} // namespace store
class Tmainform;
class Tboksform;
class Tinfoformen;
class Turlform1;
class Teditform;
class Tinfform;
class Tspform;
class Tfindelementform;

// The running program: the owners of its state below the windows, and its seven windows, made
// once each in this order, and the find window. The windows reach no other window; what one
// asks for by a signal, this connects to the window that does it.
class App {
public:
    // Sets the style "Sky", makes the user's folders and creates the windows. baseDir holds
    // "Struktur" and the user folders; loginName is the user's login name (empty when none
    // could be had). With services.singleInstance, another program holding the user's folder
    // is asked to the front instead and no window is made: see runsElsewhere(). A user folder
    // that is not the user's own is refused with a message, and no window is made either.
    App(const QString& baseDir, const QString& loginName, Services services = Services::system());
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    const QString baseDir;
    const QString loginName;
    Services services;
    // The user's folders, the style name and the browser choice, read by every window.
    std::unique_ptr<ProgramSettings> settings;
    // The groups and elements every window shows; made before the windows.
    std::unique_ptr<store::Model> model;
    // Every element of the active groups, for "Find element"; read when first wanted.
    std::unique_ptr<store::ElementIndex> elementIndex;
    // The storage shelf's moves not yet saved, kept whatever the administration window shows.
    std::unique_ptr<store::ShelfDraft> shelfDraft;
    // The help pages seen in this run: the help window records and walks it, "Urlboks" shows it.
    std::unique_ptr<store::HelpHistory> helpHistory;

    Tmainform* mainform = nullptr;
    Tboksform* boksform = nullptr;
    Tinfoformen* infoformen = nullptr;
    Turlform1* urlform1 = nullptr;
    Teditform* editform = nullptr;
    Tinfform* infform = nullptr;
    Tspform* spform = nullptr;
    // "Find element", made after the seven when it is first asked for: a start that never
    // opens it pays nothing for it.
    Tfindelementform* findform();

    // The program is ending: the windows still open are closed without saving anything.
    bool ending = false;
    // What the windows are given.
    WindowContext context;

    // Another running program holds the user's folder; this one made no window and ends.
    bool runsElsewhere() const { return !mainform && !folderRefused_; }
    // The user folder is not the user's own (folders().refused says why); no window was made,
    // and the program ends.
    bool folderRefused() const { return folderRefused_; }

private:
    bool folderRefused_ = false;
    Tfindelementform* find = nullptr;
    std::unique_ptr<QObject> appEvents;
    std::unique_ptr<platform::SingleInstance> single;
};
