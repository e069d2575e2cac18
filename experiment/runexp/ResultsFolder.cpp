#include "kelvane/runexp/ResultsFolder.h"

#include <QDir>

namespace kelvane {

namespace {

const QString ResultsSection = QStringLiteral("Experiment");
const QString ResultsKey = QStringLiteral("ResultsFolder");

} // namespace

QString resultsFolder(const SettingsStore &store)
{
    const QString stored = store.read(ResultsSection, ResultsKey);
    return stored.isEmpty() ? QDir::currentPath() : stored;
}

void rememberResultsFolder(SettingsStore &store, const QString &folder)
{
    store.write(ResultsSection, ResultsKey, folder);
    // A folder that could not be remembered is only asked for again next time.
    store.commit(nullptr);
}

} // namespace kelvane
