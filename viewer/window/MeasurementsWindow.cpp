#include "viewer/window/MeasurementsWindow.h"

#include "picture/ImagePlotSurface.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sorkam {

MeasurementsWindow::MeasurementsWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), distance(new QLabel(this)), table(new QTableWidget(this)) {
    setObjectName(QStringLiteral("measurementsWindow"));
    setWindowTitle(tr("Measurements"));
    setAccessibleName(tr("Measurements between the cursors"));
    distance->setObjectName(QStringLiteral("distance"));
    distance->setTextFormat(Qt::PlainText);
    table->setObjectName(QStringLiteral("measurements"));
    table->setAccessibleName(tr("Values at the cursors, by record and channel"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(distance);
    layout->addWidget(table, 1);
    auto* copy = new QAction(tr("&Copy the table"), this);
    copy->setObjectName(QStringLiteral("copyAction"));
    copy->setShortcuts(QKeySequence::keyBindings(QKeySequence::Copy));
    connect(copy, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(tableText()); });
    addAction(copy);
    auto* close = new QAction(tr("C&lose"), this);
    close->setObjectName(QStringLiteral("closeMeasurementsAction"));
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(tr("Ctrl+W"))});
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    // The rows of 6 records; more scroll under the header.
    resize(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 90, fontMetrics().height() * 32);
}

void MeasurementsWindow::showMeasurements(const chart::View& view,
                                          const std::vector<Measurement>& rows) {
    const std::optional<int>& a = view.cursorA;
    const std::optional<int>& b = view.cursorB;
    if (!a || !b) {
        distance->setText(tr("Click a plot to set cursor A, Shift+click to set cursor B."));
        table->clear();
        table->setRowCount(0);
        shown.clear();
        placed = false;
        return;
    }
    shown = rows;
    cursors = view;
    placed = true;
    distance->setText(tr("A at %1, B at %2: B-A = %3 samples").arg(*a).arg(*b).arg(*b - *a));
    const std::vector<std::string> headings = measurementHeadings();
    table->setColumnCount(static_cast<int>(headings.size()));
    QStringList labels;
    for (const std::string& heading : headings) {
        labels.append(QString::fromStdString(heading));
    }
    table->setHorizontalHeaderLabels(labels);
    table->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::vector<std::string> cells = measurementCells(rows[row]);
        for (std::size_t column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(QString::fromStdString(cells[column]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(static_cast<int>(row), static_cast<int>(column), item);
        }
        QPixmap swatch(table->fontMetrics().height(), table->fontMetrics().height() * 2 / 3);
        swatch.fill(toQColor(rows[row].color));
        QPainter frame(&swatch); // white and yellow show on a light background too
        frame.setPen(Qt::black);
        frame.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
        frame.end();
        table->item(static_cast<int>(row), 0)->setIcon(QIcon(swatch));
    }
}

QString MeasurementsWindow::tableText() const {
    return placed ? QString::fromStdString(measurementsText(cursors, shown)) : QString();
}

void MeasurementsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit shownChanged(true);
}

void MeasurementsWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit shownChanged(false);
}

} // namespace sorkam
