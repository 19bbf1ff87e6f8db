#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tarvis::test {

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

} // namespace tarvis::test
