#include "platform/FileChooser.h"

#include <QFileDialog>

namespace tarvis {

namespace {

std::optional<QString> Speicherziel(QWidget* parent, const QString& title,
                                    const QString& initialFile, const QStringList& filters,
                                    QFileDialog::Options optionen) {
    const QString gewaehlt = QFileDialog::getSaveFileName(
        parent, title, initialFile, filters.join(QStringLiteral(";;")), nullptr, optionen);
    if (gewaehlt.isEmpty()) {
        return std::nullopt;
    }
    return gewaehlt;
}

} // namespace

std::optional<QString> QtFileChooser::chooseFile(QWidget* parent, const QString& title,
                                                 const QString& initialFile,
                                                 const QStringList& filters) {
    // A log file may be new: the user names it and the first save creates it, so no
    // overwrite question (nothing is ever overwritten, only appended to).
    return Speicherziel(parent, title, initialFile, filters, QFileDialog::DontConfirmOverwrite);
}

std::optional<QStringList> QtFileChooser::chooseFiles(QWidget* parent, const QString& title,
                                                      const QString& directory,
                                                      const QStringList& filters) {
    const QStringList gewaehlt =
        QFileDialog::getOpenFileNames(parent, title, directory, filters.join(QStringLiteral(";;")));
    if (gewaehlt.isEmpty()) {
        return std::nullopt;
    }
    return gewaehlt;
}

std::optional<QString> QtFileChooser::chooseTarget(QWidget* parent, const QString& title,
                                                   const QString& initialFile,
                                                   const QStringList& filters) {
    return Speicherziel(parent, title, initialFile, filters, {});
}

} // namespace tarvis
