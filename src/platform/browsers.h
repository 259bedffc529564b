#pragma once

#include <QString>
#include <QStringList>

// Where the two browsers the program can start are installed on this platform.
struct BrowserPlaces {
    QStringList chrome; // Google Chrome, or its open build Chromium
    QStringList edge;   // Microsoft Edge

    static BrowserPlaces system();

    // The first existing browser by the order of the browser choice: index 0 ("Google Chrome")
    // tries Chrome first, any other index ("Microsoft Edge", or none chosen) Edge first.
    // Empty when neither is installed.
    QString find(int browserIndex) const;
};
