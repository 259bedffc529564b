#include "struktur/Struktur.h"

#include "platform/filenames.h"
#include "platform/pathname.h"
#include "platform/textfile.h"
#include "struktur/strukturfile.h"

#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QTreeWidgetItemIterator>

StrukturError::StrukturError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

namespace {
// The file at path, or one whose name differs from it only in letter case: structures brought
// over from Windows do not always spell their file names the way the program asks for them.
// Empty when there is neither.
QString existingFile(const QString& path) {
    const QFileInfo info(path);
    if (info.isFile())
        return path;
    if (!filenames::fileExists(info.path(), info.fileName()))
        return {};
    return filenames::entryPath(info.path(), info.fileName());
}

// A path in a message as the user's system writes paths.
QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// A clear picture, as wide as the others.
QIcon noPicture() {
    static const QIcon clear = [] {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        return QIcon(pixmap);
    }();
    return clear;
}

int countBelow(const QTreeWidgetItem* node) {
    int count = node->childCount();
    for (int i = 0; i < node->childCount(); ++i)
        count += countBelow(node->child(i));
    return count;
}
} // namespace

TStruktur::TStruktur(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(1);
    setHeaderHidden(true);
}

void TStruktur::setImageList(const QList<QIcon>& images) {
    FImageList = images;
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        showIcon(*it);
}

bool TStruktur::HentStruktur() {
    clear();
    const QString strukturPath = existingFile(FStrukturfile);
    if (strukturPath.isEmpty())
        return false;

    QString error;
    const std::optional<QStringList> lines = textfile::readLines(strukturPath, &error);
    if (!lines)
        throw StrukturError(
            QStringLiteral("Kan ikke læse filen \"%1\".\n%2").arg(native(strukturPath), error));

    const strukturfile::Structure structure = strukturfile::parse(*lines);
    // The nodes are linked up before any of them joins the tree, so the view takes in the
    // whole structure at once instead of one node at a time.
    QList<QTreeWidgetItem*> nodes;
    QList<QTreeWidgetItem*> topLevel;
    nodes.reserve(structure.nodes.size());
    for (const strukturfile::Node& node : structure.nodes) {
        auto* item = new QTreeWidgetItem(QStringList{node.text});
        if (node.parent < 0)
            topLevel.append(item);
        else
            nodes.at(node.parent)->addChild(item);
        nodes.append(item);
    }
    addTopLevelItems(topLevel);
    if (!structure.error.isEmpty())
        throw StrukturError(structure.error);

    if (FDataOn)
        loadData();
    return true;
}

void TStruktur::loadData() {
    QString error;
    QString dataPath = existingFile(FDatafile);
    if (dataPath.isEmpty()) {
        dataPath = FDatafile;
        QStringList texts;
        for (QTreeWidgetItemIterator it(this); *it; ++it)
            texts.append((*it)->text(0));
        // With no nodes there is nothing to write; reading the missing file then reports it.
        if (!texts.isEmpty() &&
            !textfile::writeLines(dataPath, strukturfile::defaultData(texts), &error))
            throw StrukturError(
                QStringLiteral("Kan ikke oprette filen \"%1\".\n%2").arg(native(dataPath), error));
    }

    const std::optional<QStringList> lines = textfile::readLines(dataPath, &error);
    if (!lines)
        throw StrukturError(
            QStringLiteral("Kan ikke læse filen \"%1\".\n%2").arg(native(dataPath), error));

    qsizetype row = 0;
    for (QTreeWidgetItemIterator it(this); *it; ++it, ++row) {
        QTreeWidgetItem* node = *it;
        const QString lineNo = QString::number(row + 1);
        if (row >= lines->size())
            throw StrukturError(QStringLiteral("Datafilen \"%1\" har ingen linje %2 til emnet "
                                               "\"%3\".")
                                    .arg(native(dataPath), lineNo, node->text(0)));
        const QString& line = lines->at(row);
        const int index = strukturfile::imageIndex(line);
        if (index < 0 && line.isEmpty())
            throw StrukturError(QStringLiteral("Linje %2 i datafilen \"%1\" er tom.")
                                    .arg(native(dataPath), lineNo));
        if (index < 0)
            throw StrukturError(
                QStringLiteral("Linje %2 i datafilen \"%1\" begynder ikke med et ciffer: \"%3\".")
                    .arg(native(dataPath), lineNo, line));
        node->setData(0, PdataRole, line);
        node->setData(0, ImageIndexRole, index);
        showIcon(node);
    }
}

void TStruktur::showIcon(QTreeWidgetItem* node) const {
    const int index = imageIndex(node);
    if (index >= 0 && index < FImageList.size())
        node->setIcon(0, FImageList.at(index));
    else if (!FImageList.isEmpty())
        // A node without a picture of its own keeps the picture's room, so its text lines up
        // with its siblings'.
        node->setIcon(0, noPicture());
    else
        node->setIcon(0, QIcon());
}

QString TStruktur::getNodeTekst(const QString& DataUrl) {
    if (!FDataOn)
        return {};
    QString error;
    const std::optional<QString> key = pathname::baseName(DataUrl, &error);
    if (!key)
        throw StrukturError(error);

    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        const std::optional<QString> pdata = Pdata(*it);
        if (!pdata || strukturfile::documentName(*pdata) != *key)
            continue;
        if (!(*it)->isSelected()) {
            setCurrentItem(*it);
            // A page reached through a link should show where it sits in the tree, also when
            // its branch is collapsed.
            scrollToItem(*it);
        }
        return (*it)->text(0);
    }
    return {};
}

int TStruktur::nodeCount() const {
    return countBelow(invisibleRootItem());
}

std::optional<QString> TStruktur::Pdata(const QTreeWidgetItem* node) {
    const QVariant data = node->data(0, PdataRole);
    if (!data.isValid())
        return std::nullopt;
    return data.toString();
}

int TStruktur::imageIndex(const QTreeWidgetItem* node) {
    const QVariant index = node->data(0, ImageIndexRole);
    return index.isValid() ? index.toInt() : -1;
}

QString TStruktur::documentPath(const QTreeWidgetItem* node) const {
    const std::optional<QString> pdata = Pdata(node);
    if (!pdata)
        return {};
    return FInfomappe + strukturfile::documentName(*pdata) + QStringLiteral(".html");
}
