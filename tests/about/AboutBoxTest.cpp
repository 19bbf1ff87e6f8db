#include "about/AboutBox.h"

#include "platform/VersionText.h"
#include "support/AccessibilityChecks.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

using namespace tarvis;

namespace {

QLabel* AboutText(frmAbout& box, int index) {
    return box.findChild<QLabel*>(QStringLiteral("lblAboutText(%1)").arg(index));
}

} // namespace

TEST(frmAbout, ShowsTheVersionInformationAsDesigned) {
    frmAbout box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Info"));
    ASSERT_NE(AboutText(box, 1), nullptr);
    ASSERT_NE(AboutText(box, 2), nullptr);
    ASSERT_NE(AboutText(box, 3), nullptr);
    EXPECT_EQ(AboutText(box, 1)->text(), QStringLiteral("Tarvis32 - V1.30"));
    EXPECT_EQ(
        AboutText(box, 2)->text(),
        QStringLiteral("GespraechsGebuehrMonitor, Übersicht über aktuelle Telefongebühren bei "
                       "einem Telefongespräch."));
    EXPECT_FALSE(CopyrightText().isEmpty());
    EXPECT_EQ(AboutText(box, 3)->text(), CopyrightText());

    EXPECT_EQ(box.minimumSize(), QSize(5265 / 15, 4455 / 15));
    EXPECT_EQ(box.maximumSize(), box.minimumSize());
    EXPECT_EQ(box.palette().color(QPalette::Window), QColor(192, 192, 192));
    QLabel* name = AboutText(box, 1);
    EXPECT_TRUE(name->font().bold());
    EXPECT_EQ(name->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    EXPECT_FALSE(AboutText(box, 2)->font().bold());
    EXPECT_NE(box.findChild<QWidget*>(QStringLiteral("Bildrahmen")), nullptr);
    auto* linie = box.findChild<QWidget*>(QStringLiteral("Linie"));
    ASSERT_NE(linie, nullptr);
    EXPECT_EQ(linie->palette().color(QPalette::Window), QColor(128, 128, 128));
    auto* ok = box.findChild<QPushButton*>(QStringLiteral("cmdOk"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("&OK"));
    EXPECT_TRUE(ok->isDefault());
}

// Every text must show completely at the default fonts, wrapped where the label allows two lines.
TEST(frmAbout, NoTextIsClipped) {
    frmAbout box;
    for (int index = 1; index <= 3; ++index) {
        SCOPED_TRACE(index);
        QLabel* label = AboutText(box, index);
        const QRect platz = label->contentsRect();
        const QRect gebraucht =
            QFontMetrics(label->font())
                .boundingRect(platz, Qt::TextWordWrap | label->alignment(), label->text());
        EXPECT_LE(gebraucht.width(), platz.width());
        EXPECT_LE(gebraucht.height(), platz.height());
        EXPECT_TRUE(box.rect().contains(label->geometry()));
    }
}

TEST(frmAbout, OkEnterAndEscapeClose) {
    struct Fall {
        const char* name;
        Qt::Key taste; // Qt::Key_unknown: a click on OK
        int ergebnis;
    };
    const std::vector<Fall> faelle{{"OK", Qt::Key_unknown, QDialog::Accepted},
                                   {"Enter", Qt::Key_Return, QDialog::Accepted},
                                   {"Esc", Qt::Key_Escape, QDialog::Rejected}};
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        frmAbout box;
        box.show();
        QApplication::processEvents();
        box.setResult(-1);
        auto* ok = box.findChild<QPushButton*>(QStringLiteral("cmdOk"));
        if (fall.taste == Qt::Key_unknown) {
            QTest::mouseClick(ok, Qt::LeftButton);
        } else {
            QTest::keyClick(&box, fall.taste);
        }
        EXPECT_FALSE(box.isVisible());
        EXPECT_EQ(box.result(), fall.ergebnis);
    }
}

TEST(frmAbout, UnderADarkSchemeNoTextOnAFixedGroundReadsWorse) {
    const auto baue = []() -> std::unique_ptr<QWidget> { return std::make_unique<frmAbout>(); };
    EXPECT_EQ(test::LabelsAufFestemGrund(baue), 3);
    const std::vector<test::KontrastMangel> maengel = test::KontrastMaengel(baue);
    EXPECT_TRUE(maengel.empty()) << test::Beschreibe(maengel);
}

TEST(frmAbout, TheOkButtonShowsItsFocus) {
    frmAbout box;
    box.show();
    EXPECT_EQ(test::PruefeSichtbarenFokus(box), (std::vector<QString>{"cmdOk"}));
}
