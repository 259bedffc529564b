#pragma once

#include "app/app.h"

#include <QLabel>
#include <QList>

// Stand-ins for the system's services: they record what the program asked of them.
struct FakeShell : Shell {
    struct Call {
        QString operation, file, parameters, folder;
        int showMode;
    };
    QList<Call> calls;
    int result = 42;

    int execute(const QString& operation, const QString& file, const QString& parameters,
                const QString& folder, int showMode) override {
        calls.append({operation, file, parameters, folder, showMode});
        return result;
    }
};

// The platform's own check, with every question kept.
struct FakeUrlCheck : UrlCheck {
    std::unique_ptr<UrlCheck> real = UrlCheck::system();
    mutable QStringList asked;
    bool IsValidURL(const QString& text) const override {
        asked << text;
        return real->IsValidURL(text);
    }
};

struct FixedClock : Clock {
    QDate date{2026, 12, 9};
    QTime time{13, 45, 59};
    QLocale loc{QLocale::Danish, QLocale::Denmark};
    QDate today() const override { return date; }
    QTime now() const override { return time; }
    QLocale locale() const override { return loc; }
};

// A page view that shows nothing: it keeps the addresses it was sent to, and the test raises
// its events as the engine would.
struct FakePageView : QLabel, PageView {
    FakePageView(QWidget* parent, PageView::Events events_)
        : QLabel(parent), events(std::move(events_)) {}

    QWidget* widget() override { return this; }
    void Navigate(const QString& address) override { navigated << address; }
    QString LocationName() const override { return location; }
    bool hasDocument() const override { return document; }

    // A page loading in full: navigation start, its document, its title.
    void load(const QString& locationName) {
        startNavigation();
        location = locationName;
        completeDocument();
        changeTitle();
    }
    void startNavigation() {
        document = false;
        events.beforeNavigate();
    }
    void completeDocument(bool withDocument = true) {
        document = withDocument;
        events.documentComplete();
    }
    void changeTitle() { events.titleChange(); }
    void hover(const QString& link) { events.mouseOver(link); }
    void requestWindow(const QString& address) { events.newWindow(address); }

    PageView::Events events;
    QStringList navigated;
    QString location;
    bool document = false;
};

// Services made of fakes; the pointers stay valid while the App that owns them lives.
struct FakeServices {
    FakeShell* shell;
    FakeUrlCheck* urlCheck;
    FixedClock* clock;
    // The information window's page view, once the window has been shown.
    FakePageView* pageView = nullptr;
    // Where the help window looks for its editor: nowhere unless a test says.
    EditorPlaces editors;

    Services make(const BrowserPlaces& browsers = {}) {
        auto s = std::make_unique<FakeShell>();
        auto u = std::make_unique<FakeUrlCheck>();
        auto c = std::make_unique<FixedClock>();
        shell = s.get();
        urlCheck = u.get();
        clock = c.get();
        PageViewMaker maker = [this](QWidget* parent, PageView::Events events) {
            pageView = new FakePageView(parent, std::move(events));
            return pageView;
        };
        return {std::move(s), std::move(u), std::move(c), browsers, std::move(maker), editors};
    }
};
