#pragma once

#include <QByteArray>
#include <QString>

// Reads many small files one after another, as the help search does, with as few system calls
// as the platform allows: one open, reads into a buffer kept between files, one close.
class WholeFileReader {
public:
    enum class Result { Read, Missing, Failed };

    // Reads the whole file at path; its bytes stay valid until the next call.
    Result read(const QString& path);
    const QByteArray& bytes() const { return buffer; }

private:
    QByteArray buffer;
};
