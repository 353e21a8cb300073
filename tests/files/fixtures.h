#pragma once
// Small helpers that build folder trees for the file tests.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace ov::test {

// Creates the file (and its folders) with the given bytes.
inline void writeFile(const QString& path, const QByteArray& bytes = QByteArray("x")) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void makeFolder(const QString& path) {
    QDir().mkpath(path);
}

}  // namespace ov::test
