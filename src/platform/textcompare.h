#pragma once

#include <QString>

// The program compares names "without regard to case" by folding the letters A to Z only:
// every other character, æ, ø and å included, must match exactly.
inline bool sameTextAZ(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= u'a' && x <= u'z')
            x -= 32;
        if (y >= u'a' && y <= u'z')
            y -= 32;
        if (x != y)
            return false;
    }
    return true;
}
