#include "platform/singleinstance.h"

#include "platform/folders.h"

namespace ov::platform {

namespace {

bool validName(const QString& name) {
    return !name.isEmpty() && name.size() <= 200 && !name.contains(QLatin1Char('/')) &&
           !name.contains(QChar(0)) && name != QLatin1String(".") && name != QLatin1String("..");
}

}  // namespace

SingleInstance::SingleInstance(const QString& name) {
    if (validName(name)) m_fileName = runtimeFolder() + name + QStringLiteral(".lock");
}

SingleInstance::~SingleInstance() {
    release();
}

SingleInstance::State SingleInstance::acquire(int timeoutMs) {
    if (m_fileName.isEmpty()) return State::Failed;
    if (isOwner()) return State::Owner;
    m_lock = std::make_unique<QLockFile>(m_fileName);
    // A live owner never lets go by itself, so a lock is only stale when its owner is gone,
    // which QLockFile finds out by the process id kept in the file.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(timeoutMs)) return State::Owner;
    const QLockFile::LockError error = m_lock->error();
    m_lock.reset();
    return error == QLockFile::LockFailedError ? State::Held : State::Failed;
}

bool SingleInstance::isOwner() const {
    return m_lock && m_lock->isLocked();
}

void SingleInstance::release() {
    if (m_lock) m_lock->unlock();
    m_lock.reset();
}

}  // namespace ov::platform
