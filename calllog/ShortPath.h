#pragma once

#include <QString>

namespace tarvis {

// A path shortened for display: the start of the path up to its first directory, "...", and
// the file name, e.g. "C:\...\LOG.REP" or "/home/.../Tarvis 05-1996.Rep". A path that
// cannot get shorter this way is returned unchanged.
QString DirKurzName(const QString& pLongFileName);

} // namespace tarvis
