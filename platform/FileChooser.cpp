#include "platform/FileChooser.h"

#include <QFileDialog>

namespace tarvis {

std::optional<QString> QtFileChooser::chooseFile(QWidget* parent, const QString& title,
                                                 const QString& initialFile,
                                                 const QStringList& filters) {
    // A log file may be new: the user names it and the first save creates it, so no
    // overwrite question (nothing is ever overwritten, only appended to).
    const QString gewaehlt =
        QFileDialog::getSaveFileName(parent, title, initialFile, filters.join(QStringLiteral(";;")),
                                     nullptr, QFileDialog::DontConfirmOverwrite);
    if (gewaehlt.isEmpty()) {
        return std::nullopt;
    }
    return gewaehlt;
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
    const QString gewaehlt = QFileDialog::getSaveFileName(parent, title, initialFile,
                                                          filters.join(QStringLiteral(";;")));
    if (gewaehlt.isEmpty()) {
        return std::nullopt;
    }
    return gewaehlt;
}

} // namespace tarvis
