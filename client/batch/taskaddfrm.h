#pragma once
// The batch task dialog (TTaskAddFrm): completes a new task or changes an existing one:
// source and target, filters (time, size, types), schedule, file properties, security level,
// version remark, and an optional choice of individual files, whose index is built on a
// worker thread while a busy panel shows. The server pickers come through TBatchPickers.

#include <QDialog>
#include <functional>
#include <memory>

#include "client/batch/batchpickers.h"
#include "client/batch/taskaddtexts.h"
#include "client/batch/taskrules.h"
#include "core/types.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimeEdit;
class QWidget;

namespace ov {

class TCustomBathFileDeal;

class TTaskAddFrm : public QDialog {
    Q_OBJECT
public:
    TTaskAddFrm(THS_Language language, TBatchPickers pickers, QWidget* parent = nullptr);
    ~TTaskAddFrm() override;

    void SetTaskInfo(const TBatchTransport& task);
    bool IsCompleted() const { return m_completed; }
    TBatchTransport NewTaskInfo() const { return m_new; }
    // A message box (caption WLS_Hint, error icon) and the Yes/No question; tests replace them.
    std::function<void(const QString& text)> Message;
    std::function<bool(const QString& text)> Ask;
    // The folder for index files ("" : the task file's).
    QString IndexFolder;

    // The buttons' actions.
    void OkClick();
    void CancelClick();
    void SelectItemsClick();
    void SelectSourceClick();
    void SelectTargetClick();
    void SelectTypeClick();

    // The controls, named as the form names them, for tests and screenshots.
    QLineEdit* SourceEdit() const { return m_source; }
    QLineEdit* DestEdit() const { return m_dest; }
    QCheckBox* SizeCheck() const { return m_chbSize; }
    QLineEdit* MinSizeEdit() const { return m_minSize; }
    QLineEdit* MaxSizeEdit() const { return m_maxSize; }
    QLineEdit* TypeEdit() const { return m_fileType; }
    QRadioButton* ScheduledRadio() const { return m_rbTime2; }
    QComboBox* PeriodBox() const { return m_cyc; }
    QCheckBox* IncludeRootCheck() const { return m_includeRoot; }

protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();
    QGroupBox* BuildConditions();
    QGroupBox* BuildSchedule();
    QWidget* BuildBottom();
    void ApplyTexts();
    void FillSecurityLevels();
    void FillFromTask();
    TTaskInputs ReadInputs() const;
    bool Collect();
    void ShowRefusal(TRefusal refusal);
    bool BuildIndex();
    void ReviewIndex();
    void DeleteCreatedIndex();
    QString IndexBase() const;
    void EditProperties(bool fromCheckBox);

    const THS_Language m_language;
    const TTaskAddTexts m_texts;
    TBatchPickers m_pickers;
    TBatchTransport m_old;
    TBatchTransport m_new;
    int m_fid = -1;
    bool m_completed = false;
    bool m_indexCreated = false;
    QString m_prtParams;
    QString m_versionRemark;
    QString m_workRoot;
    QString m_userIdStr;
    std::unique_ptr<TCustomBathFileDeal> m_center;

    QWidget* m_busy = nullptr;
    QLabel *m_lbStyle = nullptr, *m_lbSource = nullptr, *m_lbDest = nullptr,
           *m_lblEditPrt = nullptr, *m_lbFileSC = nullptr, *m_lbUploadHint = nullptr,
           *m_busyLabel = nullptr;
    QLineEdit *m_source = nullptr, *m_dest = nullptr, *m_minSize = nullptr, *m_maxSize = nullptr,
              *m_fileType = nullptr;
    QPushButton *m_selSource = nullptr, *m_selDest = nullptr, *m_selType = nullptr,
                *m_ok = nullptr, *m_selectItems = nullptr, *m_cancel = nullptr;
    QCheckBox *m_chbDateRng = nullptr, *m_chbSize = nullptr, *m_subFolder = nullptr,
              *m_filePrt = nullptr, *m_includeRoot = nullptr, *m_keepLocal = nullptr;
    QDateEdit *m_minDate = nullptr, *m_maxDate = nullptr;
    QComboBox *m_fileSC = nullptr, *m_cyc = nullptr;
    QRadioButton *m_rbTime1 = nullptr, *m_rbTime2 = nullptr;
    QTimeEdit* m_begin = nullptr;
    QWidget* m_remarkPanel = nullptr;
    QPlainTextEdit* m_remark = nullptr;
    QGroupBox *m_group1 = nullptr, *m_group2 = nullptr;
    QList<QLabel*> m_labels;  // Label3 to Label11, the "KB" unit
};

}  // namespace ov
