#include "client/webmodule_preview.h"

#include <memory>

#include "client/mainwindow.h"
#include "client/viewerchoice.h"
#include "client/webmodule.h"
#include "documents/preview/previewbase.h"

namespace ov {

namespace {

class WebPreviewHost : public PreviewHost {
public:
    explicit WebPreviewHost(TWebModule& module) : m_module(module) {}
    QWidget* mainWindow() const override { return m_module.MainFrm(); }
    TPreViewHint* hintWindow() const override { return m_module.HintOfPreviewFrm(); }
    QRect lastPreviewRect() const override { return m_module.LastPreviewRect(); }
    THS_Language language() const override { return m_module.Language(); }
    QString clientPath() const override { return m_module.ClientPath(); }
    // A previewer is released by closing its viewer and deleting its copy; any other window
    // is only freed.
    void addForm(QWidget* form) override {
        if (auto* preview = dynamic_cast<TPreviewBaseFrm*>(form))
            m_module.FrmList().AddPreview(preview);
        else
            m_module.FrmList().Add(form, {});
    }

private:
    TWebModule& m_module;
};

}  // namespace

void UseViewerPreview(TWebModule& module) {
    auto host = std::make_shared<WebPreviewHost>(module);
    module.Forms().Preview = [host](const QString& cmd) { return DoPreview(cmd, *host); };
}

TWebModule* AttachWebModule(TQUEXClientFrm& mainForm) {
    if (auto* module = mainForm.findChild<TWebModule*>(QString(), Qt::FindDirectChildrenOnly))
        return module;
    auto* module = new TWebModule(&mainForm);
    UseViewerPreview(*module);
    mainForm.SetWebCmdTick([module] { module->DoWebMessage(); });
    return module;
}

}  // namespace ov
