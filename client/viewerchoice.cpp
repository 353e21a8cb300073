#include "client/viewerchoice.h"

#include <QWidget>

namespace ov {

namespace {

class NoViewers : public ViewerEnvironment {
public:
    QString officeVersion(int) const override { return {}; }
    int pdfViewerType() const override { return 0; }
    bool keyExists(const QString&) const override { return false; }
    std::optional<QString> keyDefault(const QString&) const override { return std::nullopt; }
    std::optional<QString> libraryVersion(const QString&) const override { return std::nullopt; }
};

}  // namespace

const ViewerEnvironment& systemViewerEnvironment() {
    static const NoViewers environment;
    return environment;
}

ViewerAsk dialogViewerAsk(QWidget*, THS_Language) {
    return [](const ViewerOffer&) { return ViewerAnswer{}; };
}

TViewerStyle ChooseViewer(const QString&, std::int32_t, const ViewerChoiceContext&) {
    return VS_None;
}

QString DoPreview(const QString& cmd, PreviewHost& host) {
    return DoPreview(cmd, host, systemViewerEnvironment(),
                     dialogViewerAsk(host.mainWindow(), host.language()));
}

QString DoPreview(const QString&, PreviewHost&, const ViewerEnvironment&, const ViewerAsk&) {
    return {};
}

}  // namespace ov
