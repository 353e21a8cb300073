#pragma once
// The printers of this system, from CUPS, and the source that the program's printer questions go
// to (tests put a fixed list in its place).

#include <memory>

#include "platform/printers.h"

namespace ov::platform {

// The printers that CUPS knows (local queues and those it shares in) with their device URI as
// port and their make and model as driver. Empty when no CUPS server answers.
class CupsPrinterSource : public PrinterSource {
public:
    std::vector<PrinterInfo> printers() const override;
};

// The source the program asks: CUPS unless a test has set another. Set it on the
// user-interface thread before other threads ask.
const PrinterSource& printerSource();
// Puts a source in place of CUPS; nullptr goes back to CUPS.
void setPrinterSource(std::unique_ptr<PrinterSource> source);

}  // namespace ov::platform
