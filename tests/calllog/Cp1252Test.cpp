#include "calllog/Cp1252.h"

#include <QList>
#include <QStringEncoder>
#include <gtest/gtest.h>

namespace tarvis {
namespace {

TEST(Cp1252, CharactersBecomeOneByteEach) {
    struct Fall {
        const char* name;
        QString text;
        QByteArray bytes;
    };
    const std::vector<Fall> faelle = {
        {"ascii", QStringLiteral("0711 123456"), "0711 123456"},
        {"umlauts of the heading", QStringLiteral(u"äüÄÖÜß"), "\xE4\xFC\xC4\xD6\xDC\xDF"},
        {"euro and quotes live in 80..9F", QStringLiteral(u"€„“™Ÿ"), "\x80\x84\x93\x99\x9F"},
        {"no-break space", QStringLiteral(u"\u00A0"), "\xA0"},
        {"latin extended is not in the page", QStringLiteral(u"Łódź"), "?\363d?"},
        {"greek", QStringLiteral(u"αβγ"), "???"},
        {"emoji is one character", QStringLiteral(u"a😀b"), "a?b"},
        {"two emoji", QStringLiteral(u"😀😀"), "??"},
        {"lone surrogate", QString(QChar(0xD83D)) + QLatin1Char('x'), "?x"},
        {"line breaks and tabs", QStringLiteral("a\r\nb\tc"), "a??b?c"},
        {"delete", QString(QChar(0x7F)), "?"},
        {"C1 controls, also those the converter passes through",
         QStringLiteral(u"\u0081\u0085\u009D"), "???"},
        {"byte order mark is a character too", QString(QChar(0xFEFF)), "?"},
        {"question mark stays", QStringLiteral("?"), "?"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(Cp1252Text(fall.text).toHex(' '), fall.bytes.toHex(' '));
    }
}

// The program's own table, used where the system converter lacks the code page, against that
// converter where it has it.
TEST(Cp1252, OwnTableAgreesWithTheSystemConverter) {
    QStringEncoder system("windows-1252");
    if (!system.isValid()) {
        GTEST_SKIP() << "this system's Qt has no converter for code page 1252 to compare with";
    }
    for (char32_t c = 0x20; c <= 0xFFFF; ++c) {
        if (c == 0x7F || (c >= 0x80 && c <= 0x9F) || (c >= 0xD800 && c <= 0xDFFF)) {
            continue; // control characters and surrogates are no characters of a text
        }
        QStringEncoder kodierer("windows-1252");
        const QString zeichen(QChar(static_cast<char16_t>(c)));
        const QByteArray bytes = kodierer.encode(zeichen);
        const int erwartet =
            kodierer.hasError() || bytes.size() != 1 ? -1 : static_cast<unsigned char>(bytes[0]);
        ASSERT_EQ(Cp1252Byte(c), erwartet) << "U+" << std::hex << unsigned(c);
    }
}

TEST(Cp1252, BytesReadBackAsUtf8) {
    EXPECT_EQ(Utf8AusCp1252("0711 123456"), "0711 123456");
    EXPECT_EQ(Utf8AusCp1252("R\xFC"
                            "ckruf \xC4\xDF"),
              "R\xC3\xBC"
              "ckruf \xC3\x84\xC3\x9F");
    EXPECT_EQ(Utf8AusCp1252("\x80\x84\x99"), "\xE2\x82\xAC\xE2\x80\x9E\xE2\x84\xA2");
    EXPECT_EQ(Utf8AusCp1252("\x81"), "\xEF\xBF\xBD"); // undefined in the code page
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        const std::string einzeln(1, static_cast<char>(byte));
        if (Cp1252Byte(QString::fromStdString(Utf8AusCp1252(einzeln)).toUcs4().front()) == byte) {
            continue;
        }
        EXPECT_TRUE(byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 ||
                    byte == 0x9D)
            << std::hex << byte;
    }
}

} // namespace
} // namespace tarvis
