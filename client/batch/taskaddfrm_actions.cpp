// The batch task dialog's actions: collecting the inputs, OK and cancel, the pickers, and the
// choice of individual files.

#include "client/batch/taskaddfrm.h"

#include "client/batch/batchworker.h"
#include "client/batch/fileindex.h"
#include "client/batch/setfiletypefrm.h"
#include "core/batchtranconfig.h"
#include "core/datetime.h"
#include "core/globalconfig.h"
#include "core/widgets/getpathfrm.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// Settings the dialog remembers; a settings file that cannot be written loses only them.
void SaveSetting(const std::function<void(TClientConfigX&)>& change) {
    try {
        const auto config = GlobalConfig();
        change(*config);
        config->Save();
    } catch (const std::exception& e) {
        qWarning("A setting of the task dialog cannot be saved: %s", e.what());
    }
}

}  // namespace

void TTaskAddFrm::ShowRefusal(TRefusal refusal) {
    const TTaskAddTexts& t = m_texts;
    const QString text = [&] {
        switch (refusal) {
            case TRefusal::NewFolderErr: return t.NewFolderErr;
            case TRefusal::SelSvrFolder: return t.SelSvrFolder;
            case TRefusal::NoFile: return t.NoFile;
            case TRefusal::NoFolder: return t.NoFolder;
            case TRefusal::ErrTime: return t.ErrTime;
            case TRefusal::ErrSize: return t.ErrSize;
            case TRefusal::SelOwner: return t.SelOwner;
            case TRefusal::SelDFolder: return t.SelDFolder;
            case TRefusal::SelSOwner: return t.SelSOwner;
            default: return QString();
        }
    }();
    if (!text.isEmpty()) Message(text);
}

bool TTaskAddFrm::Collect() {
    m_fid = -1;
    m_fileType->setText(m_fileType->text().trimmed());
    const TRefusal r = CollectTaskInputs(ReadInputs(), m_old, Now(),
                                         [this](const QString&) { return Ask(m_texts.NewFolder); });
    ShowRefusal(r);
    if (r == TRefusal::None) m_fid = 1;
    return m_fid == 1;
}

void TTaskAddFrm::OkClick() {
    const bool collected = Collect();
    if (m_old.TranStyle == TS_Upload)
        SaveSetting([this](TClientConfigX& c) { c.SetLastUploadPath(m_source->text()); });
    if (!collected) return;
    m_new = m_old;
    if (const TRefusal r = CheckTaskTarget(m_new); r != TRefusal::None) {
        m_new.Id = -1;
        return ShowRefusal(r);
    }
    if (m_new.TranStyle == TS_Download && m_workRoot.isEmpty())
        SaveSetting([this](TClientConfigX& c) { c.SetWorkRoot(m_dest->text()); });
    m_completed = true;
    m_center.reset();  // the task's own worker takes the index over
    accept();
}

QString TTaskAddFrm::IndexBase() const {
    const QString folder = IndexFolder.isEmpty() ? TBatchTranConfig::IndexFolder() : IndexFolder;
    return folder + QString::number(m_old.Id);
}

// Only the files this dialog created are removed: an existing task's progress stays.
void TTaskAddFrm::DeleteCreatedIndex() {
    m_center.reset();
    if (!m_indexCreated) return;
    for (const char16_t* ext : {u".fln", u".std", u".ivd", u".log"})
        QFile::remove(IndexBase() + QString::fromUtf16(ext));
    m_indexCreated = false;
}

void TTaskAddFrm::CancelClick() {
    reject();
}

void TTaskAddFrm::reject() {
    DeleteCreatedIndex();
    m_fid = -1;
    QDialog::reject();
}

// The index is built on a worker thread; the dialog shows its busy panel meanwhile.
bool TTaskAddFrm::BuildIndex() {
    const bool existed = QFile::exists(IndexBase() + u".fln"_s);
    if (m_center) {
        if (const auto index = m_center->FileIndex()) index->Clear();
        m_center.reset();
    }
    TWorkerServer server = WorkerServerFromSettings();
    server.IndexFolder = IndexFolder;
    m_center = std::make_unique<TCustomBathFileDeal>(server);
    m_center->SetTaskInfo(m_old);
    m_busy->setVisible(true);
    bool built = false;
    std::unique_ptr<QThread> job(QThread::create([&] { built = m_center->InitEx(); }));
    QEventLoop loop;
    connect(job.get(), &QThread::finished, &loop, &QEventLoop::quit);
    job->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    job->wait();
    m_busy->setVisible(false);
    if (built && !existed) m_indexCreated = true;
    if (!built) Message(m_center->LastLogStr().isEmpty() ? m_texts.SelSvrFolder
                                                          : m_center->ErrorLog());
    return built;
}

void TTaskAddFrm::ReviewIndex() {
    const auto index = m_center->FileIndex();
    if (!index || !m_pickers.ReviewFiles) return;
    const QString count = m_texts.FileNum.arg(index->GetAllCount(0));
    if (const auto unticked = m_pickers.ReviewFiles(*index, count))
        m_center->RemoveFiles(*unticked);
}

void TTaskAddFrm::SelectItemsClick() {
    if (!Collect()) return;
    if (BuildIndex()) ReviewIndex();
    // The index files stay for the task's worker; the lock on them goes with this worker.
    m_center.reset();
}

void TTaskAddFrm::SelectSourceClick() {
    if (m_old.TranStyle == TS_Download) {
        const std::int32_t owner = m_pickers.SelectOwner ? m_pickers.SelectOwner(TS_Download) : -1;
        if (owner == -1 || !m_pickers.SelectServerFolder) return;
        const TServerPick folder = m_pickers.SelectServerFolder(owner);
        if (folder.Id == -1) return;
        TServerPick pick = folder;
        if (m_old.FF == FF_File) {
            if (!m_pickers.SelectServerFile) return;
            pick = m_pickers.SelectServerFile(owner, folder.Id);
            if (pick.Id == -1) return;
        }
        m_old.SourceFolderId = pick.Id;
        m_old.SourceOwnerId = owner;
        m_old.SourceFolderName = pick.Name;
        m_source->setText(QString(pick.Name).replace(u'/', u'\\'));
        return;
    }
    if (m_old.TranStyle != TS_Upload) return Message(m_texts.ToFileManage);
    const QString start = m_old.SourceFolderName.isEmpty() ? m_source->text() : m_old.SourceFolderName;
    QString chosen;
    if (m_old.FF == FF_Folder) {
        TGetPathFrm picker(this);
        picker.LanguageInit(m_language);
        picker.setWindowTitle(m_texts.SelFolder);
        picker.SetSelectedPath(start);
        if (picker.exec() == QDialog::Accepted) chosen = picker.SelectedPath();
    } else {
        chosen = QFileDialog::getOpenFileName(this, QString(), start);
    }
    if (chosen.isEmpty()) return;
    m_old.SourceFolderName = chosen;
    m_source->setText(chosen);
}

void TTaskAddFrm::SelectTargetClick() {
    if (m_old.TranStyle == TS_Upload) {
        const std::int32_t owner = m_pickers.SelectOwner ? m_pickers.SelectOwner(TS_Upload) : -1;
        if (owner == -1 || !m_pickers.SelectServerFolder) return;
        const TServerPick folder = m_pickers.SelectServerFolder(owner);
        if (folder.Id == -1) return;
        m_old.DestOwnerId = owner;
        m_old.DestFolderId = folder.Id;
        m_old.DestFolderName = folder.Name;
        m_dest->setText(folder.Name);
        return;
    }
    if (m_old.TranStyle != TS_Download) return Message(m_texts.ToFileManage);
    TGetPathFrm picker(this);
    picker.LanguageInit(m_language);
    picker.setWindowTitle(m_texts.SelFolder);
    picker.SetSelectedPath(m_old.DestFolderName);
    if (picker.exec() != QDialog::Accepted || picker.SelectedPath().isEmpty()) return;
    m_old.DestFolderName = picker.SelectedPath();
    m_dest->setText(picker.SelectedPath());
}

void TTaskAddFrm::SelectTypeClick() {
    TSetFileTypeFrm picker(m_language, this);
    picker.SetFileTypes(ParseTypeText(m_fileType->text().trimmed()));
    if (picker.exec() == QDialog::Accepted) m_fileType->setText(TypeText(picker.GetFileTypes()));
}

}  // namespace ov
