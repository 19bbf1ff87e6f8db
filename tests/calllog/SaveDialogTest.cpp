#include "calllog/SaveDialog.h"

#include "calllog/LogFile.h"
#include "calllog/LogWriter.h"
#include "gui/WindowStyle.h"
#include "platform/FileChooser.h"
#include "support/AccessibilityChecks.h"
#include "support/FakeFileChooser.h"
#include "support/SampleCall.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace tarvis {
namespace {

using namespace std::chrono;
using test::ReadAll;

// Answers the next message box with OK and keeps its text. The box runs its own event loop,
// so it is looked for from a timer until it shows.
class Meldungen : public QObject {
public:
    void ErwarteEine(int versuche = 50) {
        QTimer::singleShot(0, this, [this, versuche] { Antworte(versuche); });
    }

    int anzahl = 0;
    QString text;

private:
    void Antworte(int versuche) {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            if (versuche > 0) {
                QTimer::singleShot(10, this, [this, versuche] { Antworte(versuche - 1); });
            }
            return;
        }
        ++anzahl;
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    }
};

// Types a text key by key, also characters that have no key of their own on a test keyboard.
void Tippe(QWidget* feld, const QString& text) {
    for (QChar zeichen : text) {
        QTest::sendKeyEvent(QTest::Click, feld, Qt::Key_unknown, QString(zeichen), Qt::NoModifier);
    }
}

template <class T> T* Kind(QWidget& fenster, const QString& name) {
    T* kind = fenster.findChild<T*>(name);
    EXPECT_NE(kind, nullptr) << name.toStdString();
    return kind;
}

class SaveDialog : public ::testing::Test {
protected:
    SaveDialog() : logbuchdatei_(dir_.filePath(QStringLiteral("Tarvis 12-1996.Rep"))) {}

    std::unique_ptr<frmSpeichern> Oeffne() {
        auto dlg = std::make_unique<frmSpeichern>(test::BeispielAnruf(), logbuchdatei_, chooser_);
        dlg->show();
        dlg->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
        return dlg;
    }

    template <class T> T* Kind(frmSpeichern& dlg, const char* name) {
        return tarvis::Kind<T>(dlg, QLatin1String(name));
    }

    // The lines the dialog should write for the example call in `zone`.
    static QByteArray Datensatz(const char* telefon, int zone, const char* kommentar = "") {
        const Gespraech e = test::BeispielAnruf().MitZone(zone, QString::fromUtf8(telefon),
                                                          QString::fromUtf8(kommentar));
        return SatzZeile(e) + KommentarZeile(e.kommentar);
    }

    QTemporaryDir dir_;
    Logbuchdatei logbuchdatei_;
    test::FakeFileChooser chooser_;
    Meldungen meldungen_;
};

TEST_F(SaveDialog, LooksAsDesigned) {
    auto dlg = Oeffne();
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Speichern"));
    EXPECT_EQ(dlg->size(), QSize(389, 258));
    EXPECT_EQ(dlg->minimumSize(), dlg->maximumSize());

    struct Beschriftet {
        const char* name;
        const char* text;
    };
    const std::vector<Beschriftet> texte = {
        {"lblHeader(4)", "Aktuelle &Logbuchdatei (Doppelklick zum Ändern):"},
        {"lblHeader(0)", "Wählen Sie die Zone aus:"},
        {"lblHeader(3)", "Zusätzliche Angaben (optional):"},
        {"lblHeader(1)", "&Telefonnummer:"},
        {"lblHeader(2)", "&Kommentar:"},
        {"lblZone(1)", "City"},
        {"lblZone(2)", "Region 50"},
        {"lblZone(3)", "Region 200"},
        {"lblZone(4)", "Fern"},
    };
    for (const Beschriftet& b : texte) {
        SCOPED_TRACE(b.name);
        QLabel* label = Kind<QLabel>(*dlg, b.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(b.text));
        if (label->buddy() != nullptr) { // read without the mnemonic's '&', whatever Qt does
            EXPECT_EQ(label->accessibleName(), QString::fromUtf8(b.text).remove(QLatin1Char('&')));
        }
        // Nothing clipped at the default fonts.
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                  label->contentsRect().width());
    }
    for (int zone = 1; zone <= 4; ++zone) {
        QLabel* label = Kind<QLabel>(*dlg, QStringLiteral("lblZone(%1)").arg(zone).toLatin1());
        EXPECT_EQ(label->palette().color(QPalette::Window), style::ZonenGrund(zone));
        EXPECT_TRUE(label->font().bold());
    }
    EXPECT_EQ(Kind<QLabel>(*dlg, "lblHeader(4)")->palette().color(QPalette::WindowText),
              QColor(0, 0, 255));
    EXPECT_EQ(Kind<QLabel>(*dlg, "lblDatei")->palette().color(QPalette::WindowText),
              QColor(192, 0, 0));
    EXPECT_EQ(Kind<QFrame>(*dlg, "Rahmen(2)")->geometry(), style::Twips(120, 300, 5595, 435));
    EXPECT_EQ(Kind<QFrame>(*dlg, "Rahmen(0)")->geometry(), style::Twips(120, 660, 2775, 2415));
    EXPECT_EQ(Kind<QFrame>(*dlg, "Rahmen(1)")->geometry(), style::Twips(2940, 660, 2775, 2415));

    auto* ok = Kind<QPushButton>(*dlg, "cmdOk");
    auto* abbruch = Kind<QPushButton>(*dlg, "cmdAbbruch");
    EXPECT_EQ(ok->text(), QStringLiteral("&Ok"));
    EXPECT_EQ(abbruch->text(), QStringLiteral("&Abbruch"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ok->geometry(), style::Twips(480, 3240, 2175, 495));
    EXPECT_EQ(abbruch->geometry(), style::Twips(3120, 3240, 2415, 495));
    EXPECT_EQ(Kind<QLineEdit>(*dlg, "txtTelefon")->maxLength(), 15);
    EXPECT_EQ(Kind<QLineEdit>(*dlg, "txtKommentar")->maxLength(), 28);
}

TEST_F(SaveDialog, OpensWithCityAndEmptyBoxesAndTheFullPath) {
    logbuchdatei_.SetzePfad(dir_.filePath(
        QStringLiteral("ein/sehr/langer/Pfad/der/nicht/mehr/in/den/Rahmen/passt/Tarvis.Rep")));
    auto dlg = Oeffne();
    EXPECT_TRUE(Kind<QRadioButton>(*dlg, "optZone(1)")->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), Kind<QRadioButton>(*dlg, "optZone(1)"));
    EXPECT_TRUE(Kind<QLineEdit>(*dlg, "txtTelefon")->text().isEmpty());
    EXPECT_TRUE(Kind<QLineEdit>(*dlg, "txtKommentar")->text().isEmpty());
    EXPECT_EQ(Kind<QLabel>(*dlg, "lblDatei")->text(), logbuchdatei_.Pfad());
}

TEST_F(SaveDialog, TabOrder) {
    auto dlg = Oeffne();
    // The log file's frame last, so the zone choice keeps the first place.
    const char* folge[] = {"optZone(1)",   "optZone(2)", "optZone(3)", "optZone(4)", "txtTelefon",
                           "txtKommentar", "cmdOk",      "cmdAbbruch", "Rahmen(2)",  "optZone(1)"};
    QWidget* w = Kind<QWidget>(*dlg, folge[0]);
    for (std::size_t i = 1; i < std::size(folge); ++i) {
        do {
            w = w->nextInFocusChain();
        } while (w->focusPolicy() == Qt::NoFocus);
        EXPECT_EQ(w->objectName(), QLatin1String(folge[i]));
    }
}

TEST_F(SaveDialog, EnterAtOnceSavesACityRecord) {
    auto dlg = Oeffne();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(dlg->Gespeichert());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(ReadAll(logbuchdatei_.Pfad()),
              KopfZeilen() + "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2   "
                             "                  City              2        0,24 DM\r\n");
}

TEST_F(SaveDialog, ZoneNameClickSelectsItsZone) {
    for (int zone : {3, 2, 4, 1}) {
        SCOPED_TRACE(zone);
        auto dlg = Oeffne();
        QTest::mouseClick(Kind<QLabel>(*dlg, QStringLiteral("lblZone(%1)").arg(zone).toLatin1()),
                          Qt::LeftButton);
        for (int andere = 1; andere <= 4; ++andere) {
            EXPECT_EQ(Kind<QRadioButton>(*dlg, QStringLiteral("optZone(%1)").arg(andere).toLatin1())
                          ->isChecked(),
                      andere == zone);
        }
    }
}

TEST_F(SaveDialog, SavesTheChosenZoneWithNumberAndComment) {
    auto dlg = Oeffne();
    QTest::mouseClick(Kind<QLabel>(*dlg, "lblZone(3)"), Qt::LeftButton);
    QTest::keyClicks(Kind<QLineEdit>(*dlg, "txtTelefon"), QStringLiteral("0711 123456"));
    Tippe(Kind<QLineEdit>(*dlg, "txtKommentar"), QStringLiteral("Rückruf"));
    QTest::mouseClick(Kind<QPushButton>(*dlg, "cmdOk"), Qt::LeftButton);
    EXPECT_TRUE(dlg->Gespeichert());
    EXPECT_EQ(ReadAll(logbuchdatei_.Pfad()), KopfZeilen() + Datensatz("0711 123456", 3, "Rückruf"));
}

TEST_F(SaveDialog, HeaderClicksFocusTheBoxesWithTheirTextSelected) {
    auto dlg = Oeffne();
    auto* telefon = Kind<QLineEdit>(*dlg, "txtTelefon");
    auto* kommentar = Kind<QLineEdit>(*dlg, "txtKommentar");
    telefon->setText(QStringLiteral("0711"));
    kommentar->setText(QStringLiteral("alt"));

    QTest::mouseClick(Kind<QLabel>(*dlg, "lblHeader(1)"), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), telefon);
    EXPECT_EQ(telefon->selectedText(), QStringLiteral("0711"));
    EXPECT_EQ(telefon->selectionStart(), 0);

    QTest::mouseClick(Kind<QLabel>(*dlg, "lblHeader(2)"), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), kommentar);
    EXPECT_EQ(kommentar->selectedText(), QStringLiteral("alt"));
    EXPECT_FALSE(telefon->hasSelectedText());

    // Typing replaces the selected text.
    QTest::keyClicks(kommentar, QStringLiteral("neu"));
    EXPECT_EQ(kommentar->text(), QStringLiteral("neu"));

    // The other heads do nothing.
    QTest::mouseClick(Kind<QLabel>(*dlg, "lblHeader(0)"), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), kommentar);
}

TEST_F(SaveDialog, CancelWritesNothing) {
    struct Fall {
        const char* name;
        std::function<void(frmSpeichern&)> schliesse;
    };
    const std::vector<Fall> faelle = {
        {"Abbruch",
         [](frmSpeichern& d) {
             QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdAbbruch")),
                               Qt::LeftButton);
         }},
        {"Esc",
         [](frmSpeichern&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }},
        {"close button", [](frmSpeichern& d) { d.close(); }},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        auto dlg = Oeffne();
        fall.schliesse(*dlg);
        EXPECT_FALSE(dlg->isVisible());
        EXPECT_EQ(dlg->result(), QDialog::Rejected);
        EXPECT_FALSE(dlg->Gespeichert());
        EXPECT_FALSE(QFileInfo::exists(logbuchdatei_.Pfad()));
    }
}

TEST_F(SaveDialog, FileDialogCancelledKeepsThePath) {
    struct Fall {
        const char* name;
        QString pfad;
        QString anzeige;
    };
    const QString lang =
        QStringLiteral("/home/benutzer/Dokumente/Telefon/Gespraechsauswertung/Privat/1996/Dezember/"
                       "Weihnachten/Tarvis 12-1996.Rep");
    const std::vector<Fall> faelle = {
        {"short path shown whole", QStringLiteral("/home/benutzer/Tarvis 12-1996.Rep"),
         QStringLiteral("/home/benutzer/Tarvis 12-1996.Rep")},
        {"long path shortened", lang, QStringLiteral("/home/.../Tarvis 12-1996.Rep")},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        logbuchdatei_.SetzePfad(fall.pfad);
        chooser_.antwort.reset();
        auto dlg = Oeffne();
        QSignalSpy geaendert(&logbuchdatei_, &Logbuchdatei::PfadGeaendert);
        auto* datei = Kind<QLabel>(*dlg, "lblDatei");
        QTest::mouseDClick(datei, Qt::LeftButton);

        EXPECT_EQ(chooser_.titel, QStringLiteral("Bitte die gewünschte Logbuchdatei angeben"));
        EXPECT_EQ(chooser_.anfang, fall.pfad);
        EXPECT_EQ(chooser_.filter, QStringList({QStringLiteral("Reportdateien (*.Rep)"),
                                                QStringLiteral("Textdateien (*.txt)"),
                                                QStringLiteral("Alle Dateien (*)")}));
        EXPECT_EQ(logbuchdatei_.Pfad(), fall.pfad);
        EXPECT_EQ(geaendert.count(), 0);
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(datei->text(), fall.anzeige);
        EXPECT_LE(datei->width(), frmSpeichern::MaxDateiBreite);
        EXPECT_FALSE(QFileInfo::exists(fall.pfad));
    }
}

TEST_F(SaveDialog, ChosenFileGetsTheCallAtOnce) {
    const QString neu = dir_.filePath(QStringLiteral("anders.Rep"));
    chooser_.antwort = neu;
    auto dlg = Oeffne();
    QSignalSpy geaendert(&logbuchdatei_, &Logbuchdatei::PfadGeaendert);
    QTest::mouseClick(Kind<QLabel>(*dlg, "lblZone(4)"), Qt::LeftButton);
    // The frame around the file name answers a double click as the name itself does.
    QTest::mouseDClick(Kind<QFrame>(*dlg, "Rahmen(2)"), Qt::LeftButton, {}, QPoint(2, 2));

    EXPECT_EQ(chooser_.aufrufe, 1);
    EXPECT_EQ(logbuchdatei_.Pfad(), neu);
    ASSERT_EQ(geaendert.count(), 1);
    EXPECT_EQ(geaendert.at(0).at(0).toString(), neu);
    EXPECT_TRUE(dlg->Gespeichert());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(ReadAll(neu), KopfZeilen() + Datensatz("", 4));
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath(QStringLiteral("Tarvis 12-1996.Rep"))));
}

TEST_F(SaveDialog, OtherFramesIgnoreDoubleClicks) {
    auto dlg = Oeffne();
    QTest::mouseDClick(Kind<QFrame>(*dlg, "Rahmen(0)"), Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseDClick(Kind<QFrame>(*dlg, "Rahmen(1)"), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(chooser_.aufrufe, 0);
    EXPECT_TRUE(dlg->isVisible());
}

TEST_F(SaveDialog, FailedSaveKeepsTheDialogOpenWithTheInputs) {
    logbuchdatei_.SetzePfad(dir_.filePath(QStringLiteral("fehlt/Tarvis 12-1996.Rep")));
    auto dlg = Oeffne();
    QTest::mouseClick(Kind<QLabel>(*dlg, "lblZone(2)"), Qt::LeftButton);
    QTest::keyClicks(Kind<QLineEdit>(*dlg, "txtTelefon"), QStringLiteral("0711 123456"));
    QTest::keyClicks(Kind<QLineEdit>(*dlg, "txtKommentar"), QStringLiteral("wichtig"));

    meldungen_.ErwarteEine();
    QTest::mouseClick(Kind<QPushButton>(*dlg, "cmdOk"), Qt::LeftButton);

    EXPECT_EQ(meldungen_.anzahl, 1);
    EXPECT_TRUE(meldungen_.text.contains(logbuchdatei_.Pfad()));
    EXPECT_TRUE(meldungen_.text.contains(QStringLiteral("Datei oder Verzeichnis nicht gefunden")));
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_FALSE(dlg->Gespeichert());
    EXPECT_TRUE(Kind<QRadioButton>(*dlg, "optZone(2)")->isChecked());
    EXPECT_EQ(Kind<QLineEdit>(*dlg, "txtTelefon")->text(), QStringLiteral("0711 123456"));
    EXPECT_EQ(Kind<QLineEdit>(*dlg, "txtKommentar")->text(), QStringLiteral("wichtig"));
}

TEST_F(SaveDialog, FailedSaveIntoAChosenFileKeepsTheNewPath) {
    const QString neu = dir_.filePath(QStringLiteral("fehlt/neu.Rep"));
    chooser_.antwort = neu;
    auto dlg = Oeffne();
    meldungen_.ErwarteEine();
    QTest::mouseDClick(Kind<QLabel>(*dlg, "lblDatei"), Qt::LeftButton);

    EXPECT_EQ(meldungen_.anzahl, 1);
    EXPECT_TRUE(meldungen_.text.contains(neu));
    EXPECT_EQ(logbuchdatei_.Pfad(), neu);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_FALSE(dlg->Gespeichert());
    EXPECT_EQ(Kind<QLabel>(*dlg, "lblDatei")->text(), neu);
}

// The log file is changed from the keyboard as well: its frame takes the focus (by Tab from
// the selected zone past the boxes and buttons, by
// Shift+Tab from the zone, or by Alt+L, the caption's key) and Enter, keypad Enter or
// Space there asks for the file; the chosen file gets the call at once.
struct TastenWeg {
    const char* name;
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> tasten;
};

class SaveDialogKeys : public SaveDialog, public ::testing::WithParamInterface<TastenWeg> {};

TEST_P(SaveDialogKeys, ChangeTheLogFile) {
    const QString neu = dir_.filePath(QStringLiteral("per Taste.Rep"));
    chooser_.antwort = neu;
    auto dlg = Oeffne();
    for (const auto& [taste, modifier] : GetParam().tasten) {
        QTest::keyClick(QApplication::focusWidget(), taste, modifier);
    }
    EXPECT_EQ(chooser_.aufrufe, 1);
    EXPECT_EQ(logbuchdatei_.Pfad(), neu);
    EXPECT_TRUE(dlg->Gespeichert());
    EXPECT_EQ(ReadAll(neu), KopfZeilen() + Datensatz("", 1));
}

INSTANTIATE_TEST_SUITE_P(
    Tasten, SaveDialogKeys,
    ::testing::Values(
        TastenWeg{"TabToTheFrameAndEnter",
                  {{Qt::Key_Tab, {}},
                   {Qt::Key_Tab, {}},
                   {Qt::Key_Tab, {}},
                   {Qt::Key_Tab, {}},
                   {Qt::Key_Tab, {}},
                   {Qt::Key_Return, {}}}},
        TastenWeg{"ShiftTabAndSpace", {{Qt::Key_Backtab, Qt::ShiftModifier}, {Qt::Key_Space, {}}}},
        TastenWeg{"AltLAndKeypadEnter",
                  {{Qt::Key_L, Qt::AltModifier}, {Qt::Key_Enter, Qt::KeypadModifier}}}),
    [](const ::testing::TestParamInfo<TastenWeg>& info) { return std::string(info.param.name); });

// A single click on the log file's name or its frame leaves the focus where it was, so the
// next Enter saves the call instead of asking for another file.
TEST_F(SaveDialog, AClickOnTheFileNameKeepsEnterForSaving) {
    for (const char* ziel : {"lblDatei", "Rahmen(2)"}) {
        SCOPED_TRACE(ziel);
        QFile::remove(logbuchdatei_.Pfad());
        auto dlg = Oeffne();
        QTest::mouseClick(Kind<QWidget>(*dlg, ziel), Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_EQ(QApplication::focusWidget(), Kind<QRadioButton>(*dlg, "optZone(1)"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(chooser_.aufrufe, 0);
        EXPECT_TRUE(dlg->Gespeichert());
        EXPECT_EQ(ReadAll(logbuchdatei_.Pfad()), KopfZeilen() + Datensatz("", 1));
    }
}

// Enter on a zone button still saves: only the log file's frame takes Enter for itself.
TEST_F(SaveDialog, AltTAndAltKPutTheCursorInTheirBoxes) {
    auto dlg = Oeffne();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_K, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Kind<QLineEdit>(*dlg, "txtKommentar"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Kind<QLineEdit>(*dlg, "txtTelefon"));
    EXPECT_EQ(chooser_.aufrufe, 0);
}

TEST_F(SaveDialog, AScreenReaderReadsEveryInputByItsCaption) {
    auto dlg = Oeffne();
    const struct {
        const char* objekt;
        QAccessible::Role rolle;
        const char* name;
    } erwartet[] = {
        {"optZone(1)", QAccessible::RadioButton, "City"},
        {"optZone(2)", QAccessible::RadioButton, "Region 50"},
        {"optZone(3)", QAccessible::RadioButton, "Region 200"},
        {"optZone(4)", QAccessible::RadioButton, "Fern"},
        {"txtTelefon", QAccessible::EditableText, "Telefonnummer:"},
        {"txtKommentar", QAccessible::EditableText, "Kommentar:"},
        {"cmdOk", QAccessible::Button, "Ok"},
        {"cmdAbbruch", QAccessible::Button, "Abbruch"},
    };
    for (const auto& e : erwartet) {
        SCOPED_TRACE(e.objekt);
        QAccessibleInterface* zugang = test::Zugang(Kind<QWidget>(*dlg, e.objekt));
        ASSERT_NE(zugang, nullptr);
        EXPECT_EQ(zugang->text(QAccessible::Name), QString::fromUtf8(e.name));
        EXPECT_EQ(zugang->role(), e.rolle);
    }
    // The log file's frame tells what it holds and how to change it; it acts as a button, and
    // the frames around the zones and the inputs are groups.
    QAccessibleInterface* rahmen = test::Zugang(Kind<QFrame>(*dlg, "Rahmen(2)"));
    ASSERT_NE(rahmen, nullptr);
    EXPECT_EQ(rahmen->role(), QAccessible::Button);
    EXPECT_EQ(test::Zugang(Kind<QFrame>(*dlg, "Rahmen(0)"))->role(), QAccessible::Grouping);
    EXPECT_EQ(test::Zugang(Kind<QFrame>(*dlg, "Rahmen(1)"))->role(), QAccessible::Grouping);
    EXPECT_EQ(rahmen->text(QAccessible::Name),
              QStringLiteral("Logbuchdatei: ") + logbuchdatei_.Pfad());
    EXPECT_TRUE(rahmen->text(QAccessible::Description).contains(QStringLiteral("Eingabe")));
}

TEST_F(SaveDialog, EveryControlShowsItsFocus) {
    auto dlg = Oeffne();
    // Tab visits the selected zone only; the arrow keys move among the zones.
    const std::vector<QString> folge = test::PruefeSichtbarenFokus(*dlg);
    EXPECT_EQ(folge, (std::vector<QString>{"optZone(1)", "txtTelefon", "txtKommentar", "cmdOk",
                                           "cmdAbbruch", "Rahmen(2)"}));
}

// Under a dark scheme an unchecked zone button is still drawn light on the grey ground, not as
// a dark disc that looks checked.
TEST_F(SaveDialog, UnderDarkSchemesTheZoneButtonsStayLight) {
    const QPalette vorher = QApplication::palette();
    for (const QPalette& schema : {test::DunklePalette(), test::DunklerHoherKontrast()}) {
        QApplication::setPalette(schema);
        frmSpeichern dlg(test::BeispielAnruf(), logbuchdatei_, chooser_);
        for (int zone : AlleZonen) {
            const QPalette& p =
                Kind<QRadioButton>(dlg, QStringLiteral("optZone(%1)").arg(zone).toLatin1())
                    ->palette();
            EXPECT_GE(test::Leuchtdichte(p.color(QPalette::Base)), 0.5) << zone;
            EXPECT_GE(test::Kontrast(p.color(QPalette::Base), p.color(QPalette::Text)), 7.0);
        }
    }
    QApplication::setPalette(vorher);
}

TEST_F(SaveDialog, UnderADarkSchemeNoTextOnAFixedGroundReadsWorse) {
    const auto baue = [this]() -> std::unique_ptr<QWidget> {
        return std::make_unique<frmSpeichern>(test::BeispielAnruf(), logbuchdatei_, chooser_);
    };
    EXPECT_GT(test::LabelsAufFestemGrund(baue), 8);
    const std::vector<test::KontrastMangel> maengel = test::KontrastMaengel(baue);
    EXPECT_TRUE(maengel.empty()) << test::Beschreibe(maengel);
}

// Another program holds the log: the dialog tries for a while, the program's clock goes on
// meanwhile, then it says why and stays open with nothing written.
TEST_F(SaveDialog, ALogLockedByAnotherProgramIsReportedAndTheClockGoesOn) {
    ASSERT_TRUE(AppendCallRecord(logbuchdatei_.Pfad(), test::BeispielAnruf().MitZone(1, {})));
    const QByteArray vorher = ReadAll(logbuchdatei_.Pfad());
    const int anderes = ::open(QFile::encodeName(logbuchdatei_.Pfad()).constData(), O_RDONLY);
    ASSERT_EQ(::flock(anderes, LOCK_EX), 0);
    auto dlg = Oeffne();
    QTimer uhr;
    int ticks = 0;
    // Ticks while the save waits, not those while the message is shown.
    QObject::connect(&uhr, &QTimer::timeout, &uhr, [this, &ticks] {
        ticks += meldungen_.anzahl == 0 &&
                 qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) == nullptr;
    });
    uhr.start(100);

    meldungen_.ErwarteEine(1000);
    QTest::keyClick(dlg.get(), Qt::Key_Return);

    EXPECT_EQ(meldungen_.anzahl, 1);
    EXPECT_TRUE(meldungen_.text.contains(GesperrtGrund())) << meldungen_.text.toStdString();
    EXPECT_GT(ticks, 0);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_FALSE(dlg->Gespeichert());
    EXPECT_EQ(ReadAll(logbuchdatei_.Pfad()), vorher);

    // Once the other program lets go, Enter saves.
    ::close(anderes);
    QTest::keyClick(dlg.get(), Qt::Key_Return);
    EXPECT_TRUE(dlg->Gespeichert());
    EXPECT_EQ(ReadAll(logbuchdatei_.Pfad()), vorher + Datensatz("", 1));
}

// A fresh account without a documents folder: the first save makes it.
TEST_F(SaveDialog, TheFirstSaveMakesAMissingDocumentsFolder) {
    const QString dokumente = dir_.filePath(QStringLiteral("Dokumente"));
    logbuchdatei_.SetzePfad(QDir(dokumente).filePath(QStringLiteral("Tarvis 12-1996.Rep")));
    logbuchdatei_.SetzeAnzulegendenOrdner(dokumente);
    auto dlg = Oeffne();
    meldungen_.ErwarteEine();
    QTest::keyClick(dlg.get(), Qt::Key_Return);
    EXPECT_EQ(meldungen_.anzahl, 0) << meldungen_.text.toStdString();
    EXPECT_TRUE(dlg->Gespeichert());
    EXPECT_TRUE(ReadAll(logbuchdatei_.Pfad()).startsWith(KopfZeilen()));
}

} // namespace
} // namespace tarvis
