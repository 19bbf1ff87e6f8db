#pragma once

// What a screen reader, a keyboard user and a dark colour scheme meet in a window, read in the
// test process: accessible names, roles and values through Qt's accessibility interfaces, the
// events a listening screen reader would get, the focus frame of each control in the Tab chain,
// and the contrast of every label on a fixed ground under a dark palette.

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <vector>

namespace tarvis::test {

inline QAccessibleInterface* Zugang(QObject* objekt) {
    QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(objekt);
    EXPECT_NE(zugang, nullptr) << objekt->objectName().toStdString();
    return zugang;
}

inline QString ZugangsName(QObject* objekt) {
    QAccessibleInterface* zugang = Zugang(objekt);
    return zugang != nullptr ? zugang->text(QAccessible::Name) : QString();
}

// One event a screen reader would have been sent.
struct ZugangsEreignis {
    QString objekt;
    QAccessible::Event art;
    QString name; // the object's name at the moment of the event
};

// Records what Qt sends to a listening screen reader while it lives: with it, accessibility is
// switched on in the test process as an assistive tool would switch it on.
class ZugangsLauscher {
public:
    ZugangsLauscher() {
        Ereignisse().clear();
        vorher_ = QAccessible::installUpdateHandler(&Merke);
        Schalter(true);
    }
    ~ZugangsLauscher() {
        Schalter(false);
        QAccessible::installUpdateHandler(vorher_);
    }
    ZugangsLauscher(const ZugangsLauscher&) = delete;
    ZugangsLauscher& operator=(const ZugangsLauscher&) = delete;

    void Vergiss() { Ereignisse().clear(); }
    const std::vector<ZugangsEreignis>& Alle() const { return Ereignisse(); }
    int Anzahl(const QString& objekt, QAccessible::Event art) const {
        return static_cast<int>(
            std::count_if(Ereignisse().begin(), Ereignisse().end(), [&](const ZugangsEreignis& e) {
                return e.objekt == objekt && e.art == art;
            }));
    }
    // What was said to a screen reader at once (tarvis::Ansage): Qt's own announcement from
    // Qt 6.8 on, before it the notification label that shows itself.
    std::vector<QString> Ansagen() const {
        std::vector<QString> texte;
        for (const ZugangsEreignis& e : Ereignisse()) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
            const bool ansage = e.art == QAccessible::Announcement;
#else
            const bool ansage =
                e.objekt == QLatin1String("Ansage") && e.art == QAccessible::ObjectShow;
#endif
            if (ansage) {
                texte.push_back(e.name);
            }
        }
        return texte;
    }
    int AnzahlAnsagen() const {
        return static_cast<int>(Ansagen().size());
    }
    int AnzahlVon(const QString& objekt) const {
        return static_cast<int>(
            std::count_if(Ereignisse().begin(), Ereignisse().end(),
                          [&](const ZugangsEreignis& e) { return e.objekt == objekt; }));
    }

private:
    static void Schalter(bool an) {
        QPlatformAccessibility* plattform =
            QGuiApplicationPrivate::platformIntegration()->accessibility();
        ASSERT_NE(plattform, nullptr) << "this platform has no accessibility";
        plattform->setActive(an);
    }
    static std::vector<ZugangsEreignis>& Ereignisse() {
        static std::vector<ZugangsEreignis> ereignisse;
        return ereignisse;
    }
    static void Merke(QAccessibleEvent* ereignis) {
        QObject* objekt = ereignis->object();
        QAccessibleInterface* zugang = ereignis->accessibleInterface();
        QString name = zugang != nullptr ? zugang->text(QAccessible::Name) : QString();
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        if (ereignis->type() == QAccessible::Announcement) {
            name = static_cast<QAccessibleAnnouncementEvent*>(ereignis)->message();
        }
#endif
        Ereignisse().push_back(
            {objekt != nullptr ? objekt->objectName() : QString(), ereignis->type(), name});
    }

    QAccessible::UpdateHandler vorher_ = nullptr;
};

// Contrast of two colours as WCAG 2.1 defines it, 1 to 21.
inline double Leuchtdichte(const QColor& farbe) {
    const auto kanal = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * kanal(farbe.redF()) + 0.7152 * kanal(farbe.greenF()) +
           0.0722 * kanal(farbe.blueF());
}
inline double Kontrast(const QColor& a, const QColor& b) {
    const double la = Leuchtdichte(a), lb = Leuchtdichte(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// How strongly a control changes when it takes the focus: the pixels whose colour changes by
// 3 : 1 or more, against the area of a frame one pixel wide around the control (at least 1,
// as a focus mark must be that large), and the contrast most of those pixels change by.
struct FokusWechsel {
    double flaeche = 0;
    double kontrast = 1;
};
inline FokusWechsel MissFokusWechsel(const QImage& mit, const QImage& ohne) {
    FokusWechsel wechsel;
    if (mit.size() != ohne.size() || mit.isNull()) {
        return wechsel;
    }
    std::vector<double> starke;
    for (int y = 0; y < mit.height(); ++y) {
        for (int x = 0; x < mit.width(); ++x) {
            const double k = Kontrast(mit.pixelColor(x, y), ohne.pixelColor(x, y));
            if (k >= 3.0) {
                starke.push_back(k);
            }
        }
    }
    const double umfang = 2.0 * (mit.width() + mit.height());
    wechsel.flaeche = static_cast<double>(starke.size()) / umfang;
    if (!starke.empty()) {
        std::nth_element(starke.begin(), starke.begin() + starke.size() / 2, starke.end());
        wechsel.kontrast = starke[starke.size() / 2];
    }
    return wechsel;
}

// The figures of the last check, one line per control, for whoever wants to read them
// (TARVIS_MESSWERTE=1 prints them).
inline void ZeigeFokusWechsel(const QWidget& control, const FokusWechsel& wechsel) {
    if (qEnvironmentVariableIsSet("TARVIS_MESSWERTE")) {
        std::printf("Fokuswechsel %-16s Fläche %.2f x Umfang, Kontrast %.2f : 1\n",
                    qPrintable(control.objectName()), wechsel.flaeche, wechsel.kontrast);
    }
}

inline void PruefeFokusWechsel(const QWidget& control, const QImage& mit, const QImage& ohne) {
    const FokusWechsel wechsel = MissFokusWechsel(mit, ohne);
    ZeigeFokusWechsel(control, wechsel);
    EXPECT_GE(wechsel.flaeche, 1.0)
        << control.objectName().toStdString() << " changes too little by 3 : 1 or more";
}

// Walks the Tab chain of a shown, active window from its focused control round to it again:
// every control shows that it has the focus, by a change of 3 : 1 or more over at least the
// area of a frame one pixel wide.
// Returns the object names of the controls met, in order.
inline std::vector<QString> PruefeSichtbarenFokus(QWidget& fenster) {
    std::vector<QString> folge;
    fenster.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&fenster));
    QWidget* erster = QApplication::focusWidget();
    EXPECT_NE(erster, nullptr);
    if (erster == nullptr) {
        return folge;
    }
    // The control that has the focus when the window opens shows it before any key is pressed.
    {
        const QImage mit = erster->grab().toImage();
        erster->clearFocus();
        const QImage ohne = erster->grab().toImage();
        erster->setFocus(Qt::OtherFocusReason);
        EXPECT_NE(mit, ohne) << erster->objectName().toStdString()
                             << " does not show its focus when the window opens";
        PruefeFokusWechsel(*erster, mit, ohne);
    }
    // Then a Tab round, so the window has seen the keyboard move the focus.
    QWidget* control = erster;
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == erster) {
            break;
        }
    }
    for (int i = 0; i < 40; ++i) {
        control = QApplication::focusWidget();
        folge.push_back(control->objectName());
        const QImage mit = control->grab().toImage();
        QTest::keyClick(control, Qt::Key_Tab);
        if (QApplication::focusWidget() == control) {
            control->clearFocus(); // the only control of its window
        }
        const QImage ohne = control->grab().toImage();
        if (QApplication::focusWidget() == nullptr) {
            control->setFocus(Qt::TabFocusReason);
        }
        EXPECT_NE(mit, ohne) << control->objectName().toStdString()
                             << " looks the same with the focus as without it";
        PruefeFokusWechsel(*control, mit, ohne);
        if (QApplication::focusWidget() == erster) {
            break;
        }
    }
    return folge;
}

// A dark scheme as desktops ship it (KDE's Breeze Dark): light text on dark grounds.
inline QPalette DunklePalette() {
    QPalette p;
    const QColor hell(239, 240, 241), dunkel(35, 38, 41), feld(27, 30, 32), knopf(49, 54, 59);
    p.setColor(QPalette::Window, dunkel);
    p.setColor(QPalette::WindowText, hell);
    p.setColor(QPalette::Base, feld);
    p.setColor(QPalette::AlternateBase, knopf);
    p.setColor(QPalette::Text, hell);
    p.setColor(QPalette::Button, knopf);
    p.setColor(QPalette::ButtonText, hell);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Highlight, QColor(61, 174, 233));
    p.setColor(QPalette::HighlightedText, hell);
    p.setColor(QPalette::Light, QColor(64, 70, 76));
    p.setColor(QPalette::Midlight, QColor(56, 61, 67));
    p.setColor(QPalette::Mid, QColor(40, 44, 48));
    p.setColor(QPalette::Dark, QColor(24, 26, 28));
    p.setColor(QPalette::Shadow, QColor(16, 17, 18));
    p.setColor(QPalette::ToolTipBase, dunkel);
    p.setColor(QPalette::ToolTipText, hell);
    p.setColor(QPalette::PlaceholderText, QColor(160, 160, 160));
    return p;
}

// A dark high-contrast scheme: white and yellow on black, and disabled texts as dark as the
// ground (as desktops derive them from it).
inline QPalette DunklerHoherKontrast() {
    QPalette p(Qt::black, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, Qt::black);
    p.setColor(QPalette::Text, Qt::yellow);
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Highlight, Qt::cyan);
    p.setColor(QPalette::HighlightedText, Qt::black);
    for (const QPalette::ColorRole rolle :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::Light,
          QPalette::Midlight, QPalette::Mid, QPalette::Dark, QPalette::Shadow}) {
        p.setColor(QPalette::Disabled, rolle, Qt::black);
    }
    return p;
}

// A label whose text reads worse under a dark scheme than under the default palette, although
// its ground stays the same.
struct KontrastMangel {
    QString label;
    QString text;
    double kontrastHell;
    double kontrastDunkel;
};

// Builds the window once under the default palette and once under a dark one, and compares
// every label whose ground is the same under both (a ground the program fixes).
inline std::vector<KontrastMangel>
KontrastMaengel(const std::function<std::unique_ptr<QWidget>()>& baue) {
    struct Gesehen {
        QString name, text;
        QColor grund, schrift;
    };
    const auto lies = [&] {
        std::vector<Gesehen> labels;
        const std::unique_ptr<QWidget> fenster = baue();
        fenster->show();
        for (QLabel* label : fenster->findChildren<QLabel*>()) {
            const QPalette& p = label->palette();
            labels.push_back({label->objectName(), label->text(), p.color(QPalette::Window),
                              p.color(QPalette::WindowText)});
        }
        return labels;
    };
    const QPalette vorher = QApplication::palette();
    const std::vector<Gesehen> hell = lies();
    QApplication::setPalette(DunklePalette());
    const std::vector<Gesehen> dunkel = lies();
    QApplication::setPalette(vorher);

    std::vector<KontrastMangel> maengel;
    EXPECT_EQ(hell.size(), dunkel.size());
    for (std::size_t i = 0; i < std::min(hell.size(), dunkel.size()); ++i) {
        if (hell[i].grund != dunkel[i].grund || hell[i].text.isEmpty()) {
            continue; // the ground follows the scheme, and its text with it
        }
        const double kh = Kontrast(hell[i].grund, hell[i].schrift);
        const double kd = Kontrast(dunkel[i].grund, dunkel[i].schrift);
        if (kd + 1e-9 < kh) {
            maengel.push_back({hell[i].name, hell[i].text, kh, kd});
        }
    }
    return maengel;
}

inline std::string Beschreibe(const std::vector<KontrastMangel>& maengel) {
    std::string text;
    for (const KontrastMangel& m : maengel) {
        text += (m.label + QStringLiteral(" \"") + m.text +
                 QStringLiteral("\": %1 under the default palette, %2 under a dark one\n")
                     .arg(m.kontrastHell, 0, 'f', 2)
                     .arg(m.kontrastDunkel, 0, 'f', 2))
                    .toStdString();
    }
    return text;
}

// Counts the labels a check looked at, so a check that saw nothing cannot pass.
inline int LabelsAufFestemGrund(const std::function<std::unique_ptr<QWidget>()>& baue) {
    const std::unique_ptr<QWidget> hell = baue();
    const QPalette vorher = QApplication::palette();
    QApplication::setPalette(DunklePalette());
    const std::unique_ptr<QWidget> dunkel = baue();
    QApplication::setPalette(vorher);
    const QList<QLabel*> a = hell->findChildren<QLabel*>(), b = dunkel->findChildren<QLabel*>();
    int anzahl = 0;
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i) {
        anzahl +=
            a[i]->palette().color(QPalette::Window) == b[i]->palette().color(QPalette::Window);
    }
    return anzahl;
}

// Every label of a shown window whose text stands at less than `ziel` : 1 against its ground,
// with the figure measured; `anzahl` counts the labels measured.
inline std::string TexteUnterKontrast(QWidget& fenster, double ziel, int& anzahl) {
    std::string maengel;
    anzahl = 0;
    for (QLabel* label : fenster.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || !label->isVisibleTo(&fenster)) {
            continue;
        }
        ++anzahl;
        const QPalette& p = label->palette();
        const double k = Kontrast(p.color(QPalette::WindowText), p.color(QPalette::Window));
        if (qEnvironmentVariableIsSet("TARVIS_MESSWERTE")) {
            std::printf("Kontrast %-18s %-30s %5.2f : 1\n", qPrintable(label->objectName()),
                        qPrintable(label->text().left(30)), k);
        }
        if (k < ziel) {
            maengel += QStringLiteral("%1 \"%2\": %3 : 1\n")
                           .arg(label->objectName(), label->text())
                           .arg(k, 0, 'f', 2)
                           .toStdString();
        }
    }
    return maengel;
}

} // namespace tarvis::test
