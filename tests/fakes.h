#pragma once

#include "app.h"

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

// Services made of fakes; the pointers stay valid while the App that owns them lives.
struct FakeServices {
    FakeShell* shell;
    FakeUrlCheck* urlCheck;
    FixedClock* clock;

    Services make(const BrowserPlaces& browsers = {}) {
        auto s = std::make_unique<FakeShell>();
        auto u = std::make_unique<FakeUrlCheck>();
        auto c = std::make_unique<FixedClock>();
        shell = s.get();
        urlCheck = u.get();
        clock = c.get();
        return {std::move(s), std::move(u), std::move(c), browsers};
    }
};
