#include "calllog/LogReader.h"

#include "calllog/LogLine.h"
#include "platform/SystemReason.h"

#include <QFile>
#include <QIODevice>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvis {

namespace {

// Longer than any line the writer produces by far; a longer line is no record.
constexpr std::size_t MaxZeilenLaenge = 4096;
constexpr qint64 BlockGroesse = 64 * 1024;

// Cuts the bytes of a device into lines and reads each. A call is handed on only when the line
// after its record is known, since that line may be its comment.
class ZeilenLeser {
public:
    explicit ZeilenLeser(LogEmpfaenger& empfaenger) : empfaenger_(empfaenger) {}

    void Bytes(std::string_view block) {
        while (!block.empty()) {
            const std::size_t ende = block.find('\n');
            const std::string_view stueck = block.substr(0, ende);
            // A line wholly inside the block is read where it stands, without a copy.
            if (zeile_.empty() && !zuLang_ && ende != std::string_view::npos &&
                stueck.size() <= MaxZeilenLaenge) {
                ZeileFertig(stueck);
                block.remove_prefix(ende + 1);
                continue;
            }
            if (!zuLang_) {
                if (zeile_.size() + stueck.size() > MaxZeilenLaenge) {
                    zuLang_ = true;
                    zuLangWieSatz_ = BeginntWieSatz(zeile_ + std::string(stueck.substr(0, 8)));
                    zeile_.clear();
                } else {
                    zeile_.append(stueck);
                }
            }
            if (ende == std::string_view::npos) {
                return;
            }
            ZeileFertig(zeile_);
            zeile_.clear();
            block.remove_prefix(ende + 1);
        }
    }

    // The last line needs no line end.
    void Ende() {
        if (!zeile_.empty() || zuLang_) {
            ZeileFertig(zeile_);
            zeile_.clear();
        }
        GibWeiter();
    }

    std::int64_t Zeilen() const { return nummer_; }

private:
    void ZeileFertig(std::string_view zeile) {
        ++nummer_;
        if (zuLang_) {
            GibWeiter();
            if (zuLangWieSatz_) {
                empfaenger_.Unlesbar({nummer_, "Zeile zu lang"});
            }
            zuLang_ = false;
            return;
        }
        while (!zeile.empty() && zeile.back() == '\r') {
            zeile.remove_suffix(1);
        }
        GeleseneLogZeile& gelesen = zeilen_[frei_];
        LiesLogZeile(zeile, gelesen);
        if (gelesen.art == ZeilenArt::Kommentar && wartet_) {
            std::swap(zeilen_[1 - frei_].gespraech.kommentar, gelesen.kommentar);
        }
        GibWeiter();
        if (gelesen.art == ZeilenArt::Satz) {
            wartendZeile_ = nummer_;
            wartet_ = true;
            frei_ = 1 - frei_;
        } else if (gelesen.art == ZeilenArt::Unlesbar) {
            empfaenger_.Unlesbar({nummer_, gelesen.grund});
        }
    }

    void GibWeiter() {
        if (wartet_) {
            wartet_ = false;
            empfaenger_.Datensatz(zeilen_[1 - frei_].gespraech, wartendZeile_);
        }
    }

    LogEmpfaenger& empfaenger_;
    std::string zeile_;
    std::int64_t nummer_ = 0;
    bool zuLang_ = false;
    bool zuLangWieSatz_ = false;
    // Each line is read into the free one of these, which keep their memory from line to line;
    // the other holds the call of the last record line until the line after it shows whether
    // it has a comment.
    std::array<GeleseneLogZeile, 2> zeilen_;
    std::size_t frei_ = 0;
    std::int64_t wartendZeile_ = 0;
    bool wartet_ = false;
};

} // namespace

LeseErgebnis LiesLog(QIODevice& quelle, LogEmpfaenger& empfaenger,
                     const std::function<bool(std::int64_t)>& weiter) {
    LeseErgebnis ergebnis;
    ZeilenLeser leser(empfaenger);
    std::array<char, BlockGroesse> block{};
    for (;;) {
        errno = 0;
        const qint64 n = quelle.read(block.data(), BlockGroesse);
        if (n < 0) {
            const int fehlernummer = errno;
            ergebnis.gelesen = false;
            ergebnis.fehler = fehlernummer != 0 ? SystemGrund(fehlernummer) : quelle.errorString();
            break;
        }
        if (n == 0 && (!quelle.isSequential() || !quelle.waitForReadyRead(-1))) {
            break;
        }
        ergebnis.bytes += n;
        leser.Bytes(std::string_view(block.data(), static_cast<std::size_t>(n)));
        if (weiter && !weiter(ergebnis.bytes)) {
            ergebnis.gelesen = false;
            break;
        }
    }
    leser.Ende();
    ergebnis.zeilen = leser.Zeilen();
    return ergebnis;
}

std::optional<QString> OeffneLog(QFile& datei, const QString& pfad, bool nurDateien) {
    const int fd = ::open(QFile::encodeName(pfad).constData(),
                          O_RDONLY | O_CLOEXEC | (nurDateien ? O_NONBLOCK : 0));
    if (fd < 0) {
        return SystemGrund(errno);
    }
    struct stat info {};
    int fehlernummer = ::fstat(fd, &info) == 0 ? 0 : errno;
    if (fehlernummer == 0 && S_ISDIR(info.st_mode)) {
        fehlernummer = EISDIR;
    }
    if (fehlernummer == 0 && nurDateien && !S_ISREG(info.st_mode)) {
        ::close(fd);
        return QStringLiteral("Es ist keine gewöhnliche Datei");
    }
    if (nurDateien) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    if (fehlernummer == 0 && datei.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        return std::nullopt;
    }
    ::close(fd);
    return SystemGrund(fehlernummer != 0 ? fehlernummer : EIO);
}

} // namespace tarvis
