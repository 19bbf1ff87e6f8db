#include "calllog/Cp1252.h"

#include <QStringEncoder>
#include <array>
#include <utility>

namespace tarvis {

namespace {

constexpr char Ersatz = '?';

// The bytes 80..9F, where code page 1252 differs from Latin-1.
constexpr std::array<std::pair<char32_t, int>, 27> Sonderzeichen{{
    {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86},
    {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C},
    {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95},
    {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B},
    {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F},
}};

// C0 and C1 control characters: none of them belongs in a line of the log, and the five C1
// characters that the converter passes through would reach the file as raw bytes.
constexpr bool IstSteuerzeichen(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// The system converter, asked one code point at a time: it reports a character it cannot
// hold only for the whole text, and after an error it does not reset reliably.
int SystemByte(char32_t codepunkt) {
    QStringEncoder kodierer("windows-1252");
    const QByteArray bytes = kodierer.encode(QStringView(QChar::fromUcs4(codepunkt)));
    if (kodierer.hasError() || bytes.size() != 1) {
        return -1;
    }
    return static_cast<unsigned char>(bytes[0]);
}

bool SystemKenntCp1252() {
    static const bool bekannt = QStringEncoder("windows-1252").isValid();
    return bekannt;
}

int ByteVon(char32_t codepunkt) {
    if (IstSteuerzeichen(codepunkt)) {
        return -1;
    }
    if (codepunkt < 0x80) {
        return static_cast<int>(codepunkt);
    }
    return SystemKenntCp1252() ? SystemByte(codepunkt) : Cp1252Byte(codepunkt);
}

} // namespace

QString OhneSteuerzeichen(const QString& text) {
    QString sauber = text;
    for (QChar& zeichen : sauber) {
        if (IstSteuerzeichen(zeichen.unicode())) {
            zeichen = QLatin1Char('?');
        }
    }
    return sauber;
}

int Cp1252Byte(char32_t codepunkt) {
    // The five bytes the code page leaves undefined (81, 8D, 8F, 90, 9D) hold no character.
    if (codepunkt < 0x80 || (codepunkt >= 0xA0 && codepunkt <= 0xFF)) {
        return static_cast<int>(codepunkt);
    }
    for (const auto& [zeichen, byte] : Sonderzeichen) {
        if (zeichen == codepunkt) {
            return byte;
        }
    }
    return -1;
}

std::string Utf8AusCp1252(std::string_view bytes) {
    std::string utf8;
    Utf8AusCp1252(bytes, utf8);
    return utf8;
}

void Utf8AusCp1252(std::string_view bytes, std::string& utf8) {
    // Most texts of a log are plain ASCII, which is the same in both.
    bool ascii = true;
    for (const char byte : bytes) {
        ascii = ascii && static_cast<unsigned char>(byte) < 0x80;
    }
    if (ascii) {
        utf8.assign(bytes);
        return;
    }
    utf8.clear();
    utf8.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        char32_t zeichen = b;
        if (b >= 0x80 && b <= 0x9F) {
            zeichen = U'\uFFFD';
            for (const auto& [unicode, cp] : Sonderzeichen) {
                if (cp == b) {
                    zeichen = unicode;
                }
            }
        }
        if (zeichen < 0x80) {
            utf8 += static_cast<char>(zeichen);
        } else if (zeichen < 0x800) {
            utf8 += static_cast<char>(0xC0 | (zeichen >> 6));
            utf8 += static_cast<char>(0x80 | (zeichen & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (zeichen >> 12));
            utf8 += static_cast<char>(0x80 | ((zeichen >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (zeichen & 0x3F));
        }
    }
}

QByteArray Cp1252Text(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t codepunkt = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            codepunkt = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        // A lone surrogate is no character at all; the converter answers it with no byte.
        const int byte = ByteVon(codepunkt);
        bytes.append(byte < 0 ? Ersatz : static_cast<char>(byte));
    }
    return bytes;
}

} // namespace tarvis
