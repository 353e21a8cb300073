#pragma once
// Where the version-control forms report to: the log window of the process, or the comparison
// window that started them (which shows the rows in its own log and reloads its lists at the
// end of a run).

#include <QString>

namespace ov {

class TVersionLogSink {
public:
    virtual ~TVersionLogSink() = default;
    // One row: the file (a name or a local path) and what happened to it.
    virtual void AddVersionLog(const QString& name, const QString& text) = 0;
    // A run is over: the lists shown may have changed.
    virtual void ReloadLists() = 0;
    // Progress of the transfer of one file (whole size, size done).
    virtual void TransferProgress(const QString& name, qint64 all, qint64 done) {
        (void)name;
        (void)all;
        (void)done;
    }
};

}  // namespace ov
