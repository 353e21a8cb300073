// The file-type picker.

#include "client/batch/setfiletypefrm.h"

#include "core/filetype.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

struct TTypeRow {
    const char16_t* description;
    const char16_t* ext;
};

constexpr TTypeRow kRows[] = {
    {u"Txt File", u"txt"},
    {u"Word File", u"doc"},
    {u"Excel File", u"xls"},
    {u"PowerPoint File", u"ppt"},
    {u"Visio File", u"vsd"},
    {u"PDF file", u"pdf"},
    {u"Word(office2007) File", u"docx"},
    {u"Excel(office2007) File", u"xlsx"},
    {u"PowerPoint(office2007) File", u"pptx"},
    {u"Htm File", u"htm"},
    {u"XML File", u"xml"},
    {u"Shtml File", u"shtml"},
    {u"Html File", u"html"},
    {u"C/C++ Header", u"h"},
    {u"C Source", u"c"},
    {u"C Source File", u"cpp"},
    {u"Java Source File", u"java"},
    {u"Pascal Source File", u"pas"},
    {u"C# Source File", u"cs"},
    {u"Basic Source", u"bas"},
    {u"Basic Source File", u"vb"},
    {u"PHP Source File", u"php"},
    {u"ASP Source File", u"asp"},
    {u"ASP.NET Server Page", u"aspx"},
    {u"JavaScript Source", u"js"},
    {u"BMP File", u"bmp"},
    {u"GIF File", u"gif"},
    {u"JPG File", u"jpg"},
    {u"DWG File", u"dwg"},
};

}  // namespace

TSetFileTypeFrm::TSetFileTypeFrm(THS_Language language, QWidget* parent) : QDialog(parent) {
    setObjectName(u"SetFileTypeFrm"_s);
    setWindowTitle(u"SetFileTypeFrm"_s);
    setFont(QFont(language == HSL_CN ? u"宋体"_s : u"Tahoma"_s, 9));
    auto* layout = new QVBoxLayout(this);
    m_list = new QListWidget(this);
    m_list->setObjectName(u"cclbFileTypes"_s);
    const bool cn = language == HSL_CN, known = cn || language == HSL_ENG;
    auto* all = new QListWidgetItem(known ? (cn ? u"全部文件 (*.*)"_s : u"All files (*.*)"_s)
                                          : QString(),
                                    m_list);
    all->setData(Qt::UserRole, 1);
    for (const TTypeRow& row : kRows) {
        const QString ext = QString::fromUtf16(row.ext);
        auto* item = new QListWidgetItem(
            QString::fromUtf16(row.description) + u" (*."_s + ext + u")"_s, m_list);
        item->setData(Qt::UserRole, FileExtToCode(ext));
        item->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    }
    for (int i = 0; i < m_list->count(); ++i)
        m_list->item(i)->setCheckState(Qt::Unchecked);
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(known ? (cn ? u"确定"_s : u"Confirm"_s) : QString(),
                                         QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(known ? (cn ? u"取消"_s : u"Cancel"_s) : QString(),
                                             QDialogButtonBox::RejectRole);
    ok->setObjectName(u"BitBtn1"_s);
    cancel->setObjectName(u"BitBtn2"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(m_list, &QListWidget::itemChanged, this, [this](QListWidgetItem* i) { ItemChanged(i); });
    resize(320, 420);
}

void TSetFileTypeFrm::ItemChanged(QListWidgetItem* item) {
    if (m_updating || item->checkState() != Qt::Checked) return;
    m_updating = true;
    const int row = m_list->row(item);
    if (row == 0)
        for (int i = 1; i < m_list->count(); ++i)
            m_list->item(i)->setCheckState(Qt::Unchecked);
    else
        m_list->item(0)->setCheckState(Qt::Unchecked);
    m_updating = false;
}

void TSetFileTypeFrm::SetFileTypes(const TFileTypeArray& types) {
    m_updating = true;
    const bool all = types.isEmpty() || types.first() == 42;
    m_list->item(0)->setCheckState(all ? Qt::Checked : Qt::Unchecked);
    for (int i = 1; i < m_list->count(); ++i) {
        const bool on = !all && types.contains(m_list->item(i)->data(Qt::UserRole).toInt());
        m_list->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    m_updating = false;
}

TFileTypeArray TSetFileTypeFrm::GetFileTypes() const {
    if (m_list->item(0)->checkState() == Qt::Checked) return {};
    TFileTypeArray types;
    for (int i = 1; i < m_list->count(); ++i)
        if (m_list->item(i)->checkState() == Qt::Checked)
            types.append(m_list->item(i)->data(Qt::UserRole).toInt());
    return types;
}

}  // namespace ov
