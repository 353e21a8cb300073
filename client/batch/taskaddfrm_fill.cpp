// The batch task dialog: filling its controls from a task.

#include "client/batch/taskaddfrm.h"

#include "client/batch/batchpaths.h"
#include "core/datetime.h"
#include "core/globalconfig.h"
#include "core/tagtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>

using namespace Qt::StringLiterals;

namespace ov {

void TTaskAddFrm::SetTaskInfo(const TBatchTransport& task) {
    m_old = task;
    FillFromTask();
}

void TTaskAddFrm::FillFromTask() {
    const TBatchTransport& t = m_old;
    const bool single = t.FF == FF_File, upload = t.TranStyle == TS_Upload;
    m_lbSource->setText(single ? m_texts.SFile : m_texts.SFolder);
    m_lbDest->setText(m_texts.DFolder);
    m_lbStyle->setText(single ? (upload ? m_texts.Upload : m_texts.Download)
                              : (upload ? m_texts.BulkUpload : m_texts.BulkDownload));
    for (QWidget* w : std::initializer_list<QWidget*>{m_selectItems, m_selType, m_subFolder})
        w->setEnabled(!single);
    for (QWidget* w : std::initializer_list<QWidget*>{m_chbDateRng, m_chbSize, m_fileType,
                                                      m_rbTime2})
        w->setEnabled(!single);
    m_source->setText(t.SourceFolderName);
    m_dest->setText(t.DestFolderName);
    m_filePrt->setChecked(false);
    m_source->setReadOnly(upload);
    m_dest->setReadOnly(upload);
    if (upload) {
        m_dest->setToolTip(QString::number(t.DestOwnerId) + u"-"_s +
                           QString::number(t.DestFolderId));
        if (!t.FilePrtParams.isEmpty()) {
            m_prtParams = t.FilePrtParams;
            m_filePrt->setChecked(true);
            m_lblEditPrt->setVisible(true);
        }
    }
    const bool dates = t.FileEndDate > t.FileStartDate;
    m_chbDateRng->setChecked(dates && !single);
    m_minDate->setDate(DateTimeToQDateTime(dates ? t.FileStartDate : Now()).date());
    m_maxDate->setDate(DateTimeToQDateTime(dates ? t.FileEndDate : Now()).date());
    m_minDate->setEnabled(dates && !single);
    m_maxDate->setEnabled(dates && !single);
    const bool sizes = t.MinSize < t.MaxSize;
    m_chbSize->setChecked(sizes && !single);
    m_minSize->setText(sizes ? QString::number(t.MinSize / 1024) : QString());
    m_maxSize->setText(sizes ? QString::number(t.MaxSize / 1024) : QString());
    m_minSize->setEnabled(sizes && !single);
    m_maxSize->setEnabled(sizes && !single);
    const bool scheduled = t.TaskCyc > 0;
    (scheduled ? m_rbTime2 : m_rbTime1)->setChecked(true);
    if (scheduled) m_cyc->setCurrentText(QString::number(t.TaskCyc, 'f', 2));
    m_begin->setTime(DateTimeToQDateTime(t.TaskStartTime).time());
    m_cyc->setEnabled(scheduled);
    m_begin->setEnabled(scheduled);
    m_fileType->setText(TypeText(t.Types));
    if (!upload) {
        if (m_dest->text().isEmpty())
            m_dest->setText(m_workRoot.isEmpty() ? GlobalConfig()->ConfigPath() + u"work/"_s
                                                 : m_workRoot);
        // A target that names the file already (a task being changed) keeps its name once.
        QString dest = m_dest->text();
        while (dest.endsWith(u'/') || dest.endsWith(u'\\'))
            dest.chop(1);
        if (single && FileNameOf(dest) != t.SourceFolderName)
            m_dest->setText((m_dest->text().endsWith(u'/') ? m_dest->text()
                                                           : m_dest->text() + u'/') +
                            t.SourceFolderName);
        else if (single)
            m_dest->setText(dest);
    }
    m_keepLocal->setVisible(!upload && !single);
    m_keepLocal->setChecked(t.KeepClientNewFile);
    if (!single) m_includeRoot->setChecked(t.IncludeRootPath);
    m_fileSC->setEnabled(upload);
    if (const int at = m_fileSC->findData(int(t.SC)); at >= 0 && upload)
        m_fileSC->setCurrentIndex(at);
    const bool remark = upload && !single && m_versionRemark == u"1"_s;
    m_remarkPanel->setVisible(remark);
    if (remark) {
        const QString text = ReadTagValue(t.ExtInfo, u"Remark"_s);
        m_remark->setPlainText(text.isEmpty() ? m_texts.VersionRemark : text);
    }
    m_lbUploadHint->setVisible(upload);
}

TTaskInputs TTaskAddFrm::ReadInputs() const {
    TTaskInputs in;
    in.Source = m_source->text();
    in.Dest = m_dest->text();
    in.IncludeSubFolder = m_subFolder->isChecked();
    in.DateRange = m_chbDateRng->isChecked();
    in.MinDate = QDateTimeToDateTime(m_minDate->date().startOfDay());
    in.MaxDate = QDateTimeToDateTime(m_maxDate->date().startOfDay());
    in.SizeRange = m_chbSize->isChecked();
    in.MinSizeKb = m_minSize->text();
    in.MaxSizeKb = m_maxSize->text();
    in.TypeText = m_fileType->text();
    in.FilePrt = m_filePrt->isChecked();
    in.PrtParams = m_prtParams;
    in.Scheduled = m_rbTime2->isChecked();
    in.Period = m_cyc->currentText();
    in.BeginTime = QDateTimeToDateTime(QDateTime(QDate(1899, 12, 30), m_begin->time()));
    in.IncludeRoot = m_includeRoot->isChecked();
    in.KeepLocalNewFile = m_keepLocal->isChecked();
    in.SC = m_fileSC->currentIndex() >= 0 ? m_fileSC->currentData().toInt() : 0;
    in.VersionRemark = m_remarkPanel->isVisibleTo(this);
    in.Remark = m_remark->toPlainText();
    in.RemarkHint = m_texts.VersionRemark;
    return in;
}

}  // namespace ov
