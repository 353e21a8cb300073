#include "documents/capture/scanoptions.h"

#include "documents/versions/versionui.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// The Chinese names of the modes and sources SANE's drivers commonly offer; other values are
// shown as the device names them.
QString choiceText(THS_Language language, const QString& value) {
    static const struct {
        const char16_t *value, *cn;
    } names[] = {{u"Color", u"彩色"},
                 {u"Gray", u"灰度"},
                 {u"Lineart", u"黑白"},
                 {u"Halftone", u"半色调"},
                 {u"Flatbed", u"平板"},
                 {u"Automatic Document Feeder", u"自动进纸器"},
                 {u"ADF", u"自动进纸器"},
                 {u"ADF Duplex", u"自动进纸器（双面）"}};
    if (language != HSL_CN) return value;
    for (const auto& n : names)
        if (value == QStringView(n.value)) return QString::fromUtf16(n.cn);
    return value;
}

// Each item shows its text and keeps the device's value as its data.
QComboBox* choiceBox(THS_Language language, const QStringList& items, const QString& current,
                     const QString& name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const QString& item : items) box->addItem(choiceText(language, item), item);
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
        choiceBox(language, dpis, QString::number(current.resolution), u"cbResolution"_s, &dialog);
    auto* mode = choiceBox(language, modes, current.mode, u"cbMode"_s, &dialog);
    auto* source = choiceBox(language, sources, current.source, u"cbSource"_s, &dialog);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(LangText(language, u"确定"_s, u"OK"_s));
    buttons->button(QDialogButtonBox::Cancel)->setText(LangText(language, u"取消"_s, u"Cancel"_s));
    auto* form = new QFormLayout(&dialog);
    form->addRow(LangText(language, u"分辨率 (dpi)："_s, u"Resolution (dpi):"_s), resolution);
    form->addRow(LangText(language, u"颜色模式："_s, u"Colour mode:"_s), mode);
    form->addRow(LangText(language, u"来源："_s, u"Source:"_s), source);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return platform::ScannerSettings{resolution->currentData().toString().toInt(),
                                     mode->currentData().toString(),
                                     source->currentData().toString()};
}

}  // namespace ov
