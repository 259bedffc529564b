#pragma once

#include <QString>

#include <memory>

// The address check: is a text a complete address the program can hand to the shell?
class UrlCheck {
public:
    virtual ~UrlCheck() = default;
    virtual bool IsValidURL(const QString& text) const = 0;

    // The check of this platform.
    static std::unique_ptr<UrlCheck> system();
};
