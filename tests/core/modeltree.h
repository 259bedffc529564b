#pragma once

#include "modelstart.h"
#include "platform/textfile.h"
#include "platform/urlcheck.h"
#include "store/elementlistmodel.h"
#include "store/model.h"
#include "writefile.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Web groups A, B (current, with elements DR and TV 2) and C, a shelf holding X; programs P.
struct Tree {
    QTemporaryDir tmp;
    std::unique_ptr<UrlCheck> urlCheck = UrlCheck::system();
    store::Model model{*urlCheck};
    // Every change the model makes to its list of elements is checked as views would see it.
    QAbstractItemModelTester tester{model.elements(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest};

    QString web() const { return tmp.path() + "/Program"; }
    QString programs() const { return tmp.path() + "/Programmer"; }

    static void element(const QString& dir, const QString& navn, const QString& url, int visits) {
        QDir().mkpath(dir);
        writeFixture(dir + "/" + navn + ".txt",
                     {url, navn, "01-12-2026", "10:15", QString::number(visits), ""});
    }

    Tree() {
        for (const char* g : {"A", "C", "X"})
            QDir().mkpath(web() + "/" + g);
        element(web() + "/B", "DR", "https://www.dr.dk/", 41);
        element(web() + "/B", "TV 2", "https://nyheder.tv2.dk/", 2);
        writeFixture(web() + "/webgruppe.txt", {"A", "B", "C"});
        writeFixture(web() + "/webLager.txt", {"X"});
        QDir().mkpath(programs() + "/P");
        writeFixture(programs() + "/webgruppe.txt", {"P"});
        QVERIFY(startModel(model, web(), programs(), "B", "P").ok());
    }

    QStringList onDisk(const QString& name) const { return ::onDisk(web() + "/" + name); }
    QStringList folders() const { return QDir(web()).entryList(QDir::Dirs | QDir::NoDotAndDotDot); }
    // A folder where a file should be: no file can replace it.
    void block(const QString& name) const {
        QFile::remove(web() + "/" + name);
        QDir().mkpath(web() + "/" + name);
    }
};
