// Drawing of the batch window's grid.

#include "client/batch/batchgriddelegate.h"

#include "client/batch/batchwindow.h"
#include "core/batchtranconfig.h"
#include "core/datetime.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QIcon StateIcon(TTaskState st) {
    QStyle* s = QApplication::style();
    switch (st) {
        case ST_Unknown:
        case ST_Completed: return s->standardIcon(QStyle::SP_DialogApplyButton);
        case ST_Init:
        case ST_Running: return s->standardIcon(QStyle::SP_MediaPlay);
        case ST_Paused: return s->standardIcon(QStyle::SP_MediaPause);
        case ST_Waiting: return s->standardIcon(QStyle::SP_BrowserReload);
        case ST_Error: return s->standardIcon(QStyle::SP_MessageBoxCritical);
        case ST_Deleted: return s->standardIcon(QStyle::SP_TrashIcon);
        default: return s->standardIcon(QStyle::SP_MessageBoxQuestion);
    }
}

void DrawBar(QPainter* p, const QRect& cell, double scale, const QColor& fill) {
    const QRect frame = cell.adjusted(2, 3, -2, -3);
    p->setPen(Qt::black);
    p->drawRect(frame);
    const int width = int(std::lround((cell.width() - 6) * std::clamp(scale, 0.0, 1.0)));
    p->fillRect(QRect(cell.left() + 3, cell.top() + 4, width, cell.height() - 8), fill);
    p->drawText(QPoint(cell.center().x() - 10, cell.top() + 8 + p->fontMetrics().ascent()),
                QString::number(std::lround(scale * 100)) + u"%"_s);
}

}  // namespace

TBatchGridDelegate::TBatchGridDelegate(TBatchFileDealMainFrm* window, QObject* parent)
    : QStyledItemDelegate(parent), m_window(window) {}

void TBatchGridDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const std::int32_t id = index.sibling(index.row(), 0).data().toInt();
    TCustomBathFileDeal* w = m_window->FindWorker(id);
    const TBatchTransport task = w ? w->TaskInfo() : m_window->TaskFile().GetTask(id);
    const bool selected = option.state & QStyle::State_Selected;
    const QColor back = selected && (index.column() == 3 || index.column() == 6)
                            ? QColor(153, 209, 255)
                            : QColor(Qt::white);
    p->save();
    p->fillRect(option.rect, selected && index.column() != 0 && index.column() != 4 &&
                                     index.column() != 3 && index.column() != 6
                                 ? option.palette.highlight().color().lighter(170)
                                 : back);
    const QRect text = option.rect.adjusted(4, 0, -2, 0);
    const auto draw = [&](const QString& s) { p->drawText(text, Qt::AlignVCenter | Qt::AlignLeft, s); };
    p->setPen(option.palette.text().color());
    switch (index.column()) {
        case 0: StateIcon(task.St).paint(p, option.rect.adjusted(2, 2, -2, -2)); break;
        case 3:
            if (w && task.FF == FF_Folder)
                draw(m_window->m_texts.Complete.arg(w->AllCount()).arg(w->FinishedCount()));
            else if (w && w->FinishedSize() > 0)
                draw(m_window->m_texts.Tran + QString::number(w->FinishedSize() / 1024) + u"K"_s);
            break;
        case 4:
            if (w) DrawBar(p, option.rect, w->Scale(), QColor(0, 128, 192));
            else if (task.St != ST_Deleted)
                DrawBar(p, option.rect, task.St == ST_Unknown || task.St == ST_Completed ? 1 : 0,
                        QColor(0, 128, 192));
            break;
        case 5:
            draw(w ? DateTimeToText(task.RunStartTime)
                   : DateTimeToQDateTime(task.TaskStartTime).time().toString(u"HH:mm:ss"_s));
            break;
        case 6:
            if (w) draw(m_window->m_texts.PerSecond + QString::number(std::lround(w->Rate())) + u"K"_s);
            break;
        case 7:
            if (!w) draw(DateTimeToText(task.RunEndTime));
            break;
        default: draw(index.data().toString());
    }
    p->restore();
}

}  // namespace ov
