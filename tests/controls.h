#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

// The control (widget, action, layout) called name among the children of window, at any depth,
// found as a user finds it: by what it is, not by a field of the window. A name that is missing
// or a control of another kind ends the test at once, naming both.
template <class T> T* control(const QObject* window, const char* name) {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("%s has no control \"%s\" of the kind asked for",
               qPrintable(window->objectName().isEmpty() ? window->metaObject()->className()
                                                         : window->objectName()),
               name);
    return found;
}
