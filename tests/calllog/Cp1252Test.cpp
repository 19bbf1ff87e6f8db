#include "calllog/Cp1252.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace tarvis {
namespace {

TEST(Cp1252, SystemConverterKnowsTheCodePage) {
    // Without it the program falls back to its own table; the comparison below shows both
    // give the same bytes.
    EXPECT_TRUE(QStringEncoder("windows-1252").isValid());
}

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

TEST(Cp1252, OwnTableAgreesWithTheSystemConverter) {
    for (char32_t c = 0x20; c <= 0xFFFF; ++c) {
        if (c == 0x7F || (c >= 0xD800 && c <= 0xDFFF)) {
            continue;
        }
        const int byte = Cp1252Byte(c);
        const QByteArray erwartet(1, byte < 0 ? '?' : static_cast<char>(byte));
        ASSERT_EQ(Cp1252Text(QChar(static_cast<char16_t>(c))), erwartet)
            << "U+" << std::hex << unsigned(c);
    }
}

} // namespace
} // namespace tarvis
