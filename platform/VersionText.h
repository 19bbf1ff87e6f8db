#pragma once

#include <QString>

namespace tarvis {

// "Tarvis32 - V1.30": product name and version as the title and the about box show them.
QString VersionsText();

// "Tarvis32 - V1.30 [Logbuchdatei: <path>]".
QString FensterTitel(const QString& logbuchdatei);

QString CopyrightText();
QString BeschreibungText(); // file description, ", ", comment, "."

} // namespace tarvis
