#include "documents/capture/scanoptions.h"

#include "documents/versions/versionui.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QComboBox* choiceBox(const QStringList& items, const QString& current, const QString& name,
                     QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    box->setCurrentIndex(std::max<qsizetype>(0, items.indexOf(current)));
    box->setEnabled(!items.isEmpty());
    return box;
}

}  // namespace

std::optional<platform::ScannerSettings> AskScanSettingsDialog(
    QWidget* parent, THS_Language language, const QStringList& modes, const QStringList& sources,
    const std::vector<int>& resolutions, const platform::ScannerSettings& current) {
    QDialog dialog(parent);
    dialog.setObjectName(u"ScanOptionsDlg"_s);
    dialog.setWindowTitle(LangText(language, u"扫描设置"_s, u"Scan settings"_s));
    QStringList dpis;
    for (int r : resolutions) dpis << QString::number(r);
    auto* resolution =
        choiceBox(dpis, QString::number(current.resolution), u"cbResolution"_s, &dialog);
    auto* mode = choiceBox(modes, current.mode, u"cbMode"_s, &dialog);
    auto* source = choiceBox(sources, current.source, u"cbSource"_s, &dialog);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* form = new QFormLayout(&dialog);
    form->addRow(LangText(language, u"分辨率 (dpi)："_s, u"Resolution (dpi):"_s), resolution);
    form->addRow(LangText(language, u"颜色模式："_s, u"Colour mode:"_s), mode);
    form->addRow(LangText(language, u"来源："_s, u"Source:"_s), source);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return platform::ScannerSettings{resolution->currentText().toInt(), mode->currentText(),
                                     source->currentText()};
}

}  // namespace ov
