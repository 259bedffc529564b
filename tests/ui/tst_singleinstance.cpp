#include "platform/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// Two programs on one user folder: the later one asks the first to the front and ends.
class TstSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondStartAsksFirstToFront();
    void emptyLockFileIsTakenOver();
    void folderWithoutLockRuns();
};

void TstSingleInstance::secondStartAsksFirstToFront() {
    QTemporaryDir tmp;
    const QString folder = tmp.path() + "/Egenskaber";
    QVERIFY(QDir().mkpath(folder));
    auto first = std::make_unique<platform::SingleInstance>(folder);
    QVERIFY(first->claim());
    QVERIFY(QFileInfo::exists(folder + "/lenkaro.lock"));
    QSignalSpy toFront(first.get(), &platform::SingleInstance::activationRequested);

    // The same folder by another way of writing its path.
    platform::SingleInstance second(tmp.path() + "/Egenskaber/../Egenskaber");
    QVERIFY(!second.claim());
    QTRY_COMPARE(toFront.count(), 1);

    // Another user folder is another program's.
    QVERIFY(QDir().mkpath(tmp.path() + "/andre"));
    platform::SingleInstance other(tmp.path() + "/andre");
    QVERIFY(other.claim());

    // Once the first has ended, a new start runs.
    first.reset();
    QVERIFY(!QFileInfo::exists(folder + "/lenkaro.lock"));
    platform::SingleInstance third(folder);
    QVERIFY(third.claim());
}

void TstSingleInstance::emptyLockFileIsTakenOver() {
    // A start killed while it wrote the lock file leaves it empty; it holds nothing.
    QTemporaryDir tmp;
    QFile empty(tmp.path() + "/lenkaro.lock");
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    platform::SingleInstance next(tmp.path());
    QVERIFY(next.claim());
}

void TstSingleInstance::folderWithoutLockRuns() {
    // A folder that cannot hold the lock file does not keep the program from running.
    QTemporaryDir tmp;
    platform::SingleInstance lone(tmp.path() + "/mangler");
    QVERIFY(lone.claim());
}

QTEST_GUILESS_MAIN(TstSingleInstance)
#include "tst_singleinstance.moc"
