#pragma once
// A named, per-user lock that stands in for a named mutex: a lock file in the user's runtime
// folder. The lock is released when the object goes away or the process ends (a lock left by a
// process that died is taken over).

#include <QLockFile>
#include <QString>
#include <memory>

namespace ov::platform {

class SingleInstance {
public:
    // The lock file is runtimeFolder() + name + ".lock"; the name must not hold "/" or NUL.
    explicit SingleInstance(const QString& name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    enum class State {
        Owner,   // this process holds the lock
        Held,    // another live process holds it
        Failed,  // the lock file could not be created (bad name, folder not writable)
    };

    // Tries to take the lock, waiting at most timeoutMs (0: do not wait).
    State acquire(int timeoutMs = 0);
    bool isOwner() const;
    void release();
    QString fileName() const { return m_fileName; }

private:
    QString m_fileName;
    std::unique_ptr<QLockFile> m_lock;
};

}  // namespace ov::platform
