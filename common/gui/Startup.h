#pragma once

#include "Db.h"

#include <QList>
#include <QString>

namespace gl {

// Start-up steps both programs share, before any window: take the one-copy lock named `title`
// (kept for the life of the process) and open the stores in `folder`. On failure the user has
// been told why (`duplicateMessage` for a second copy) and the program should end.
bool prepareProgram(const QString& title, const QString& duplicateMessage, const QString& folder,
                    const QList<Store>& stores);

} // namespace gl
