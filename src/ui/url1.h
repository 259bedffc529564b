#pragma once

#include <QWidget>

class App;

// The list of the help pages visited in this run.
class Turlform1 : public QWidget {
    Q_OBJECT
public:
    explicit Turlform1(App& app);

private:
    App& app;
};
