#include "platform/Desktop.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <gtest/gtest.h>

using namespace tarvis;

namespace {

// Qt's own texts, read where the user meets them. Expected values from Qt's German
// translation as Debian ships it.
struct QtText {
    const char* name;
    std::function<QString()> lies;
    const char* deutsch;
};

class QtTexte : public ::testing::TestWithParam<QtText> {
protected:
    static void SetUpTestSuite() { geladen = LadeQtTexte(*qApp); }
    static inline bool geladen = false;
};

TEST_P(QtTexte, AreGermanUnderAnyLanguageOfTheDesktop) {
    ASSERT_TRUE(geladen) << "no qtbase_de in " << QtUebersetzungen().toStdString();
    EXPECT_EQ(GetParam().lies(), QString::fromUtf8(GetParam().deutsch));
}

QString KnopfText(QDialogButtonBox::StandardButton knopf) {
    QDialogButtonBox box(knopf);
    return box.button(knopf)->text();
}

QString DateiDialogText(const char* kind) {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* label = dialog.findChild<QLabel*>(QLatin1String(kind));
    return label != nullptr ? label->text() : QString();
}

QString KontextMenue() {
    QLineEdit feld;
    const std::unique_ptr<QMenu> menue(feld.createStandardContextMenu());
    QStringList texte;
    for (QAction* eintrag : menue->actions()) {
        if (!eintrag->isSeparator()) {
            texte << eintrag->text().section(QLatin1Char('\t'), 0, 0);
        }
    }
    return texte.join(QLatin1Char('|'));
}

INSTANTIATE_TEST_SUITE_P(
    Deutsch, QtTexte,
    ::testing::Values(
        QtText{"Cancel", [] { return KnopfText(QDialogButtonBox::Cancel); }, "Abbrechen"},
        QtText{"Ok", [] { return KnopfText(QDialogButtonBox::Ok); }, "OK"},
        QtText{"LookIn", [] { return DateiDialogText("lookInLabel"); }, "Suchen in:"},
        QtText{"FilesOfType", [] { return DateiDialogText("fileTypeLabel"); }, "Dateien des Typs:"},
        QtText{"EditMenu", KontextMenue,
               "&Rückgängig|Wieder&herstellen|&Ausschneiden|&Kopieren|Einf&ügen|Löschen|Alles "
               "auswählen"}),
    [](const ::testing::TestParamInfo<QtText>& info) { return std::string(info.param.name); });

// The window's class (Qt takes the application name) is what the launcher names, so a task
// bar groups the window under it; the launcher's id is the desktop file name.
TEST(Desktop, TheProgramNamesItsLauncherAndCarriesItsIcon) {
    StelleProgrammVor(*qApp);
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("de.tarvis.Tarvis32"));
    EXPECT_EQ(QGuiApplication::applicationName(), QStringLiteral("Tarvis32"));
    const QIcon icon = QGuiApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    const QImage bild = icon.pixmap(48, 48).toImage();
    ASSERT_FALSE(bild.isNull()) << "the SVG was not drawn: is Qt's SVG plugin installed?";
    EXPECT_EQ(bild.width(), 48);

    QSettings starter(QStringLiteral(TARVIS_DESKTOP_FILE), QSettings::IniFormat);
    starter.beginGroup(QStringLiteral("Desktop Entry"));
    EXPECT_EQ(starter.value(QStringLiteral("StartupWMClass")).toString(),
              QGuiApplication::applicationName());
    EXPECT_EQ(starter.value(QStringLiteral("Icon")).toString(), QGuiApplication::desktopFileName());
}

} // namespace
