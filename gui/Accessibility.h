#pragma once

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <functional>

class QAbstractItemView;
class QFrame;

namespace tarvis {

// A label that shows a figure. A screen reader reads it by a name that holds what the figure
// means together with the figure it shows now ("City: 3 Einheiten"); the name is made from the
// text whenever it is asked for, so it never lags behind the text.
//
// Each change of text is announced to a listening screen reader, as Qt does for any label,
// unless the label is quiet: a quiet label (a running duration, ten changes a second) tells
// nobody until Melde() is called, when there is news worth hearing.
class WertLabel final : public QLabel {
    Q_OBJECT

public:
    using NamensRegel = std::function<QString(const QString& text)>;
    enum class Meldung { BeiAenderung, Leise };

    explicit WertLabel(QWidget* parent);

    void SetzeName(NamensRegel regel, Meldung meldung = Meldung::BeiAenderung);
    // The name is `vorne`, the text and `hinten`; with an empty text it is `vorne` alone,
    // without the colon and blank that usually end it.
    void SetzeName(const QString& vorne, const QString& hinten = {},
                   Meldung meldung = Meldung::BeiAenderung);
    QString ZugangsName() const;

    // A label that tells of something gone wrong (an input error) is read as an alert.
    void SetzeRolle(QAccessible::Role rolle) { rolle_ = rolle; }
    QAccessible::Role Rolle() const { return rolle_; }

    // Tells a listening screen reader that the figure now reads as the name says.
    void Melde();
    // Announces the text as an alert, for an error the user has to hear at once.
    void Alarm();

private:
    NamensRegel regel_;
    QAccessible::Role rolle_ = QAccessible::StaticText;
};

// Says something to a screen reader at once, whatever has the focus (Orca passes over alerts and
// changed names of objects without the focus). Nothing is seen on the screen.
class Ansage final : public QObject {
    Q_OBJECT

public:
    explicit Ansage(QWidget* fenster);
    void Sage(const QString& text);

private:
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0) // Qt's own announcement, see Sage()
    QWidget* fenster_;
#else
    WertLabel* label_;
#endif
};

// Says `text` to a screen reader at once, through the announcement of the widget's window (made
// the first time it is needed). The one way the windows announce something that has no focus
// of its own: the value of a list box moved by the arrow keys, a count, a new order.
void SageAn(QWidget* widget, const QString& text);

// A list box that a screen reader reads by its label, the value chosen and its role ("Monat:
// Alle Monate, combo box"), and whose new value is said when the arrow keys change it. Qt's own
// list box gives the value chosen as its name and marks no entry of its list as selected until
// the list has been opened, so Orca said its label alone and nothing on a change.
class AuswahlListe final : public QComboBox {
    Q_OBJECT

public:
    explicit AuswahlListe(QWidget* parent = nullptr);
};

// A table that the keyboard enters speaks its current row: Qt tells a screen reader of the
// current cell only when it changes, so Tab into a table with a current cell said the table alone.
void SprichtZeileBeimBetreten(QAbstractItemView* tabelle);

// A text field that a screen reader hears by its name when the keyboard moves the focus into it.
// Qt tells of the cursor put into the field before it tells of the focus, and Orca, taking the
// cursor's field for the focus already, said nothing of an empty field at all.
void SprichtFeldBeimBetreten(QWidget* feld);

// Makes the label the caption of the field (its mnemonic moves the focus there) and names the label
// by its text without the mnemonic's '&': Qt 6.8 gives a screen reader the text as it stands, so
// Orca read "&Monat:", where Qt 6.4 took the '&' out itself.
void SetzeBeschriftung(QLabel* label, QWidget* feld);

// Installs the program's accessible interfaces (figures, frames); once is enough, more is harmless.
void RichteZugangEin();

// Frames reach a screen reader as groups named after what they hold (a frame would otherwise be
// read as a window of its own, and a screen reader's review of the window would stop at its
// edge). A frame that takes the focus and acts on Enter or Space is read as a button.
void SetzeGruppenName(QFrame* rahmen, const QString& name);

// Tells a screen reader of a field's input error: the message becomes the field's description,
// and with `fokus` the focus goes to the field, so the message is read with it. An empty message
// takes the description away again.
void MeldeEingabeFehler(QWidget* feld, const QString& meldung, bool fokus);

// A control that draws no sign of its own when it has the keyboard focus (a scroll bar, a
// frame) gets the style's focus frame drawn over it while it has the focus.
void ZeigtFokus(QWidget* control);

// The style marks the focus only once the keyboard has moved it; a window opened from the
// keyboard shows at once where the focus stands.
void FokusVonAnfangAnSichtbar(QWidget* fenster);

} // namespace tarvis
