#pragma once

#include "app/app.h"
#include "controls.h"
#include "fakes.h"
#include "platform/textfile.h"
#include "platform/toolkit/filedialog.h"
#include "platform/toolkit/listchoice.h"
#include "platform/toolkit/messagebox.h"
#include "platform/toolkit/progresswindow.h"
#include "store/elementlistmodel.h"
#include "store/helphistory.h"
#include "store/model.h"
#include "ui/admin/boks.h"
#include "ui/admin/elementviews.h"
#include "ui/dialogs/infUnit.h"
#include "ui/dialogs/spmUnit.h"
#include "writefile.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QDir>
#include <QTemporaryDir>
#include <QTreeView>

#include <memory>
#include <vector>

// What a list of elements shows in row r, column c; the element name is column 3.
inline QString cell(const QAbstractItemView* view, int r, int c) {
    return view->model()->index(r, c).data().toString();
}
inline QString elementName(const QAbstractItemView* view, int r) {
    return cell(view, r, 3);
}
inline Qt::CheckState tickOf(const QAbstractItemView* view, int r) {
    return view->model()->index(r, 3).data(Qt::CheckStateRole).value<Qt::CheckState>();
}
inline void setTick(QAbstractItemView* view, int r) {
    view->model()->setData(view->model()->index(r, 3), Qt::Checked, Qt::CheckStateRole);
}
inline QRect elementRect(const QAbstractItemView* view, int r) {
    return view->visualRect(view->model()->index(r, 3));
}

// A base folder of its own for each test, with the program's windows built against it and
// every modal window answering from the test.
class Fixture {
public:
    Fixture() : base(tmp.path() + "/Lenkaromappe") {
        QDir().mkpath(base + "/Struktur/Program");
        QDir().mkpath(base + "/Struktur/Programmer");
        MessageBox::setTestMode(true);
        FileDialog::setTestMode(true);
        ProgressWindow::setTestMode(true);
        ListChoice::setTestMode(true);
    }

    // The user folder of login "anna", as a later start finds it.
    QString user() const { return base + "/anna"; }
    QString web() const { return user() + "/Program"; }
    QString programs() const { return user() + "/Programmer"; }
    QString options() const { return user() + "/Egenskaber"; }

    void makeUser() {
        QDir().mkpath(web());
        QDir().mkpath(programs());
        QDir().mkpath(options());
    }

    // A user with the web groups A, B, C (B current, holding the element DR) and a shelf
    // holding X, and the programs group P.
    void makeGroupsWithShelf() {
        makeUser();
        for (const char* g : {"A", "C", "X"})
            QDir().mkpath(web() + "/" + g);
        element(web() + "/B", "DR", "https://www.dr.dk/");
        writeFixture(web() + "/webgruppe.txt", {"A", "B", "C"});
        writeFixture(web() + "/webLager.txt", {"X"});
        writeFixture(programs() + "/webgruppe.txt", {"P"});
        QDir().mkpath(programs() + "/P");
        writeFixture(options() + "/main.txt",
                     {"Sky", "120", "120", "595", "380", "B", "B", "P", "0"});
    }

    static void element(const QString& dir, const QString& navn, const QString& url,
                        int visits = 0) {
        QDir().mkpath(dir);
        writeFixture(dir + "/" + navn + ".txt",
                     {url, navn, "01-12-2026", "10:15", QString::number(visits), ""});
    }

    App& start(const QString& login = "anna", const BrowserPlaces& browsers = {}) {
        testers.clear();
        app = std::make_unique<App>(base, login, fakes.make(browsers));
        app->infform->setTestMode(true);
        app->spform->setTestMode(true);
        // Every item model the windows show is checked at each change, as views would see it.
        for (QAbstractItemModel* model : {static_cast<QAbstractItemModel*>(app->model->elements()),
                                          control<QTreeView>(app->boksform, "programBoks")->model(),
                                          static_cast<QAbstractItemModel*>(app->helpHistory.get())})
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                model, QAbstractItemModelTester::FailureReportingMode::QtTest));
        return *app;
    }

    QTemporaryDir tmp;
    const QString base;
    FakeServices fakes;
    std::unique_ptr<App> app;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
};
