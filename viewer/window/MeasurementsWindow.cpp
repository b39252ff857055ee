#include "viewer/window/MeasurementsWindow.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
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
    resize(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 80, fontMetrics().height() * 24);
}

void MeasurementsWindow::showMeasurements(const std::optional<int>& a, const std::optional<int>& b,
                                          const std::vector<Measurement>& rows) {
    if (!a || !b) {
        distance->setText(tr("Click a plot to set cursor A, Shift+click to set cursor B."));
        table->clear();
        table->setRowCount(0);
        shown.clear();
        placed = false;
        return;
    }
    shown = rows;
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
    }
    table->resizeColumnsToContents();
}

QString MeasurementsWindow::tableText() const {
    return placed ? QString::fromStdString(measurementsText(shown)) : QString();
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
