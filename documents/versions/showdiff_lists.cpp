// The comparison window's lists: loading both sides, the rows and their colours, the views of
// all rows or only the differences, the linked selection and scrolling, and the navigation.

#include "core/datetime.h"
#include "core/robottcpclient.h"
#include "documents/versions/diffitems.h"
#include "documents/versions/showdifffrm.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <utility>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

struct TListed {
    TFileItemArray Server;
    TFileItemArray Local;
};

QString TimeText(TDateTime time) {
    return DateTimeToText(time);
}

}  // namespace

QColor TShowDiffFrm::StateColor(TDiffState state) {
    switch (state) {
        case DS_ServerOnly:
            return QColor(255, 0, 0);
        case DS_LocalOnly:
            return QColor(0, 128, 0);
        case DS_ServerNewer:
            return QColor(0, 0, 255);
        // The legend names orange for a newer local file, so the rows are orange as well.
        case DS_LocalNewer:
            return QColor(255, 128, 0);
        case DS_Same:
            break;
    }
    return QColor(0, 0, 0);
}

void TShowDiffFrm::Refresh() {
    const TServerAccess access = Access;
    const QString folder = EdtLocalPath->text().trimmed();
    m_calls.Run<TListed>(
        [access, owner = FOwnerId, id = FFolderId, folder] {
            const QString text = access.NewClient()->ListFolder(owner, id, false);
            return TListed{ParseFolderList(text), ListLocalFolder(folder)};
        },
        [this](const TListed& listed, const QString& error) {
            if (!error.isEmpty()) Log(error);
            OnListed(listed.Server, listed.Local);
        });
}

void TShowDiffFrm::OnListed(TFileItemArray server, TFileItemArray local) {
    if (FFolderIdList.size() > 1) {
        server.append(UpItem(FFolderIdList.value(1).toLongLong()));
        local.append(UpItem(0));
    }
    SortItems(server);
    SortItems(local);
    FServerList = std::move(server);
    FLocalList = std::move(local);
    ShowAll();
    emit refreshed();
}

void TShowDiffFrm::ShowAll() {
    FillRows(MatchItems(FServerList, FLocalList));
    N7->setEnabled(true);
    N8->setEnabled(false);
}

void TShowDiffFrm::ShowDifferences() {
    QVector<TDiffRow> rows;
    for (const TDiffRow& row : std::as_const(m_rows))
        if (row.State != DS_Same || (!row.Server && !row.Local)) rows.append(row);
    FillRows(rows);
    N7->setEnabled(false);
    N8->setEnabled(true);
}

void TShowDiffFrm::FillRows(const QVector<TDiffRow>& rows) {
    m_syncing = true;
    LVServerFiles->clear();
    LVLocalFiles->clear();
    m_rows = rows;
    FLastFolderIndex = -1;
    // Both lists keep one row height, blank rows included, so that their rows stay side by side.
    const QSize rowSize(0, std::max(fontMetrics().height(), 16) + 4);
    for (int i = 0; i < m_rows.size(); ++i) {
        (new QTreeWidgetItem(LVServerFiles))->setSizeHint(0, rowSize);
        (new QTreeWidgetItem(LVLocalFiles))->setSizeHint(0, rowSize);
        PaintRow(i);
        const TDiffRow& row = m_rows[i];
        if ((row.Server && row.Server->IsFolder) || (row.Local && row.Local->IsFolder))
            FLastFolderIndex = i;
    }
    // No row is current until the user picks one (a blank row would show a focus frame).
    LVServerFiles->setCurrentIndex({});
    LVLocalFiles->setCurrentIndex({});
    m_syncing = false;
    HideScrollBars();
}

void TShowDiffFrm::PaintRow(int index) {
    const TDiffRow& row = m_rows[index];
    QTreeWidgetItem* s = LVServerFiles->topLevelItem(index);
    QTreeWidgetItem* l = LVLocalFiles->topLevelItem(index);
    const QString state = QString::number(int(row.State));
    const QIcon folder = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon file = style()->standardIcon(QStyle::SP_FileIcon);
    const auto paint = [&](QTreeWidgetItem* item, const TFileItem& f, int columns) {
        QFont font = item->font(0);
        font.setBold(f.IsFolder || row.State != DS_Same);
        const QColor colour = f.IsFolder ? QColor(0, 0, 0) : StateColor(row.State);
        item->setIcon(0, f.IsFolder ? folder : file);
        for (int c = 0; c < columns; ++c) {
            item->setFont(c, font);
            item->setForeground(c, colour);
        }
    };
    if (row.Server) {
        const TFileItem& f = *row.Server;
        s->setText(0, f.Name);
        s->setText(1, f.CheckOutUser);
        s->setText(2, TimeText(f.ModifyTime));
        s->setText(3, QString::number(f.Id));
        s->setText(4, state);
        paint(s, f, 5);
    }
    if (row.Local) {
        const TFileItem& f = *row.Local;
        l->setText(0, f.Name);
        l->setText(1, TimeText(f.ModifyTime));
        l->setText(2, state);
        paint(l, f, 3);
    }
}

QList<int> TShowDiffFrm::SelectedRows() const {
    QList<int> rows;
    for (int i = FLastFolderIndex + 1; i < LVServerFiles->topLevelItemCount(); ++i)
        if (LVServerFiles->topLevelItem(i)->isSelected()) rows.append(i);
    return rows;
}

void TShowDiffFrm::SyncSelection(QTreeWidget* from, QTreeWidget* to) {
    if (m_syncing) return;
    m_syncing = true;
    for (int i = 0; i < from->topLevelItemCount() && i < to->topLevelItemCount(); ++i) {
        const bool selected = from->topLevelItem(i)->isSelected();
        if (to->topLevelItem(i)->isSelected() == selected) continue;
        to->topLevelItem(i)->setSelected(selected);
        if (selected) to->scrollToItem(to->topLevelItem(i));
    }
    m_syncing = false;
}

void TShowDiffFrm::HideScrollBars() {
    LVServerFiles->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LVServerFiles->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LVLocalFiles->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    static const char* linked = "linked";
    if (LVLocalFiles->property(linked).toBool()) return;
    LVLocalFiles->setProperty(linked, true);
    QScrollBar* local = LVLocalFiles->verticalScrollBar();
    QScrollBar* server = LVServerFiles->verticalScrollBar();
    connect(local, &QScrollBar::valueChanged, server, &QScrollBar::setValue);
    connect(server, &QScrollBar::valueChanged, local, &QScrollBar::setValue);
    connect(LVServerFiles, &QTreeWidget::itemSelectionChanged, this,
            [this] { SyncSelection(LVServerFiles, LVLocalFiles); });
    connect(LVLocalFiles, &QTreeWidget::itemSelectionChanged, this,
            [this] { SyncSelection(LVLocalFiles, LVServerFiles); });
    connect(LVServerFiles, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { OpenRow(LVServerFiles->indexOfTopLevelItem(item)); });
    connect(LVLocalFiles, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const int index = LVLocalFiles->indexOfTopLevelItem(item);
        if (index >= 0 && m_rows[index].Local && m_rows[index].Local->IsFolder) OpenRow(index);
    });
}

void TShowDiffFrm::ResizeColumns() {
    const int w = LVLocalFiles->width();
    LVLocalFiles->setColumnWidth(0, (w - 20) * 3 / 5);
    LVLocalFiles->setColumnWidth(1, (w - 20) * 2 / 5);
    LVLocalFiles->setColumnHidden(2, true);  // the state: no width
    const int s = LVServerFiles->width();
    LVServerFiles->setColumnWidth(0, s / 2);
    LVServerFiles->setColumnWidth(1, s / 5);
    LVServerFiles->setColumnWidth(2, s * 3 / 10);
}

bool TShowDiffFrm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && (watched == LVServerFiles || watched == LVLocalFiles)) {
        ResizeColumns();
        HideScrollBars();
    }
    return QDialog::eventFilter(watched, event);
}

void TShowDiffFrm::OpenRow(int index) {
    if (index < 0 || index >= m_rows.size() || !m_rows[index].Server) return;
    const TFileItem item = *m_rows[index].Server;
    if (!item.IsFolder) return;
    if (item.Name == u".."_s && FFolderIdList.size() > 1 &&
        FFolderIdList.value(1) == QString::number(item.Id))
        FFolderIdList.removeFirst();
    connect(
        this, &TShowDiffFrm::ready, this,
        [this] {
            Label2->setText(LbServerPath->text());
            Label3->setText(EdtLocalPath->text());
            Refresh();
        },
        Qt::SingleShotConnection);
    Init(FOwnerId, item.Id, FIniFilePath);
}

}  // namespace ov
