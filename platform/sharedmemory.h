#pragma once
// Named shared memory of the current user: a POSIX shared-memory object with mode 0600 whose
// name carries the user id, so another user can neither read it nor put one in its place.

#include <QByteArray>
#include <QString>
#include <memory>

namespace ov::platform {

class SharedMemory {
public:
    // Creates (or opens the user's own) object "/<name>-<uid>" of `size` bytes and maps it.
    // Null when it cannot be created, belongs to someone else, or is open to other users.
    static std::unique_ptr<SharedMemory> create(const QString& name, qsizetype size);
    // Opens an existing object of the user for reading; null when there is none.
    static std::unique_ptr<SharedMemory> open(const QString& name, qsizetype size);
    // The object's file name below /dev/shm ("/<name>-<uid>").
    static QString objectName(const QString& name);

    ~SharedMemory();
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;

    qsizetype size() const { return m_size; }
    // Zero-fills the whole object, then copies `data` to its start; false when `data` does
    // not fit (the object is then left zero-filled).
    bool write(const QByteArray& data);
    QByteArray read() const;
    // Removes the name (the mapping stays usable until this object goes).
    void unlink();

private:
    SharedMemory(QByteArray name, void* memory, qsizetype size)
        : m_name(std::move(name)), m_memory(memory), m_size(size) {}
    static std::unique_ptr<SharedMemory> map(const QString& name, qsizetype size, bool create);

    QByteArray m_name;
    void* m_memory;
    qsizetype m_size;
};

}  // namespace ov::platform
