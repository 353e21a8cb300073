#pragma once
// The viewer-choice dialog: the user picks AutoVue, eDrawings or CAXA for a file type when more
// than one of them fits, and may tick a box to always use that choice. The caller shows the
// radio buttons of the viewers that fit, checks one, shows the dialog modally and then reads
// Style (0 when the dialog was closed without pressing the button) and IsAlwaysOpenStyle.

#include <QDialog>
#include <cstdint>

#include "core/types.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace ov {

class TAxEdSelectFrm : public QDialog {
    Q_OBJECT
public:
    // Captions and font by language: Chinese for HSL_CN, English otherwise. Centred on the
    // owner when there is one.
    explicit TAxEdSelectFrm(QWidget* owner, THS_Language language);

    void btnNextClick();

    QRadioButton* rbAV;
    QRadioButton* rbED;
    QRadioButton* rbCaxa;
    QCheckBox* chbAlways;
    QPushButton* btnNext;

    std::uint8_t Style = 0;          // 1 AutoVue, 3 eDrawings, 4 CAXA
    bool IsAlwaysOpenStyle = false;  // remember the choice for the file type

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setTexts(THS_Language language);
};

// The hint for engineering drawings that no installed viewer shows (Chinese for HSL_CN, English
// otherwise); lines joined by CR LF.
QString EngineeringViewerInstallText(THS_Language language);

}  // namespace ov
