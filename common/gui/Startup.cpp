#include "Startup.h"

#include "Dialogs.h"
#include "SingleInstance.h"

#include <map>
#include <memory>

namespace gl {

bool prepareProgram(const QString& title, const QString& duplicateMessage, const QString& folder,
                    const QList<Store>& stores)
{
    // Held until the process ends; a crashed copy's lock is taken over by the next start.
    static std::map<QString, std::unique_ptr<SingleInstance>> locks;
    std::unique_ptr<SingleInstance>& lock = locks[title];
    if (!lock) {
        auto candidate = std::make_unique<SingleInstance>(title);
        if (!candidate->tryAcquire()) {
            MsgWarn(duplicateMessage);
            return false;
        }
        lock = std::move(candidate);
    }
    QString error;
    for (Store store : stores) {
        if (!openStore(store, folder, &error)) {
            MsgWarn(error);
            return false;
        }
    }
    return true;
}

} // namespace gl
