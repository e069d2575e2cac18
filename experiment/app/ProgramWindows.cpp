#include "kelvane/app/ProgramWindows.h"

#include "kelvane/runexp/RunExp.h"

#include <memory>

namespace kelvane {

void wireExperimentWindow(EditorHooks &hooks, RunExp &experiment)
{
    hooks.showExperimentWindow = [&experiment](std::function<void()> closed) {
        // One connection per opening, so that a later opening does not tell twice.
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = QObject::connect(&experiment, &RunExp::closed, &experiment,
                                       [connection, closed = std::move(closed)] {
                                           QObject::disconnect(*connection);
                                           closed();
                                       });
        experiment.show();
        experiment.raise();
        experiment.activateWindow();
    };
}

} // namespace kelvane
