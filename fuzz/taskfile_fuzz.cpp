// The batch task file "btr.sys" as it is found on disk, and a task's text form (also the
// payload of the server's bulk download request).

#include "fuzzsupport.h"

#include "core/batchtranconfig.h"
#include "core/batchtransport.h"
#include "core/paths.h"

#include <QFile>
#include <cstdlib>

using namespace ov;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchFolder();
    static const QString taskFile = GetLocalTempPath() + QStringLiteral("btr.sys");
    {
        QFile file(taskFile);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    TBatchTranConfig config;
    for (const TBatchTransport& task : config.GetAllTask()) {
        // Values are not escaped, so the text form need not read back alike; it must read.
        TBatchTransport again;
        StrToBatchTransport(BatchTransportToStr(task), again);
    }
    config.GetTask(config.ReadInteger(QStringLiteral("TaskCount")));
    return 0;
}
