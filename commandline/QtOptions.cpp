#include "commandline/QtOptions.h"

namespace tarvis {

namespace {

// The options of Qt's own that a window takes (with one dash or two); those marked take a value.
struct QtOption {
    const char* name;
    bool mitWert;
};
constexpr QtOption QtFensterOptionen[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"display", true},
    {"geometry", true},
    {"style", true},
    {"stylesheet", true},
    {"session", true},
    {"name", true},
    {"title", true},
    {"visual", true},
    {"fontengine", true},
    {"reverse", false},
    {"widgetcount", false},
    {"nograb", false},
    {"dograb", false},
    {"sync", false},
};

// The Qt option an argument names, if it names one.
const QtOption* QtOptionVon(const QString& argument) {
    QString name = argument;
    if (name.startsWith(QLatin1String("--"))) {
        name.remove(0, 1);
    }
    if (!name.startsWith(QLatin1Char('-'))) {
        return nullptr;
    }
    name = name.mid(1).section(QLatin1Char('='), 0, 0);
    for (const QtOption& option : QtFensterOptionen) {
        if (name == QLatin1String(option.name)) {
            return &option;
        }
    }
    return nullptr;
}

} // namespace

QStringList OhneQtOptionen(const QStringList& argumente) {
    QStringList rest;
    for (qsizetype i = 0; i < argumente.size(); ++i) {
        const QtOption* option = i > 0 ? QtOptionVon(argumente[i]) : nullptr;
        if (option == nullptr) {
            rest << argumente[i];
        } else if (option->mitWert && !argumente[i].contains(QLatin1Char('='))) {
            ++i;
        }
    }
    return rest;
}

} // namespace tarvis
