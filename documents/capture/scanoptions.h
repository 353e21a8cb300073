#pragma once
// The scanner's settings dialog of our own: resolution, colour mode and source, from what the
// device offers; nullopt when the user cancels.

#include "core/types.h"
#include "platform/scanner/scanner.h"

#include <QStringList>
#include <optional>
#include <vector>

class QWidget;

namespace ov {

std::optional<platform::ScannerSettings> AskScanSettingsDialog(
    QWidget* parent, THS_Language language, const QStringList& modes, const QStringList& sources,
    const std::vector<int>& resolutions, const platform::ScannerSettings& current);

}  // namespace ov
