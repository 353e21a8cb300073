#include "control/members/filescopyfrm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryFile>
#include <QThread>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace ov::control {
namespace {

QPushButton* idleButton(QWidget* parent, const QString& name) {
    auto* button = new QPushButton(u"Button1"_s, parent);
    button->setObjectName(name);
    return button;
}

void showPlain(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, parent->windowTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace

TFilesCopyFrm::TFilesCopyFrm(QWidget* owner)
    : QDialog(owner), edtSrc(new QLineEdit(this)), edtDest(new QLineEdit(this)),
      m_copy(new QPushButton(u"copy"_s, this)) {
    setObjectName(u"FilesCopyFrm"_s);
    setWindowTitle(u"FilesCopyFrm"_s);
    setFont(QFont(u"Tahoma"_s, 8));
    setStyleSheet(u"QDialog { background: white; }"_s);
    resize(623, 223);
    edtSrc->setObjectName(u"edtSrc"_s);
    edtDest->setObjectName(u"edtDest"_s);
    m_copy->setObjectName(u"Button3"_s);
    auto* grid = new QGridLayout(this);
    grid->addWidget(edtSrc, 0, 0);
    grid->addWidget(idleButton(this, u"Button1"_s), 0, 1);
    grid->addWidget(edtDest, 1, 0);
    grid->addWidget(idleButton(this, u"Button2"_s), 1, 1);
    grid->addWidget(m_copy, 2, 0, 1, 2, Qt::AlignLeft);
    grid->setRowStretch(3, 1);
    connect(m_copy, &QPushButton::clicked, this, &TFilesCopyFrm::CopyClick);
}

TFilesCopyFrm::~TFilesCopyFrm() {
    if (m_worker) m_worker->wait();
}

bool TFilesCopyFrm::CopyOver(const QString& source, const QString& dest) {
    if (dest.isEmpty() || QFileInfo(dest).isDir()) return false;
    QFile input(source);
    if (!input.open(QIODevice::ReadOnly)) return false;
    QTemporaryFile temporary(QFileInfo(dest).absolutePath() + u"/.copy-XXXXXX"_s);
    if (!temporary.open()) return false;
    char buffer[64 * 1024];
    for (qint64 got = 0; (got = input.read(buffer, sizeof buffer)) != 0;)
        if (got < 0 || temporary.write(buffer, got) != got) return false;
    if (!temporary.flush()) return false;
    temporary.setPermissions(input.permissions());
    const QByteArray from = QFile::encodeName(temporary.fileName());
    if (std::rename(from.constData(), QFile::encodeName(dest).constData()) != 0) return false;
    temporary.setAutoRemove(false);
    return true;
}

void TFilesCopyFrm::CopyClick() {
    const QString source = edtSrc->text();
    const QString dest = edtDest->text();
    if (!QFileInfo(source).isFile()) {
        showPlain(this, u"“"_s + source + u"” 文件不存在！"_s);
        return;
    }
    if (m_worker) return;  // one copy at a time
    m_copy->setEnabled(false);
    auto copied = std::make_shared<bool>(false);
    m_worker = QThread::create([copied, source, dest] { *copied = CopyOver(source, dest); });
    m_worker->setParent(this);
    connect(m_worker, &QThread::finished, this, [this, copied, source, dest] {
        m_worker->deleteLater();
        m_worker = nullptr;
        m_copy->setEnabled(true);
        CopyFinished(*copied, source, dest);
    });
    m_worker->start();
}

void TFilesCopyFrm::CopyFinished(bool copied, const QString& source, const QString& dest) {
    if (!copied)
        showPlain(this, u"拷贝文件 “"_s + source + u"” 到 “"_s + dest + u"” 失败！"_s);
}

void TFilesCopyFrm::done(int result) {
    if (m_worker) m_worker->wait();
    QDialog::done(result);
}

}  // namespace ov::control
