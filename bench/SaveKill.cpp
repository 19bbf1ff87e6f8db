// Saves one call after another into a log until it is killed; with a count, that many saves.
// scripts/measure-killed-saves.sh kills it at random moments and looks at what is left.
//   save_kill LOG namenlos|entwurf [COUNT]
// "entwurf" takes the way of a file system without files that have no name (scratch files).
#include "calllog/LogWriter.h"
#include "support/SampleCall.h"
#include "support/SystemCalls.h"

#include <QString>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    using namespace tarvis;
    if (argc < 3) {
        return 2;
    }
    static const Systemaufrufe ohneNamenlose = test::OhneNamenloseDateien();
    SpeicherArt art;
    if (std::string(argv[2]) == "entwurf") {
        art.system = &ohneNamenlose;
    }
    const QString pfad = QString::fromLocal8Bit(argv[1]);
    const Gespraech eintrag =
        test::BeispielAnruf().MitZone(1, QStringLiteral("0711 123456"), QStringLiteral("x"));
    const long anzahl = argc > 3 ? std::strtol(argv[3], nullptr, 10) : -1;
    for (long i = 0; anzahl < 0 || i < anzahl; ++i) {
        AppendCallRecord(pfad, eintrag, art);
    }
    return 0;
}
