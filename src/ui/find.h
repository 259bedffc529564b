#pragma once

#include <QWidget>

class App;

// A hidden window holding the text buffer that the help search reads documents into.
class Teditform : public QWidget {
    Q_OBJECT
public:
    explicit Teditform(App& app);

private:
    App& app;
};
