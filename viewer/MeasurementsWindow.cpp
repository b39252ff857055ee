#include "viewer/MeasurementsWindow.h"

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
            [this] { QGuiApplication::clipboard()->setText(text); });
    addAction(copy);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    resize(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 80, fontMetrics().height() * 24);
}

void MeasurementsWindow::showMeasurements(const std::optional<int>& a, const std::optional<int>& b,
                                          const std::vector<Measurement>& rows) {
    if (!a || !b) {
        distance->setText(tr("Click a plot to set cursor A, Shift+click to set cursor B."));
        table->clear();
        table->setRowCount(0);
        text.clear();
        return;
    }
    distance->setText(tr("A at %1, B at %2: B-A = %3 samples").arg(*a).arg(*b).arg(*b - *a));
    text = QString::fromStdString(measurementsText(rows));
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList header = lines.value(0).split(QLatin1Char('\t'));
    table->setColumnCount(static_cast<int>(header.size()));
    table->setHorizontalHeaderLabels(header);
    table->setRowCount(static_cast<int>(lines.size()) - 1);
    for (int row = 1; row < lines.size(); ++row) {
        const QStringList cells = lines[row].split(QLatin1Char('\t'));
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row - 1, column, item);
        }
    }
    table->resizeColumnsToContents();
}

} // namespace sorkam
