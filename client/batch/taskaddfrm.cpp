// The batch task dialog: its controls and texts.

#include "client/batch/taskaddfrm.h"

#include "client/batch/batchworker.h"
#include "core/globalconfig.h"
#include "core/tagtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QTimer>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

template <class T>
T* Named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

}  // namespace

TTaskAddFrm::TTaskAddFrm(THS_Language language, TBatchPickers pickers, QWidget* parent)
    : QDialog(parent),
      m_language(language),
      m_texts(TaskAddTexts(language)),
      m_pickers(std::move(pickers)) {
    setObjectName(u"TaskAddFrm"_s);
    const auto config = GlobalConfig();
    m_workRoot = config->WorkRoot();
    m_userIdStr = config->EncryptUserID();
    m_versionRemark = ReadTagValue(config->FileExtInfo(), u"VersionRemark"_s);
    m_new.Id = -1;
    Message = [this](const QString& text) {
        QMessageBox::critical(this, m_texts.Hint, text);
    };
    Ask = [this](const QString& text) {
        return QMessageBox::question(this, m_texts.Hint, text) == QMessageBox::Yes;
    };
    setFont(QFont(language == HSL_CN ? u"宋体"_s : u"Tahoma"_s, 9));
    BuildLayout();
    ApplyTexts();
    FillSecurityLevels();
    m_includeRoot->setChecked(config->IsIncludeRoot());
}

// Without a login there is nothing to transfer: the dialog says so and closes.
void TTaskAddFrm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_userIdStr.isEmpty()) return;
    QTimer::singleShot(0, this, [this] {
        Message(m_texts.LoginFirst);
        reject();
    });
}

TTaskAddFrm::~TTaskAddFrm() = default;

void TTaskAddFrm::BuildLayout() {
    auto* layout = new QVBoxLayout(this);
    auto* top = Named(new QWidget(this), u"plTop"_s);
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    m_busy = Named(new QWidget(top), u"plG"_s);
    auto* busyLayout = new QHBoxLayout(m_busy);
    m_busyLabel = Named(new QLabel(m_busy), u"Label1"_s);
    busyLayout->addWidget(m_busyLabel);
    m_busy->setVisible(false);
    topLayout->addWidget(m_busy);
    topLayout->addWidget(BuildConditions());
    topLayout->addWidget(BuildSchedule());
    layout->addWidget(top);
    m_remarkPanel = Named(new QWidget(this), u"plVerRemarks"_s);
    auto* remarkLayout = new QVBoxLayout(m_remarkPanel);
    remarkLayout->setContentsMargins(0, 0, 0, 0);
    m_remark = Named(new QPlainTextEdit(m_remarkPanel), u"moRemark"_s);
    m_remark->installEventFilter(this);
    m_remark->setMaximumHeight(60);
    remarkLayout->addWidget(m_remark);
    m_remarkPanel->setVisible(false);
    layout->addWidget(m_remarkPanel);
    layout->addWidget(BuildBottom());
}

QGroupBox* TTaskAddFrm::BuildConditions() {
    m_group1 = Named(new QGroupBox(this), u"GroupBox1"_s);
    auto* g = new QGridLayout(m_group1);
    m_lbStyle = Named(new QLabel(m_group1), u"lbStyle"_s);
    QFont bold = m_lbStyle->font();
    bold.setBold(true);
    m_lbStyle->setFont(bold);
    g->addWidget(m_lbStyle, 0, 0, 1, 4);
    m_lbSource = Named(new QLabel(m_group1), u"lbSource"_s);
    m_source = Named(new QLineEdit(m_group1), u"edtSourceFolderName"_s);
    m_selSource = Named(new QPushButton(m_group1), u"BitBtn2"_s);
    m_lbDest = Named(new QLabel(m_group1), u"lbDest"_s);
    m_dest = Named(new QLineEdit(m_group1), u"edtDestFolderName"_s);
    m_selDest = Named(new QPushButton(m_group1), u"BitBtn3"_s);
    g->addWidget(m_lbSource, 1, 0);
    g->addWidget(m_source, 1, 1, 1, 3);
    g->addWidget(m_selSource, 1, 4);
    g->addWidget(m_lbDest, 2, 0);
    g->addWidget(m_dest, 2, 1, 1, 3);
    g->addWidget(m_selDest, 2, 4);
    m_chbDateRng = Named(new QCheckBox(m_group1), u"chbDateRng"_s);
    m_minDate = Named(new QDateEdit(m_group1), u"dtpMinDate"_s);
    m_maxDate = Named(new QDateEdit(m_group1), u"dtpMaxDate"_s);
    for (QDateEdit* d : {m_minDate, m_maxDate}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(u"yyyy-MM-dd"_s);
    }
    auto* label6 = Named(new QLabel(m_group1), u"Label6"_s);
    g->addWidget(m_chbDateRng, 3, 0);
    g->addWidget(label6, 3, 1);
    g->addWidget(m_minDate, 3, 2);
    g->addWidget(m_maxDate, 3, 3);
    m_chbSize = Named(new QCheckBox(m_group1), u"chbSize"_s);
    auto* label3 = Named(new QLabel(m_group1), u"Label3"_s);
    m_minSize = Named(new QLineEdit(m_group1), u"edtMinSize"_s);
    m_maxSize = Named(new QLineEdit(m_group1), u"edtMaxSize"_s);
    auto* kb = new QLabel(u"KB "_s, m_group1);
    g->addWidget(m_chbSize, 4, 0);
    g->addWidget(label3, 4, 1);
    g->addWidget(m_minSize, 4, 2);
    g->addWidget(m_maxSize, 4, 3);
    g->addWidget(kb, 4, 4);
    auto* label7 = Named(new QLabel(m_group1), u"Label7"_s);
    m_fileType = Named(new QLineEdit(m_group1), u"edtFileType"_s);
    m_selType = Named(new QPushButton(m_group1), u"bbtSelType"_s);
    g->addWidget(label7, 5, 0);
    g->addWidget(m_fileType, 5, 1, 1, 3);
    g->addWidget(m_selType, 5, 4);
    m_subFolder = Named(new QCheckBox(m_group1), u"cbSubFolder"_s);
    m_subFolder->setChecked(true);
    m_filePrt = Named(new QCheckBox(m_group1), u"cbxFilePrt"_s);
    m_lblEditPrt = Named(new QLabel(m_group1), u"lblEditPrt"_s);
    m_lblEditPrt->setVisible(false);
    m_includeRoot = Named(new QCheckBox(m_group1), u"cbkIncludeRoot"_s);
    m_keepLocal = Named(new QCheckBox(m_group1), u"chbKeepLocalNewFile"_s);
    m_keepLocal->setChecked(true);
    m_keepLocal->setVisible(false);
    g->addWidget(m_subFolder, 6, 0, 1, 2);
    g->addWidget(m_filePrt, 6, 2);
    g->addWidget(m_lblEditPrt, 6, 3);
    g->addWidget(m_includeRoot, 7, 0, 1, 4);
    g->addWidget(m_keepLocal, 8, 0, 1, 4);
    m_lbFileSC = Named(new QLabel(m_group1), u"lbFileSC"_s);
    m_fileSC = Named(new QComboBox(m_group1), u"cbFileSC"_s);
    g->addWidget(m_lbFileSC, 9, 0);
    g->addWidget(m_fileSC, 9, 1, 1, 2);
    m_labels = {label6, label3, label7, kb};
    connect(m_chbDateRng, &QCheckBox::toggled, this, [this](bool on) {
        m_minDate->setEnabled(on);
        m_maxDate->setEnabled(on);
    });
    connect(m_chbSize, &QCheckBox::toggled, this, [this](bool on) {
        m_minSize->setEnabled(on);
        m_maxSize->setEnabled(on);
    });
    connect(m_selSource, &QPushButton::clicked, this, [this] { SelectSourceClick(); });
    connect(m_selDest, &QPushButton::clicked, this, [this] { SelectTargetClick(); });
    connect(m_selType, &QPushButton::clicked, this, [this] { SelectTypeClick(); });
    connect(m_filePrt, &QCheckBox::clicked, this, [this](bool on) {
        if (on) return EditProperties(true);
        m_lblEditPrt->setVisible(false);
    });
    connect(m_lblEditPrt, &QLabel::linkActivated, this, [this] { EditProperties(false); });
    m_source->installEventFilter(this);
    connect(m_includeRoot, &QCheckBox::clicked, this, [](bool on) {
        try {
            const auto config = GlobalConfig();
            config->SetIsIncludeRoot(on);
            config->Save();
        } catch (const std::exception& e) {
            qWarning("The root-folder choice cannot be saved: %s", e.what());
        }
    });
    return m_group1;
}

QGroupBox* TTaskAddFrm::BuildSchedule() {
    m_group2 = Named(new QGroupBox(this), u"GroupBox2"_s);
    auto* g = new QGridLayout(m_group2);
    m_rbTime1 = Named(new QRadioButton(m_group2), u"rbTime1"_s);
    m_rbTime2 = Named(new QRadioButton(m_group2), u"rbTime2"_s);
    m_rbTime1->setChecked(true);
    g->addWidget(m_rbTime1, 0, 0, 1, 2);
    g->addWidget(m_rbTime2, 1, 0, 1, 2);
    auto* label4 = Named(new QLabel(m_group2), u"Label4"_s);
    auto* label9 = Named(new QLabel(m_group2), u"Label9"_s);
    m_cyc = Named(new QComboBox(m_group2), u"cbxCyc"_s);
    m_cyc->setEditable(true);
    m_cyc->addItems({u"0.5"_s, u"1"_s, u"6"_s, u"12"_s, u"48"_s});
    m_cyc->setCurrentText(u"1"_s);
    auto* label10 = Named(new QLabel(m_group2), u"Label10"_s);
    auto* label11 = Named(new QLabel(m_group2), u"Label11"_s);
    m_begin = Named(new QTimeEdit(m_group2), u"dtpBegin"_s);
    m_begin->setDisplayFormat(u"HH:mm:ss"_s);
    auto* label5 = Named(new QLabel(m_group2), u"Label5"_s);
    auto* line = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{label4, label9, m_cyc, label10, label11,
                                                      m_begin, label5})
        line->addWidget(w);
    line->addStretch();
    g->addLayout(line, 2, 0, 1, 2);
    m_labels += {label9, label10, label11, label4, label5};
    m_cyc->setEnabled(false);
    m_begin->setEnabled(false);
    connect(m_rbTime2, &QRadioButton::toggled, this, [this](bool on) {
        m_cyc->setEnabled(on);
        m_begin->setEnabled(on);
    });
    return m_group2;
}

QWidget* TTaskAddFrm::BuildBottom() {
    auto* bottom = Named(new QWidget(this), u"plBottom"_s);
    auto* row = new QHBoxLayout(bottom);
    m_lbUploadHint = Named(new QLabel(bottom), u"lbUploadHint"_s);
    m_lbUploadHint->setWordWrap(true);
    m_ok = Named(new QPushButton(bottom), u"BitBtn4"_s);
    m_selectItems = Named(new QPushButton(bottom), u"bbtSelectItems"_s);
    m_cancel = Named(new QPushButton(bottom), u"BitBtn5"_s);
    row->addWidget(m_lbUploadHint, 1);
    row->addWidget(m_ok);
    row->addWidget(m_selectItems);
    row->addWidget(m_cancel);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, [this] { OkClick(); });
    connect(m_selectItems, &QPushButton::clicked, this, [this] { SelectItemsClick(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { CancelClick(); });
    return bottom;
}

void TTaskAddFrm::ApplyTexts() {
    const TTaskAddTexts& t = m_texts;
    setWindowTitle(t.Caption);
    m_group1->setTitle(t.Group1);
    m_group2->setTitle(t.Group2);
    for (QPushButton* b : {m_selSource, m_selDest, m_selType})
        b->setText(t.Select);
    const QString labels[] = {t.ModifyTime, t.FileSize, t.FileType, u"KB "_s, t.Every,
                              t.Hours,      t.At,       t.Scheduled, t.StartOver};
    for (int i = 0; i < m_labels.size(); ++i)
        m_labels[i]->setText(labels[i]);
    m_subFolder->setText(t.SubFolder);
    m_busyLabel->setText(t.Loading);
    m_ok->setText(t.StartTask);
    m_selectItems->setText(t.SelectSome);
    m_cancel->setText(t.Cancel);
    m_rbTime1->setText(t.Single);
    m_rbTime2->setText(t.ScheduledRun);
    m_filePrt->setText(t.FileAttr);
    m_lblEditPrt->setText(u"<a href=\"#\">"_s + t.ModifyAttr + u"</a>"_s);
    m_lbFileSC->setText(t.SecurityGrade);
    m_includeRoot->setText(t.IncludeRoot);
    m_keepLocal->setText(t.KeepLocalNewFile);
    m_lbUploadHint->setText(t.UploadHint);
}

// The property page: OK keeps its parameters; otherwise a box that opened it is unchecked.
void TTaskAddFrm::EditProperties(bool fromCheckBox) {
    const auto params =
        m_pickers.FileProperties
            ? m_pickers.FileProperties(GlobalConfig()->ServerUrl() + u"/getPrtHtm?opr=page"_s,
                                       m_prtParams)
            : std::nullopt;
    if (params) {
        m_prtParams = *params;
        m_lblEditPrt->setVisible(true);
    } else if (fromCheckBox) {
        m_filePrt->setChecked(false);
    }
}

// A double click on an upload's source brings back the last folder uploaded from; entering
// the remark while it shows its prompt empties it.
bool TTaskAddFrm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_source && event->type() == QEvent::MouseButtonDblClick &&
        m_old.TranStyle == TS_Upload)
        m_source->setText(GlobalConfig()->LastUploadPath());
    if (watched == m_remark && event->type() == QEvent::FocusIn &&
        m_remark->toPlainText() == m_texts.VersionRemark)
        m_remark->clear();
    return QDialog::eventFilter(watched, event);
}

void TTaskAddFrm::FillSecurityLevels() {
    const TScInfoArray levels = GlobalConfig()->ScInfos();
    m_fileSC->clear();
    if (levels.isEmpty()) return m_fileSC->addItem(m_texts.SC_NO, 0);
    for (qsizetype i = levels.size() - 1; i >= 0; --i)
        m_fileSC->addItem(m_language == HSL_CN ? levels[i].CnName : levels[i].EngName,
                          int(levels[i].SC));
    m_fileSC->setCurrentIndex(m_fileSC->count() - 1);
}

}  // namespace ov
