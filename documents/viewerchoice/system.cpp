// The machine's answers to the viewer choice, and the question to the user.

#include <QFileInfo>
#include <QRadioButton>

#include "documents/viewerchoice/viewerchoice.h"
#include "core/fileversion.h"
#include "documents/cad/axedselect.h"
#include "documents/pdf/pdfviewertype.h"
#include "documents/preview/previewbase.h"
#include "platform/registry.h"
#include "platform/viewerprobe.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

class SystemViewerEnvironment : public ViewerEnvironment {
public:
    QString officeVersion(int application) const override {
        return TPreviewBaseFrm::GetOfficeVer2(static_cast<std::uint8_t>(application));
    }
    int pdfViewerType() const override { return platform::pdfViewerType(platform::viewerProbe()); }
    bool keyExists(const QString& key) const override {
        return platform::viewerProbe().classKeyExists(key);
    }
    // Keys the probe denies (viewers without a counterpart here) have no value either.
    std::optional<QString> keyDefault(const QString& key) const override {
        if (!keyExists(key)) return std::nullopt;
        return platform::Registry::readString(platform::Hive::ClassesRoot, key).value_or(QString());
    }
    std::optional<QString> libraryVersion(const QString& path) const override {
        if (!QFileInfo(path).isFile()) return std::nullopt;
        return GetFileVersionText(path, u"%d.%d.%d.%d"_s);
    }
};

}  // namespace

const ViewerEnvironment& systemViewerEnvironment() {
    static const SystemViewerEnvironment environment;
    return environment;
}

ViewerAsk dialogViewerAsk(QWidget* owner, THS_Language language) {
    return [owner = QPointer<QWidget>(owner), language](const ViewerOffer& offer) {
        TAxEdSelectFrm dialog(owner, language);
        // Shown and checked in this order, so the last present one is the one checked.
        const auto offerOne = [](QRadioButton* rb, bool present) {
            if (!present) return;
            rb->setVisible(true);
            rb->setChecked(true);
        };
        offerOne(dialog.rbCaxa, offer.caxa);
        offerOne(dialog.rbED, offer.eDrawings);
        offerOne(dialog.rbAV, offer.autoVue);
        dialog.exec();
        return ViewerAnswer{dialog.Style, dialog.IsAlwaysOpenStyle};
    };
}

}  // namespace ov
