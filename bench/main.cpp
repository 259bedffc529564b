// lenkaro-bench MEASURE ARGS...: times the program's hot paths on data it makes itself (or on a
// folder given), each next to an anchor measured in the same run where one fits.
#include "app/app.h"
#include "data.h"
#include "display.h"
#include "measure.h"
#include "platform/toolkit/progresswindow.h"
#include "platform/urlcheck.h"
#include "platform/username.h"
#include "settings/programsettings.h"
#include "store/bookmarkexchange.h"
#include "store/elementindex.h"
#include "store/model.h"
#include "struktur/dokumentsoeg.h"
#include "ui/findelement/findelement.h"
#include "ui/main/main.h"
#include "windows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
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

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage:\n"
                 "  lenkaro-bench search FOLDER WORD [--list]\n"
                 "  lenkaro-bench corpus FOLDER N   (writes N help documents to search)\n"
                 "  lenkaro-bench startup N   (current group of N elements; on DISPLAY, or\n"
                 "                             on an Xvfb of its own)\n"
                 "  lenkaro-bench load N\n"
                 "  lenkaro-bench help        (F1 to the first painted page, cold and warm)\n"
                 "  lenkaro-bench keys G      (G groups in the group list)\n"
                 "  lenkaro-bench visit [N]\n"
                 "  lenkaro-bench find G N    (\"Find element\" over G groups of N elements)\n"
                 "  lenkaro-bench import N    (a Safari bookmark file of N bookmarks)\n"
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
    const QByteArray folderBytes = QFile::encodeName(folder), wordBytes = word.toUtf8();
    // grep's own walk over the same documents, a whole-word search ignoring case, found
    // documents listed, as a process of its own.
    auto grep = [&] {
        const pid_t pid = ::fork();
        if (pid == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            ::execlp("grep", "grep", "-rliwF", "--", wordBytes.constData(), folderBytes.constData(),
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) {
            std::fprintf(stderr, "search: grep failed\n");
            std::exit(1);
        }
    };
    std::vector<double> programMs, anchorMs;
    for (int i = 0; i < 2 + 9; ++i) {
        QElapsedTimer timer;
        timer.start();
        found = dokumentsoeg::findDokumenter(folder, word);
        const double program = timer.nsecsElapsed() / 1e6;
        timer.restart();
        grep();
        const double anchor = timer.nsecsElapsed() / 1e6;
        if (i < 2)
            continue;
        programMs.push_back(program);
        anchorMs.push_back(anchor);
    }
    if (args.contains("--list")) {
        for (const QString& name : found)
            std::printf("%s\n", qPrintable(name));
    }
    std::printf("search: %lld documents\n", static_cast<long long>(found.size()));
    reportPairs("search", QDir(folder).count() - 2, programMs, anchorMs);
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

// The program's own binary, through its real main(), on the base folder it was built with.
const std::string programPath = LENKARO_BENCH_PROGRAM;
const QString programBase = QStringLiteral(LENKARO_BENCH_PROGRAM_BASE);

// Start-up as a user waits for it: the real program started on an X display, 20 groups with a
// current group of N elements, from its start to its main window's first painted image, next to
// a bare Qt Widgets program showing a four-column tree of 100 rows, started and timed the same
// way, in turns. Peak memory of both until then too.
int startup(const QStringList& args) {
    const int n = positive(args);
    if (!n)
        return usage();
    benchdisplay::XDisplay display;
    benchdata::makeBaseAt(programBase, platform::loginName(), 20, n);
    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    std::vector<double> programMs, anchorMs, programMb, anchorMb;
    const int warmups = 2, runs = 9;
    for (int i = 0; i < warmups + runs; ++i) {
        const auto program = benchdisplay::runUntilPainted({programPath}, display.name());
        const auto anchor = benchdisplay::runUntilPainted({self, "anchor-window"}, display.name());
        if (i < warmups)
            continue;
        programMs.push_back(program.ms);
        anchorMs.push_back(anchor.ms);
        programMb.push_back(program.peakMb);
        anchorMb.push_back(anchor.peakMb);
    }
    reportPairs("startup", n, programMs, anchorMs);
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
    Running(int groups, int elements, Services services = Services::system(),
            bool everyGroup = false)
        : base(benchdata::makeBase(root.path(), groups, elements, everyGroup)),
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

// Loading a group of N elements as a user waits for it: the real program's start to its first
// painted window with that group current, less the same start with a group of one element, next
// to a plain read of the same files (list the folder, sort the names, read each file whole).
int load(const QStringList& args) {
    const int n = positive(args);
    if (!n)
        return usage();
    benchdisplay::XDisplay display;
    const QString user = platform::loginName();
    benchdata::makeBaseAt(programBase, user, 20, n);
    const std::filesystem::path dir =
        benchdata::currentGroupFolder(programBase, user).toStdString();
    std::vector<double> programMs, anchorMs;
    qint64 bytes = 0;
    const int warmups = 2, runs = 9;
    for (int i = 0; i < warmups + runs; ++i) {
        benchdata::chooseGroup(programBase, user, true);
        const double large = benchdisplay::runUntilPainted({programPath}, display.name()).ms;
        benchdata::chooseGroup(programBase, user, false);
        const double small = benchdisplay::runUntilPainted({programPath}, display.name()).ms;
        QElapsedTimer timer;
        timer.start();
        bytes += plainRead(dir);
        const double plain = timer.nsecsElapsed() / 1e6;
        if (i < warmups)
            continue;
        programMs.push_back(large - small);
        anchorMs.push_back(plain);
    }
    if (bytes == 0) {
        std::fprintf(stderr, "load: nothing read\n");
        return 1;
    }
    reportPairs("load", n, programMs, anchorMs);
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
        auto* list = running.app.mainform->findChild<QListWidget*>(QStringLiteral("gruppeBoksen"));
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

// The floor of a visit: the same six lines written to a new file beside the element's, made
// durable, and renamed over it, as any safe save must.
void durableWrite(const QByteArray& path, const QByteArray& bytes) {
    const QByteArray temporary = path + ".ny";
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size() ||
        ::fsync(fd) != 0 || ::close(fd) != 0 || ::rename(temporary.constData(), path.constData()))
        std::exit(4);
}

// From a double-click on an element (its handler) to the element file written, in a group of
// N elements (100 unless given), next to the durable write of the same six lines.
int visit(const QStringList& args) {
    const int n = args.isEmpty() ? 100 : positive(args);
    if (!n)
        return usage();
    Services services = Services::system();
    services.shell = std::make_unique<QuietShell>();
    Running running(20, n, std::move(services));
    Tmainform* form = running.app.mainform;
    // A click on the row first, as before a double-click.
    form->findChild<QTableView*>(QStringLiteral("Listen"))->selectRow(0);
    form->ListenClick();
    const int visitsBefore = running.app.model->Web()[0].Visits;
    const QString anchorPath =
        benchdata::currentGroupFolder(running.base) + QStringLiteral("/anker.txt");
    QByteArray bytes;
    for (const QString& line :
         QStringList{"https://www.eksempel.dk/", "anker", "09-12-2026", "13:45", "1", anchorPath})
        bytes += line.toUtf8() + "\r\n";
    const QByteArray anchorNative = QFile::encodeName(anchorPath);
    const auto [program, anchor] = pairedMediansMs([&] { form->ListenDblClick(); },
                                                   [&] { durableWrite(anchorNative, bytes); });
    if (running.app.model->Web()[0].Visits <= visitsBefore) {
        std::fprintf(stderr, "visit: no visit was recorded\n");
        return 1;
    }
    report("visit", n, program, anchor);
    return 0;
}

// F1 to the first painted help page, the first time in a run (the page view's engine loaded
// and started) and again after the help window was closed, on an X display; each run of the
// program a process of its own.
int help(const QStringList&) {
    benchdisplay::XDisplay display;
    QTemporaryDir root;
    const QString base = benchdata::makeBase(root.path(), 20, 100);
    std::vector<double> cold, warm;
    for (int i = 0; i < 5; ++i) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", QString::fromLocal8Bit(display.name()));
        env.insert("QT_QPA_PLATFORM", "xcb");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"child-help", base});
        if (!child.waitForFinished(120000) || child.exitCode() != 0) {
            std::fprintf(stderr, "help: the program did not show its help (%d)\n%s\n",
                         child.exitCode(), child.readAllStandardError().right(2000).constData());
            return 1;
        }
        const QList<QByteArray> times = child.readAllStandardOutput().trimmed().split(' ');
        if (times.size() != 2)
            return 1;
        cold.push_back(times[0].toDouble());
        warm.push_back(times[1].toDouble());
    }
    std::printf("help: cold %.1f ms (%.1f to %.1f), warm %.1f ms (%.1f to %.1f)\n", median(cold),
                *std::min_element(cold.begin(), cold.end()),
                *std::max_element(cold.begin(), cold.end()), median(warm),
                *std::min_element(warm.begin(), warm.end()),
                *std::max_element(warm.begin(), warm.end()));
    return 0;
}

// "Find element" over G groups of N elements each. Its first opening, a window and an index of
// their own each time, reading every group, next to the plain read floor of the same files; then
// each key typed into its field (a word typed and taken back again) until its results are shown,
// against the goal of one frame.
int find(const QStringList& args) {
    bool okG = false, okN = false;
    const int g = args.size() == 2 ? args[0].toInt(&okG) : 0;
    const int n = args.size() == 2 ? args[1].toInt(&okN) : 0;
    if (!okG || !okN || g <= 0 || n <= 0)
        return usage();
    Running running(g, n, Services::system(), true);
    App& app = running.app;
    std::vector<std::filesystem::path> dirs;
    for (int i = 0; i < g; ++i)
        dirs.push_back(benchdata::groupFolder(running.base, i).toStdString());
    qint64 bytes = 0;
    int indexed = 0;
    const auto [program, anchor] = pairedMediansMs(
        [&] {
            store::ElementIndex index(*app.model);
            Tfindelementform window(*app.model, index, app.settings->optdir(), app.mainform,
                                    app.ending);
            window.open();
            if (!QTest::qWaitForWindowExposed(&window))
                std::exit(3);
            QCoreApplication::processEvents();
            indexed = index.elementCount();
        },
        [&] {
            for (const std::filesystem::path& dir : dirs)
                bytes += plainRead(dir);
        },
        2, 9);
    if (indexed != g * n || bytes == 0) {
        std::fprintf(stderr, "find: %d elements indexed of %d\n", indexed, g * n);
        return 1;
    }
    std::printf("find-open %d %d: program %.2f ms, anchor %.2f ms, ratio %.2f\n", g, n, program,
                anchor, anchor > 0 ? program / anchor : 0.0);

    app.findform()->open();
    if (!QTest::qWaitForWindowExposed(app.findform()))
        std::exit(3);
    QCoreApplication::processEvents();
    auto* field = app.findform()->findChild<QLineEdit*>(QStringLiteral("soegEdit"));
    auto* results = app.findform()->findChild<QTableView*>(QStringLiteral("resultatListe"));
    const QString word = QStringLiteral("side 12");
    std::vector<double> times;
    int shownAtWord = 0;
    for (int round = 0; round < 11; ++round) {
        auto press = [&](auto key) {
            QElapsedTimer timer;
            timer.start();
            QTest::keyClick(field, key);
            QCoreApplication::processEvents();
            if (round > 0) // the first round warms the caches
                times.push_back(timer.nsecsElapsed() / 1e6);
        };
        for (const QChar c : word)
            press(c.toLatin1());
        shownAtWord = results->model()->rowCount();
        for (qsizetype i = 0; i < word.size(); ++i)
            press(Qt::Key_Backspace);
    }
    if (shownAtWord == 0 || results->model()->rowCount() != g * n) {
        std::fprintf(stderr, "find: the field did not find\n");
        return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("find-key %d %d: median %.2f ms, 9 in 10 within %.2f ms, worst %.2f ms, goal 16 ms "
                "(%d keys; %d found for \"%s\")\n",
                g, n, times[times.size() / 2], times[times.size() * 9 / 10], times.back(),
                int(times.size()), shownAtWord, qPrintable(word));
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
        (void)store::existingElements(model, groups);
        ProgressWindow progress(nullptr, QStringLiteral("Lenkaro"),
                                QStringLiteral("Bogmærkerne indføres ..."), n);
        store::Imported done;
        if (!store::importBookmarks(
                 model, groups, false, [&](int h, int) { return progress.advance(h); }, &done)
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
    if (argc == 2 && std::string(argv[1]) == "anchor-window")
        return benchwindows::anchorWindow();
    if (argc == 3 && std::string(argv[1]) == "child-help")
        return benchwindows::helpChild(QString::fromLocal8Bit(argv[2]));
    // Windows are made without a display, for this process and the ones it starts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const std::map<QString, std::function<int(const QStringList&)>> measures = {
        {"search", search}, {"corpus", corpus}, {"startup", startup}, {"load", load},
        {"keys", keys},     {"visit", visit},   {"data", data},       {"help", help},
        {"find", find},     {"import", import},
    };
    if (args.isEmpty() || !measures.count(args.first()))
        return usage();
    const QString measure = args.takeFirst();
    return measures.at(measure)(args);
}
