#pragma once

#include "windowcontext.h"

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

// The running program: the owners of its state below the windows, and its windows, each made
// once. The windows reach no other window; what one asks for by a signal, this connects to the
// window that does it, making that window first where it is not made yet.
class App {
public:
    // Sets the style "Sky", makes the user's folders and creates the main window. baseDir holds
    // "Struktur" and the user folders; loginName is the user's login name (empty when none
    // could be had). With services.singleInstance, another program holding the user's folder
    // is asked to the front instead and no window is made: see runsElsewhere().
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
    Teditform* editform = nullptr;
    Tinfform* infform = nullptr;
    Tspform* spform = nullptr;
    // The windows a start does not show are made when first wanted, by the user or by the
    // main window's close (the administration window's options are written then); a start
    // pays only for the main window.
    Tboksform* boksform();
    Tinfoformen* infoformen();
    Turlform1* urlform1();
    Tfindelementform* findform();
    // Whether any of those has been made.
    bool madeWindows() const { return boks || info || url || find; }

    // The program is ending: the windows still open are closed without saving anything.
    bool ending = false;
    // What the windows are given.
    WindowContext context;

    // Another running program holds the user's folder; this one made no window and ends.
    bool runsElsewhere() const { return !mainform; }

private:
    Tboksform* boks = nullptr;
    Tinfoformen* info = nullptr;
    Turlform1* url = nullptr;
    Tfindelementform* find = nullptr;
    std::unique_ptr<QObject> appEvents;
    std::unique_ptr<platform::SingleInstance> single;
};
