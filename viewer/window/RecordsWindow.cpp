#include "viewer/window/RecordsWindow.h"

#include "chart/RecordColors.h"
#include "picture/ImagePlotSurface.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace sorkam {

namespace {

// The columns' left edges, in character widths, and their headings.
struct Column {
    int at;
    const char* heading;
};
constexpr Column kColumns[] = {
    {0, "record"}, {11, ""}, {14, "header texts"}, {36, "on the plots"}, {48, "distance"},
};

} // namespace

RecordTable::RecordTable(RecordsList& list, std::function<bool(std::int64_t)> onPlots,
                         QWidget* parent)
    : QAbstractScrollArea(parent), list(list), onPlots(std::move(onPlots)) {
    setObjectName(QStringLiteral("recordTable"));
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(1);
    rowsChanged();
}

int RecordTable::rowHeight() const {
    return fontMetrics().height() + 4;
}

int RecordTable::visibleRows() const {
    return std::max(1, viewport()->height() / rowHeight() - 1); // less the heading
}

std::int64_t RecordTable::firstRow() const {
    return verticalScrollBar()->value();
}

std::int64_t RecordTable::rowAt(int y) const {
    return y < rowHeight() ? -1 : firstRow() + y / rowHeight() - 1;
}

void RecordTable::rowsChanged() {
    // The scroll bar counts rows; one past 2^31 rows reaches no further.
    const std::int64_t last = std::max<std::int64_t>(0, list.rowCount() - visibleRows());
    verticalScrollBar()->setRange(0, static_cast<int>(std::min<std::int64_t>(last, INT_MAX)));
    verticalScrollBar()->setPageStep(visibleRows());
    viewport()->update();
}

std::vector<std::int64_t> RecordTable::selectedRecords() const {
    std::vector<std::int64_t> records;
    for (const std::int64_t row : selected) {
        if (const std::int64_t n = list.recordAt(row); n >= 0) {
            records.push_back(n);
        }
    }
    return records;
}

void RecordTable::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const int height = rowHeight();
    const int character = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int width = viewport()->width();
    painter.fillRect(viewport()->rect(), palette().base());
    painter.fillRect(QRect(0, 0, width, height), palette().button());
    painter.setPen(palette().color(QPalette::ButtonText));
    for (const Column& column : kColumns) {
        QString heading = QString::fromLatin1(column.heading);
        if (column.at == kColumns[4].at && list.sortedByDistance()) {
            heading += QStringLiteral(" \u25BC");
        }
        painter.drawText(QRect(4 + column.at * character, 0, width, height), Qt::AlignVCenter,
                         heading);
    }
    const std::int64_t rows = list.rowCount();
    for (int k = 0; k <= visibleRows(); ++k) {
        const std::int64_t row = firstRow() + k;
        if (row >= rows) {
            break;
        }
        const std::int64_t n = list.recordAt(row);
        const QRect line(0, (k + 1) * height, width, height);
        const bool isSelected = selected.count(row) != 0;
        if (isSelected) {
            painter.fillRect(line, palette().highlight());
        }
        painter.setPen(palette().color(isSelected ? QPalette::HighlightedText : QPalette::Text));
        const auto cell = [&](int column) {
            return line.adjusted(4 + kColumns[column].at * character, 0, 0, 0);
        };
        painter.drawText(cell(0), Qt::AlignVCenter, QString::number(n));
        const QRect swatch(cell(1).left(), line.top() + 3, 2 * character, height - 6);
        painter.fillRect(swatch, toQColor(chart::recordColor(n)));
        painter.drawRect(swatch.adjusted(0, 0, -1, -1));
        painter.drawText(cell(2), Qt::AlignVCenter, QString::fromStdString(list.headers(n)));
        painter.drawText(cell(3), Qt::AlignVCenter, onPlots(n) ? tr("yes") : QString());
        if (const auto d = list.distance(n)) {
            painter.drawText(cell(4), Qt::AlignVCenter,
                             tr("rms %1  max %2").arg(d->rms, 0, 'f', 3).arg(d->largest));
        }
        if (row == current && hasFocus()) {
            painter.drawRect(line.adjusted(0, 0, -1, -1));
        }
    }
}

void RecordTable::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    rowsChanged();
}

void RecordTable::moveTo(std::int64_t row, bool extend) {
    const std::int64_t rows = list.rowCount();
    if (rows == 0) {
        return;
    }
    current = std::clamp<std::int64_t>(row, 0, rows - 1);
    if (!extend) {
        selected.clear();
        anchor = current;
    }
    selected.insert(current);
    if (extend) {
        for (std::int64_t r = std::min(anchor, current); r <= std::max(anchor, current); ++r) {
            selected.insert(r);
        }
    }
    if (current < firstRow()) {
        verticalScrollBar()->setValue(static_cast<int>(current));
    } else if (current >= firstRow() + visibleRows()) {
        verticalScrollBar()->setValue(static_cast<int>(current - visibleRows() + 1));
    }
    viewport()->update();
}

void RecordTable::mousePressEvent(QMouseEvent* event) {
    const std::int64_t row = rowAt(event->position().toPoint().y());
    if (row < 0) {
        const int character = fontMetrics().horizontalAdvance(QLatin1Char('0'));
        if (event->position().x() >= 4 + kColumns[4].at * character) {
            emit sortAsked();
        }
        return;
    }
    if (row >= list.rowCount()) {
        return;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        current = row;
        if (!selected.erase(row)) {
            selected.insert(row);
        }
        viewport()->update();
    } else {
        moveTo(row, event->modifiers() & Qt::ShiftModifier);
    }
}

void RecordTable::mouseDoubleClickEvent(QMouseEvent* event) {
    const std::int64_t row = rowAt(event->position().toPoint().y());
    if (row >= 0 && row < list.rowCount()) {
        moveTo(row, false);
        emit picked();
    }
}

void RecordTable::keyPressEvent(QKeyEvent* event) {
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        moveTo(current - 1, extend);
        break;
    case Qt::Key_Down:
        moveTo(current + 1, extend);
        break;
    case Qt::Key_PageUp:
        moveTo(current - visibleRows(), extend);
        break;
    case Qt::Key_PageDown:
        moveTo(current + visibleRows(), extend);
        break;
    case Qt::Key_Home:
        moveTo(0, extend);
        break;
    case Qt::Key_End:
        moveTo(list.rowCount() - 1, extend);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit picked();
        break;
    case Qt::Key_Delete:
        emit removeAsked();
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

RecordsWindow::RecordsWindow(const std::string& dataFile, std::function<bool(std::int64_t)> onPlots,
                             std::function<void(const std::vector<std::int64_t>&)> show,
                             std::function<void(const std::vector<std::int64_t>&)> remove,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), list(dataFile), filter(new QLineEdit(this)),
      progress(new QProgressBar(this)), summary(new QLabel(this)),
      table(new RecordTable(list, std::move(onPlots), this)), poll(new QTimer(this)) {
    setObjectName(QStringLiteral("recordsWindow"));
    setWindowTitle(tr("Records"));
    filter->setObjectName(QStringLiteral("recordFilter"));
    filter->setPlaceholderText(tr("Filter by header text"));
    filter->setClearButtonEnabled(true);
    progress->setObjectName(QStringLiteral("recordProgress"));
    progress->setRange(0, 1000);
    progress->hide();
    summary->setObjectName(QStringLiteral("recordSummary"));
    summary->setTextFormat(Qt::PlainText);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(filter);
    layout->addWidget(progress);
    layout->addWidget(table, 1);
    layout->addWidget(summary);
    // The keys that move through the rows work from the filter line too.
    filter->installEventFilter(this);
    connect(filter, &QLineEdit::textChanged, this, [this](const QString& text) {
        list.setFilter(text.toStdString());
        follow();
    });
    connect(table, &RecordTable::picked, this,
            [this, show = std::move(show)] { show(table->selectedRecords()); });
    connect(table, &RecordTable::removeAsked, this,
            [this, remove = std::move(remove)] { remove(table->selectedRecords()); });
    connect(table, &RecordTable::sortAsked, this, [this] {
        list.sortByDistance(!list.sortedByDistance());
        follow();
    });
    poll->setInterval(100);
    connect(poll, &QTimer::timeout, this, &RecordsWindow::follow);
    auto* close = new QAction(tr("C&lose"), this);
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(tr("Ctrl+W"))});
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
    resize(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 72, fontMetrics().height() * 30);
    follow();
}

void RecordsWindow::refresh() {
    list.refresh();
    follow();
}

void RecordsWindow::follow() {
    const double done = std::min(list.filterProgress(), list.distanceProgress());
    progress->setVisible(done < 1.0);
    progress->setValue(static_cast<int>(done * 1000));
    if (done < 1.0) {
        poll->start();
    } else if (poll->isActive()) {
        poll->stop();
        emit workDone();
    }
    const std::int64_t rows = list.rowCount();
    summary->setText(list.filterText().empty()
                         ? tr("%1 records").arg(list.recordCount())
                         : tr("%1 of %2 records match").arg(rows).arg(list.recordCount()));
    table->rowsChanged();
}

void RecordsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    filter->setFocus();
    emit shownChanged(true);
}

void RecordsWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit shownChanged(false);
}

bool RecordsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == filter && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool moves = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                           key == Qt::Key_PageDown || key == Qt::Key_Return || key == Qt::Key_Enter;
        if (moves) {
            QCoreApplication::sendEvent(table, event);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace sorkam
