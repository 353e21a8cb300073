#include "core/widgets/getpathfrm.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

namespace ov {

namespace {

QPushButton* makeButton(QWidget* parent, int x) {
    auto* button = new QPushButton(parent);
    button->setGeometry(x, 368, 80, 25);
    return button;
}

}  // namespace

bool IsNetworkPath(const QString& path) {
    return path.startsWith(u'\\') || path.startsWith(QStringLiteral("//"));
}

TGetPathFrm::TGetPathFrm(QWidget* owner)
    : QDialog(owner),
      Label1(new QLabel(QStringLiteral("选择文件夹："), this)),
      edtSelectedPath(new QLineEdit(this)),
      BitBtn1(makeButton(this, 125)),
      BitBtn2(makeButton(this, 248)),
      ShellTreeView1(new QTreeView(this)),
      m_model(new QFileSystemModel(this)) {
    setWindowTitle(QStringLiteral("路径选择"));
    setFixedSize(447, 401);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    setFont(font);
    Label1->move(15, 17);
    edtSelectedPath->setGeometry(94, 12, 331, edtSelectedPath->sizeHint().height());
    BitBtn1->setText(QStringLiteral("确定"));
    BitBtn1->setEnabled(false);
    BitBtn1->setDefault(true);
    BitBtn2->setText(QStringLiteral("取消"));

    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QStringLiteral("/"));
    ShellTreeView1->setModel(m_model);
    ShellTreeView1->setGeometry(16, 42, 409, 316);
    ShellTreeView1->setHeaderHidden(true);
    for (int column = 1; column < m_model->columnCount(); ++column)
        ShellTreeView1->hideColumn(column);
    connect(ShellTreeView1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TGetPathFrm::ShellTreeView1Change);
    connect(BitBtn1, &QPushButton::clicked, this, &TGetPathFrm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TGetPathFrm::BitBtn2Click);
}

void TGetPathFrm::LanguageInit(THS_Language language) {
    FHS_Language = language;
    if (language == HSL_NONE) return;
    const bool cn = language == HSL_CN;
    setWindowTitle(cn ? QStringLiteral("文件夹选择") : QStringLiteral("Select folder"));
    Label1->setText(cn ? QStringLiteral("选择文件夹：") : QStringLiteral("Select folder:"));
    BitBtn1->setText(cn ? QStringLiteral("确定") : QStringLiteral("Ok"));
    BitBtn2->setText(cn ? QStringLiteral("取消") : QStringLiteral("Cancel"));
    if (!cn) {
        const QRect r = edtSelectedPath->geometry();
        edtSelectedPath->setGeometry(r.x() + 5, r.y(), r.width() - 5, r.height());
    }
}

void TGetPathFrm::SetSelectedPath(const QString& value) {
    edtSelectedPath->setText(value);
    if (value.isEmpty() || !QFileInfo(value).isDir()) return;
    FPath = value;
    if (!IsNetworkPath(value)) moveTreeTo(value);
}

void TGetPathFrm::moveTreeTo(const QString& path) {
    const QModelIndex index = m_model->index(QFileInfo(path).absoluteFilePath());
    if (!index.isValid()) return;
    ShellTreeView1->setCurrentIndex(index);
    ShellTreeView1->scrollTo(index);
}

void TGetPathFrm::ShellTreeView1Change() {
    const QString path = m_model->filePath(ShellTreeView1->currentIndex());
    edtSelectedPath->setText(path);
    edtSelectedPath->setToolTip(path);
    BitBtn1->setEnabled(isUsableFolder(path));
}

// Network shares follow the switch; a local folder is usable while it exists.
bool TGetPathFrm::isUsableFolder(const QString& path) const {
    if (IsNetworkPath(path)) return FAllowNetDisk;
    return !path.isEmpty() && QFileInfo(path).isDir();
}

void TGetPathFrm::BitBtn1Click() {
    FPath = edtSelectedPath->text();
    accept();
}

void TGetPathFrm::BitBtn2Click() {
    FPath.clear();
    reject();
}

}  // namespace ov
