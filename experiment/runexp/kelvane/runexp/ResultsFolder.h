#pragma once

#include "kelvane/options/SettingsStore.h"

#include <QString>

namespace kelvane {

// Where subject files go: the folder last chosen, kept in the settings store, or the
// current folder when none was chosen.
QString resultsFolder(const SettingsStore &store);
void rememberResultsFolder(SettingsStore &store, const QString &folder);

} // namespace kelvane
