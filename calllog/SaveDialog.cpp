#include "calllog/SaveDialog.h"

#include "calllog/Logbuch.h"
#include "platform/FileDialog.h"

namespace tarvis {

frmSpeichern::frmSpeichern(const GespraechsDaten& daten, Logbuch& logbuch, FileChooser& dateiWahl,
                           QWidget* parent)
    : QDialog(parent), daten_(daten), logbuch_(logbuch), dateiWahl_(dateiWahl) {
    setObjectName(QStringLiteral("frmSpeichern"));
    setWindowTitle(QStringLiteral("Speichern"));
}

frmSpeichern::~frmSpeichern() = default;

} // namespace tarvis
