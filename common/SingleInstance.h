#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace gl {

// One copy per computer: a lock file in the temp folder named after the program title.
// The lock of a copy that crashed is taken over, since its process no longer exists.
class SingleInstance {
public:
    explicit SingleInstance(const QString& title);
    bool tryAcquire();
    QString lockPath() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace gl
