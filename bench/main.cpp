// lenkaro-bench MEASURE ARGS...: times the program's hot paths on data it makes itself (or on a
// folder given), each next to an anchor measured in the same run where one fits.
#include "main.h"
#include "app.h"
#include "data.h"
#include "dokumentsoeg.h"
#include "measure.h"
#include "model.h"
#include "progresswindow.h"
#include "urlcheck.h"
#include "windows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage:\n"
                 "  lenkaro-bench search FOLDER WORD [--list]\n"
                 "  lenkaro-bench corpus FOLDER N   (writes N help documents to search)\n"
                 "  lenkaro-bench startup N   (current group of N elements)\n"
                 "  lenkaro-bench load N\n"
                 "  lenkaro-bench keys G      (G groups in the group list)\n"
                 "  lenkaro-bench visit\n"
                 "  lenkaro-bench import N   (a Safari bookmark file of N bookmarks)\n"
                 "  lenkaro-bench data FOLDER G N   (writes a base folder of G groups, the\n"
                 "                                   current one of N elements, to profile\n"
                 "                                   with: lenkaro-bench child-program BASE)\n");
    return 2;
}

// The help search's walk over FOLDER for WORD: the documents found and the median time.
int search(const QStringList& args) {
    if (args.size() < 2)
        return usage();
    const QString folder = args[0], word = args[1];
    QStringList found;
    const double ms = medianMs([&] { found = dokumentsoeg::findDokumenter(folder, word); });
    if (args.contains("--list")) {
        for (const QString& name : found)
            std::printf("%s\n", qPrintable(name));
    }
    std::printf("search: %lld documents, %.2f ms\n", static_cast<long long>(found.size()), ms);
    return 0;
}

// N Danish-looking HTML documents of a few kilobytes each; about one in ten holds the word
// "lommeregner", others hold only longer words that begin with it.
int corpus(const QStringList& args) {
    bool ok = false;
    const int n = args.size() == 2 ? args[1].toInt(&ok) : 0;
    if (!ok || n <= 0)
        return usage();
    const QString folder = args[0];
    QDir().mkpath(folder);
    static const char* words[] = {
        "gruppe", "element", "adresse", "besøg",   "program",     "vinduet", "knappen",
        "listen", "lageret", "hjælp",   "søgning", "dato",        "klokken", "antal",
        "design", "browser", "fanen",   "mappen",  "filerne",     "navnet",  "ændre",
        "slette", "gemme",   "åbne",    "vælge",   "lommeregnere"};
    QRandomGenerator random(20261210);
    for (int i = 0; i < n; ++i) {
        QByteArray html = "<!DOCTYPE html>\n<html lang=\"da\"><head><meta charset=\"utf-8\">"
                          "<link rel=\"stylesheet\" href=\"Design og funktioner/lenkaro.css\">"
                          "<title>Side " +
                          QByteArray::number(i) + "</title></head><body>\n<h1>Side " +
                          QByteArray::number(i) + "</h1>\n";
        for (int p = 0; p < 12; ++p) {
            html += "<p>";
            for (int w = 0; w < 40; ++w) {
                html += words[random.bounded(int(std::size(words)))];
                html += w % 9 == 8 ? ". " : " ";
            }
            html += "</p>\n";
        }
        if (i % 10 == 3)
            html += "<p>Start <b>Lommeregner</b> fra gruppen.</p>\n";
        html += "</body></html>\n";
        QFile file(folder + QString::asprintf("/side%05d.html", i));
        if (!file.open(QIODevice::WriteOnly) || file.write(html) != html.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}

int positive(const QStringList& args) {
    bool ok = false;
    const int n = args.size() == 1 ? args[0].toInt(&ok) : 0;
    return ok && n > 0 ? n : 0;
}

struct Child {
    double ms = 0;
    double peakMb = 0;
};

// Starts this program again with args, waits for it, and gives its wall time and peak memory.
Child runChild(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    std::string self = "/proc/self/exe";
    argv.push_back(self.data());
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execv("/proc/self/exe", argv.data());
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    Child child{timer.nsecsElapsed() / 1e6, usage.ru_maxrss / 1024.0};
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "a started child failed (%s)\n", args.front().c_str());
        std::exit(1);
    }
    return child;
}

// Start-up of the program to its main window shown, 20 groups with a current group of N
// elements, next to a bare Qt Widgets program showing a four-column tree of 100 rows; each
// started as a process of its own, in turns. Peak memory of both too.
int startup(const QStringList& args) {
    const int n = positive(args);
    if (!n)
        return usage();
    QTemporaryDir root;
    const std::string base = benchdata::makeBase(root.path(), 20, n).toStdString();
    std::vector<double> programMs, anchorMs, programMb, anchorMb;
    const int warmups = 2, runs = n > 20000 ? 5 : 9;
    for (int i = 0; i < warmups + runs; ++i) {
        const Child program = runChild({"child-program", base});
        const Child anchor = runChild({"child-anchor"});
        if (i < warmups)
            continue;
        programMs.push_back(program.ms);
        anchorMs.push_back(anchor.ms);
        programMb.push_back(program.peakMb);
        anchorMb.push_back(anchor.peakMb);
    }
    report("startup", n, median(programMs), median(anchorMs));
    const double p = median(programMb), a = median(anchorMb);
    std::printf("startup-memory %d: program %.1f MB, anchor %.1f MB, difference %+.1f MB\n", n, p,
                a, p - a);
    return 0;
}

// The floor of reading a group: list the folder, sort the names, read every file whole.
qint64 plainRead(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    qint64 total = 0;
    std::vector<char> buffer(1 << 16);
    for (const std::string& name : names) {
        FILE* file = std::fopen((dir / name).c_str(), "rb");
        if (!file)
            continue;
        while (const size_t got = std::fread(buffer.data(), 1, buffer.size(), file))
            total += qint64(got);
        std::fclose(file);
    }
    return total;
}

// A program started on a base made for the measure, with its main window shown.
struct Running {
    Running(int groups, int elements, Services services = Services::system())
        : base(benchdata::makeBase(root.path(), groups, elements)),
          app(base, benchdata::login, std::move(services)) {
        app.mainform->show();
        if (!QTest::qWaitForWindowExposed(app.mainform))
            std::exit(3);
        QCoreApplication::processEvents();
    }
    QTemporaryDir root;
    const QString base;
    App app;
};

// Loading the current group of N element files into both windows' lists, as at the main
// window's first showing, next to the plain read floor of the same files.
int load(const QStringList& args) {
    const int n = positive(args);
    if (!n)
        return usage();
    Running running(20, n);
    const std::filesystem::path dir = benchdata::currentGroupFolder(running.base).toStdString();
    qint64 bytes = 0;
    const auto [program, anchor] = pairedMediansMs(
        [&] {
            running.app.model->loadGruppefil();
            QCoreApplication::processEvents();
        },
        [&] { bytes += plainRead(dir); }, 2, n > 20000 ? 5 : 9);
    if (running.app.model->WebAntal() != n || bytes == 0) {
        std::fprintf(stderr, "load: %d elements read of %d\n", running.app.model->WebAntal(), n);
        return 1;
    }
    report("load", n, program, anchor);
    return 0;
}

// One key (Down, then Up, in turns) in the main window's group list with G groups, next to the
// same with 20 groups; the time runs until the events it caused have been handled.
int keys(const QStringList& args) {
    const int g = positive(args);
    if (!g)
        return usage();
    auto keyMs = [](int groups) {
        Running running(groups, 10);
        QListWidget* list = running.app.mainform->gruppeBoksen;
        running.app.mainform->activateWindow();
        list->setFocus();
        list->setCurrentRow(0);
        QCoreApplication::processEvents();
        QTest::keyClick(list, Qt::Key_Down);
        if (list->currentRow() != 1) {
            std::fprintf(stderr, "keys: the group list did not take the key\n");
            std::exit(1);
        }
        bool down = false;
        return medianMs(
            [&] {
                QTest::keyClick(list, down ? Qt::Key_Down : Qt::Key_Up);
                QCoreApplication::processEvents();
                down = !down;
            },
            4, 21);
    };
    const double program = keyMs(g);
    const double anchor = keyMs(20);
    report("keys", g, program, anchor);
    return 0;
}

// A shell that opens nothing: the visit's own work is measured, not the browser's start.
struct QuietShell : Shell {
    int execute(const QString&, const QString&, const QString&, const QString&, int) override {
        return 42;
    }
};

// From a double-click on an element (its handler) to the element file written, next to
// writing the same six lines with QSaveFile.
int visit(const QStringList&) {
    Services services = Services::system();
    services.shell = std::make_unique<QuietShell>();
    Running running(20, 100, std::move(services));
    Tmainform* form = running.app.mainform;
    // A click on the row first, as before a double-click.
    form->Listen->selectRow(0);
    form->ListenClick();
    const int visitsBefore = running.app.model->Web()[0].Visits;
    const QString anchorPath =
        benchdata::currentGroupFolder(running.base) + QStringLiteral("/anker.txt");
    const QStringList lines = {
        "https://www.eksempel.dk/", "anker", "09-12-2026", "13:45", "1", anchorPath};
    const auto [program, anchor] = pairedMediansMs([&] { form->ListenDblClick(); },
                                                   [&] {
                                                       QSaveFile file(anchorPath);
                                                       file.open(QIODevice::WriteOnly);
                                                       for (const QString& line : lines)
                                                           file.write(line.toUtf8() + "\r\n");
                                                       file.commit();
                                                   });
    if (running.app.model->Web()[0].Visits <= visitsBefore) {
        std::fprintf(stderr, "visit: no visit was recorded\n");
        return 1;
    }
    report("visit", 1, program, anchor);
    return 0;
}

// A bookmark file in Safari's form (top folders without a list around them) of n bookmarks in
// about n / 3.7 folders, nested up to 13 deep, with titles of several scripts.
QString safariBookmarks(int n) {
    QString text =
        QStringLiteral("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<HTML>\n<META "
                       "HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                       "charset=UTF-8\">\n<Title>Bookmarks</Title>\n<H1>Bookmarks</H1>\n");
    const int folders = std::max(1, int(n / 3.69));
    static const char* words[] = {"Nyheder", "Opslag", "Ελληνικά", "Actualités", "東京",
                                  "Værktøj", "Musik",  "Rejser",   "Копенгаген", "Arbejde"};
    int written = 0, depth = 0;
    for (int f = 0; f < folders; ++f) {
        // Down one level at a time to 13, then back to the top.
        if (depth == 13 || (depth > 0 && f % 5 == 0)) {
            for (; depth > 0; --depth)
                text += QStringLiteral("</DL><p>\n");
        }
        text += QStringLiteral("<DT><H3 FOLDED>%1 %2</H3>\n<DL><p>\n")
                    .arg(QString::fromUtf8(words[f % 10]))
                    .arg(f);
        ++depth;
        const int here = f == folders - 1 ? n - written : std::min(n - written, n / folders);
        for (int b = 0; b < here; ++b, ++written)
            text += QStringLiteral("<DT><A HREF=\"https://www.eksempel%1.dk/side/%2?q=%3\">%4 "
                                   "side %2 – %5</A>\n")
                        .arg(f)
                        .arg(b)
                        .arg(written)
                        .arg(QString::fromUtf8(words[(f + b) % 10]))
                        .arg(written);
    }
    for (; depth > 0; --depth)
        text += QStringLiteral("</DL><p>\n");
    return text + QStringLiteral("</HTML>\n");
}

// An import of a Safari bookmark file of N bookmarks into a user without groups, from the file
// read to every element file durable and the group list written, with the progress window
// (shown off screen); next to writing as many six-line files with QSaveFile, each made durable
// on its own as the import did before.
int import(const QStringList& args) {
    const int n = positive(args);
    if (!n)
        return usage();
    QTemporaryDir root;
    const QString file = root.filePath("Safari.html");
    {
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(safariBookmarks(n).toUtf8());
    }
    const auto urlCheck = UrlCheck::system();
    int run = 0, imported = 0;
    auto program = [&] {
        const QString content = root.filePath(QStringLiteral("indhold%1").arg(run++));
        QDir().mkpath(content + "/0");
        QDir().mkpath(content + "/1");
        store::Model model(*urlCheck);
        model.setFolders(content + "/0/", content + "/1/");
        (void)model.setMappe();
        const store::bookmarks::ReadResult read = store::bookmarks::readFile(file);
        const QList<store::bookmarks::Group> groups = store::bookmarks::toGroups(read.root);
        (void)model.existingElements(groups);
        ProgressWindow progress(nullptr, QStringLiteral("Lenkaro"),
                                QStringLiteral("Bogmærkerne indføres ..."), n);
        store::Model::Imported done;
        if (!model
                 .importBookmarks(
                     groups, false, [&](int h, int) { return progress.advance(h); }, &done)
                 .ok())
            std::exit(1);
        imported = done.elements;
    };
    auto anchor = [&] {
        const QString dir = root.filePath(QStringLiteral("anker%1").arg(run++));
        QDir().mkpath(dir);
        for (int i = 0; i < n; ++i) {
            QSaveFile out(dir + QStringLiteral("/element %1.txt").arg(i));
            out.open(QIODevice::WriteOnly);
            out.write("https://www.eksempel.dk/\r\nelement\r\nDato\r\nXX:XX\r\n0\r\n\r\n");
            out.commit();
        }
    };
    const auto [p, a] = pairedMediansMs(program, anchor, 0, 3);
    if (imported != n) {
        std::fprintf(stderr, "import: %d elements imported of %d\n", imported, n);
        return 1;
    }
    report("import", n, p, a);
    return 0;
}

// The data of the measures, kept for a profiler: the base folder's path is printed.
int data(const QStringList& args) {
    bool okG = false, okN = false;
    const int g = args.size() == 3 ? args[1].toInt(&okG) : 0;
    const int n = args.size() == 3 ? args[2].toInt(&okN) : 0;
    if (!okG || !okN || g <= 0 || n < 0)
        return usage();
    std::printf("%s\n", qPrintable(benchdata::makeBase(args[0], g, n)));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Started by the start-up measure: start up, show, end.
    if (argc == 3 && std::string(argv[1]) == "child-program")
        return benchwindows::programChild(QString::fromLocal8Bit(argv[2]));
    if (argc == 2 && std::string(argv[1]) == "child-anchor")
        return benchwindows::anchorChild();
    // Windows are made without a display, for this process and the ones it starts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const std::map<QString, std::function<int(const QStringList&)>> measures = {
        {"search", search}, {"corpus", corpus}, {"startup", startup}, {"load", load},
        {"keys", keys},     {"visit", visit},   {"data", data},       {"import", import},
    };
    if (args.isEmpty() || !measures.count(args.first()))
        return usage();
    const QString measure = args.takeFirst();
    return measures.at(measure)(args);
}
