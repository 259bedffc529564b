// lenkaro-bench MEASURE ARGS...: times the program's hot paths on data it makes itself (or on a
// folder given), each next to an anchor measured in the same run where one fits.
#include "dokumentsoeg.h"
#include "measure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cstdio>
#include <functional>
#include <map>

namespace {

int usage() {
    std::fprintf(stderr, "usage:\n"
                         "  lenkaro-bench search FOLDER WORD [--list]\n"
                         "  lenkaro-bench corpus FOLDER N   (writes N help documents to search)\n");
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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const std::map<QString, std::function<int(const QStringList&)>> measures = {
        {"search", search},
        {"corpus", corpus},
    };
    if (args.isEmpty() || !measures.count(args.first()))
        return usage();
    const QString measure = args.takeFirst();
    return measures.at(measure)(args);
}
