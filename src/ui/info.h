#pragma once

#include <QMainWindow>

class App;

// The information window: the program's help, shown by topic. For now it only shows itself;
// the help structure and its pages are still to come.
class Tinfoformen : public QMainWindow {
    Q_OBJECT
public:
    explicit Tinfoformen(App& app);

    // Sets the folders of the structure strukturnavn and loads its tree.
    void LoadStruktur();
    // Shows the window with the topic whose node text is openNodetekst; true when found.
    bool goToInfo(const QString& openNodetekst);

    QString strukturnavn;
    QString newNavn;

private:
    App& app;
};
