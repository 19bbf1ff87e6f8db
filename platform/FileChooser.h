#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace tarvis {

// Asks the user for a file. Tests hand in their own answer instead of a real dialog.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The full path of the chosen file, or nothing when the user cancelled.
    virtual std::optional<QString> chooseFile(QWidget* parent, const QString& title,
                                              const QString& initialFile,
                                              const QStringList& filters) = 0;
    // Existing files to read, one or several; nothing when the user cancelled.
    virtual std::optional<QStringList> chooseFiles(QWidget* parent, const QString& title,
                                                   const QString& directory,
                                                   const QStringList& filters) = 0;
    // A file to write to; the user is asked before an existing file is replaced.
    virtual std::optional<QString> chooseTarget(QWidget* parent, const QString& title,
                                                const QString& initialFile,
                                                const QStringList& filters) = 0;
};

class QtFileChooser final : public FileChooser {
public:
    std::optional<QString> chooseFile(QWidget* parent, const QString& title,
                                      const QString& initialFile,
                                      const QStringList& filters) override;
    std::optional<QStringList> chooseFiles(QWidget* parent, const QString& title,
                                           const QString& directory,
                                           const QStringList& filters) override;
    std::optional<QString> chooseTarget(QWidget* parent, const QString& title,
                                        const QString& initialFile,
                                        const QStringList& filters) override;
};

} // namespace tarvis
