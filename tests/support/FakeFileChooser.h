#pragma once

#include "platform/FileChooser.h"

#include <optional>

namespace tarvis::test {

// Answers the file dialog as the test says (cancel unless told otherwise) and keeps what it
// was asked.
class FakeFileChooser final : public FileChooser {
public:
    std::optional<QString> chooseFile(QWidget*, const QString& title, const QString& initialFile,
                                      const QStringList& filters) override {
        Merke(title, initialFile, filters);
        return antwort;
    }

    std::optional<QStringList> chooseFiles(QWidget*, const QString& title, const QString& directory,
                                           const QStringList& filters) override {
        Merke(title, directory, filters);
        return antwortDateien;
    }

    std::optional<QString> chooseTarget(QWidget*, const QString& title, const QString& initialFile,
                                        const QStringList& filters) override {
        Merke(title, initialFile, filters);
        return antwortZiel;
    }

    std::optional<QString> antwort;            // for chooseFile
    std::optional<QStringList> antwortDateien; // for chooseFiles
    std::optional<QString> antwortZiel;        // for chooseTarget
    int aufrufe = 0;
    QString titel;
    QString anfang;
    QStringList filter;

private:
    void Merke(const QString& title, const QString& start, const QStringList& filters) {
        ++aufrufe;
        titel = title;
        anfang = start;
        filter = filters;
    }
};

} // namespace tarvis::test
