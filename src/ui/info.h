#pragma once

#include <QMainWindow>

class App;

// The information window: the program's help, shown by topic.
class Tinfoformen : public QMainWindow {
    Q_OBJECT
public:
    explicit Tinfoformen(App& app);

private:
    App& app;
};
