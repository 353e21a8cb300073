#include "documents/editing/editworker.h"

namespace ov {

QThreadPool& EditThreadPool() {
    static QThreadPool pool;
    return pool;
}

}  // namespace ov
