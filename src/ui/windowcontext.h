#pragma once

#include "platform/browsers.h"
#include "platform/clock.h"
#include "platform/editors.h"
#include "platform/shell.h"
#include "platform/toolkit/pageview.h"
#include "platform/urlcheck.h"

#include <memory>

class ProgramSettings;
class Tinfform;
class Tspform;
namespace store {
class Model;
}

// What the program asks of the system: tests put fakes in their place.
struct Services {
    std::unique_ptr<Shell> shell;
    std::unique_ptr<UrlCheck> urlCheck;
    std::unique_ptr<Clock> clock;
    BrowserPlaces browsers;
    PageViewMaker pageView;
    EditorPlaces editors = {};
    // One running program per user folder; tests run many on folders of their own.
    bool singleInstance = false;

    static Services system();
};

// What every window is given by the program that makes it: the state it shows, the settings it
// reads, the system's services and the two modal windows through which it informs and asks.
// A window reaches no other window: what it wants of one, it asks for by a signal.
struct WindowContext {
    store::Model& model;
    ProgramSettings& settings;
    Services& services;
    // The program is ending: the windows still open are closed without saving anything.
    const bool& ending;
    // The message and question windows, children of the main window and so made after it.
    Tinfform* infform = nullptr;
    Tspform* spform = nullptr;
};
