#pragma once
// The eDrawings previewers: one form per generation of the eDrawings control (below 12, 12.x,
// 13.x, 14 and later). Each is a previewer of the base form with a tool bar that drives the
// control's view (fit, zoom, rotate, pan, shading, home) and, from 13 on, a paper colour box.
// The control is an outside component: a factory creates it, and where it is not installed the
// form shows the installation hint and removes the downloaded copy.

#include <QColor>
#include <QString>
#include <functional>

#include "documents/preview/previewbase.h"

class QComboBox;
class QTimer;
class QToolBar;
class QToolButton;

namespace ov {

// What the forms use of the eDrawings control.
class EDrawingsControl : public QWidget {
public:
    using QWidget::QWidget;
    virtual void OpenDoc(const QString& fileName, bool a, bool b, bool c, const QString& d) = 0;
    virtual void CloseActiveDoc(const QString& name) = 0;
    virtual void SetViewOperator(int value) = 0;
    virtual void SetViewOrientation(int value) = 0;
    virtual bool ViewState(int index) const = 0;
    virtual void SetViewState(int index, bool value) = 0;
    virtual void SetPaperColor(const QColor& color) = 0;
    virtual void SetPaperColorOverride(bool value) = 0;
    virtual void Refresh() = 0;
};

// Creates the control of a class id with the given parent; null when it is not installed.
using EDrawingsControlFactory =
    std::function<EDrawingsControl*(const QString& classId, QWidget* parent)>;
// Puts a factory in place of the system's (which has no control); an empty one goes back.
void SetEDrawingsControlFactory(EDrawingsControlFactory factory);

// The family's common part; the generation decides the class id and the control's placement.
class TEDrawingPreViewBase : public TPreviewBaseFrm {
    Q_OBJECT
public:
    ~TEDrawingPreViewBase() override;

    bool CheckViewer() override { return true; }
    void LoadLocalFile(int FileType, const QString& FileName) override;
    void CloseOleObject() override;

    // The tool bar's actions; each does nothing while there is no control.
    void FitClick();
    void ZoomAreaClick();  // zoom to area
    void ZoomClick();
    void RotateClick();
    void PanClick();
    void ShadingClick();  // shading on / off
    void HomeClick();
    void PaperColorChange(const QColor& color);

    EDrawingsControl* Control() const { return FControl; }
    QString ClassId() const { return FClassId; }
    QString FilePathAndName() const { return FFilePathAndName; }

    QToolBar* ToolBar;
    QWidget* ViewArea;
    QComboBox* PaperColorBox = nullptr;  // 13 and later

protected:
    TEDrawingPreViewBase(QWidget* parent, Qt::WindowFlags flags, const QString& classId,
                         bool fitted);

private:
    void FormCreate();
    void createControl();
    void KeepFitted();

    QString FClassId;
    bool FFitted;  // 13 and later: unaligned, kept fitted by FFitTimer
    EDrawingsControl* FControl = nullptr;
    QString FFilePathAndName;
    QTimer* FFitTimer = nullptr;
};

class TEDrawingPreViewFrm : public TEDrawingPreViewBase {
    Q_OBJECT
public:
    explicit TEDrawingPreViewFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
};

class TEDrawingPreViewFrm2012 : public TEDrawingPreViewBase {
    Q_OBJECT
public:
    explicit TEDrawingPreViewFrm2012(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
};

class TEDrawingPreViewFrm2013 : public TEDrawingPreViewBase {
    Q_OBJECT
public:
    explicit TEDrawingPreViewFrm2013(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
};

class TEDrawingPreViewFrm2014 : public TEDrawingPreViewBase {
    Q_OBJECT
public:
    explicit TEDrawingPreViewFrm2014(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
};

// Compares dotted version texts number by number ("9.0" < "20.0"; "20" = "20.0.0.0000");
// missing and non-numeric parts count as 0. Negative, zero or positive.
int CompareVersionTexts(const QString& a, const QString& b);

// The form for a registered eDrawings version (compared by numbers): below 12.0 the first
// generation, then 12.x, 13.x and 14.x; null for later versions.
TEDrawingPreViewBase* CreateEDrawingsForm(const QString& version, QWidget* parent,
                                          Qt::WindowFlags flags);

}  // namespace ov
