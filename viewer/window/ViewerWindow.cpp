#include "viewer/window/ViewerWindow.h"

#include "chart/ChartLayout.h"
#include "chart/OverlayView.h"
#include "picture/ChartFonts.h"
#include "picture/Decorations.h"
#include "picture/ViewPicture.h"
#include "viewer/Commands.h"
#include "viewer/ReadOut.h"
#include "viewer/StatusLine.h"
#include "viewer/WindowFit.h"
#include "viewer/window/CommandActions.h"
#include "viewer/window/QtDialogs.h"
#include "viewer/window/TextDisplay.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include <cmath>
#include <cstdio>

namespace sorkam {

ViewerWindow::ViewerWindow(UserDialogs* dialogs, int dpiOverride, QWidget* parent)
    : QWidget(parent),
      fittedDpi(fittingDpi(dpiOverride > 0 ? dpiOverride : screenDpi(), availableArea())),
      layoutDpi(fittedDpi),
      ownDialogs(dialogs == nullptr ? std::make_unique<QtDialogs>(this) : nullptr),
      userDialogs(dialogs != nullptr ? *dialogs : *ownDialogs), controls(this, layoutDpi),
      control(*this, userDialogs, controls.plotA->surface(), controls.plotB->surface()),
      plotInput(
          control, [this](const std::function<void()>& handler) { run(handler); },
          [this] { return font(); }),
      sharing(
          control, userDialogs, [this] { return controls.plotA->pixelRatio(); }, this),
      browser(
          control, [this](const std::function<void()>& handler) { run(handler); }, this),
      follower(
          [this] {
              control.fileNoticed();
              showOutcome();
          },
          [this](const QString& why) {
              // Told after the handler that asked to follow has run.
              QMetaObject::invokeMethod(
                  this, [this, why] { followingLost(why); }, Qt::QueuedConnection);
          }),
      densityPoll(new QTimer(this)) {
    setObjectName(QStringLiteral("viewerWindow"));
    setWindowTitle(QGuiApplication::applicationDisplayName());
    controls.place(this, layoutDpi);
    addCommands();
    followToolTip = findChild<QAction*>(QStringLiteral("followAction"))->toolTip();
    setAcceptDrops(true);
    controls.plotA->setReadOut([this](QPoint at) { return plotReadOut(controls.plotA, at); });
    controls.plotB->setReadOut([this](QPoint at) { return plotReadOut(controls.plotB, at); });
    addPlotInput();
    controls.statusLine->installEventFilter(this);
    densityPoll->setInterval(100);
    connect(densityPoll, &QTimer::timeout, this,
            [this] { run([this] { control.densityCounted(); }); });

    resize(chart::toPixels(chart::kClientWidth, layoutDpi),
           chart::toPixels(chart::kClientHeight, layoutDpi));
    const WindowPlace place = windowPlace(layoutDpi, availableArea());
    move(place.left, place.top);
}

ViewerWindow::~ViewerWindow() = default;

void ViewerWindow::setGrowWithWindow(bool on) {
    growing = on;
    const int dpi = growing ? growingDpi(width(), height()) : fittedDpi;
    if (dpi != layoutDpi) {
        layoutDpi = dpi;
        controls.place(this, layoutDpi);
    }
}

void ViewerWindow::addCommands() {
    for (const Command& command : kCommands) {
        QAction* action = commandAction(command, this, [this, &command] {
            // The records window hands its picks to the controller itself, each through run.
            if (command.windowAction == WindowAction::ToggleRecords ||
                command.windowAction == WindowAction::ShowMostDistant) {
                browser.run(command.windowAction);
                return;
            }
            run([this, &command] {
                if (command.handler != nullptr) {
                    (control.*command.handler)();
                } else {
                    sharing.run(command.windowAction);
                }
            });
        });
        addAction(action);
        QPushButton* button = command.name == "nextAction"       ? controls.nextButton
                              : command.name == "previousAction" ? controls.previousButton
                              : command.name == "clearAction"    ? controls.clearButton
                                                                 : nullptr;
        if (button != nullptr) {
            button->setToolTip(action->toolTip());
            connect(button, &QPushButton::clicked, action, &QAction::trigger);
        }
    }
    for (PlotWidget* plot : {controls.plotA, controls.plotB}) {
        plot->addActions(actions());
        plot->setContextMenuPolicy(Qt::DefaultContextMenu); // its own: a right drag zooms
    }
}

QString ViewerWindow::plotReadOut(const PlotWidget* plot, QPoint at) const {
    ChartPoint point = chartPointAt(at.x(), at.y(), plot->width(), plot->height());
    point.index = static_cast<int>(
        std::lround(chart::indexAtColumn(control.view().range, at.x(), plot->width())));
    const chart::OverlayRecord* shown = control.lastShown();
    return QString::fromStdString(describePlotPoint(point, shown ? &shown->record : nullptr,
                                                    shown ? shown->number : 0,
                                                    plot == controls.plotA ? 1 : 2));
}

void ViewerWindow::addPlotInput() {
    for (PlotWidget* plot : {controls.plotA, controls.plotB}) {
        const bool upper = plot == controls.plotA;
        plot->setDecoration([this, plot, upper](QPainter& painter) {
            const chart::View& view = control.view();
            const int which = upper ? 0 : 1;
            chart::paintPlotDecorations(painter, plot->size(), which, view,
                                        chart::legendOnPlot(view, which)
                                            ? chart::legendEntries(control.overlay(), view)
                                            : std::vector<chart::LegendEntry>{},
                                        upper ? plotNote() : QString());
        });
        plot->setMouseInput(plotInput.inputFor(*plot, upper ? 0 : 1));
    }
}

void ViewerWindow::refreshView() {
    // The kept pictures, as the records were painted on them, while the plots show the whole
    // chart with every record; else a view painted afresh from the records on the plots.
    const bool ownView = !control.view().plain();
    if (ownView) {
        ImagePlotSurface& viewA = controls.plotA->viewSurface();
        ImagePlotSurface& viewB = controls.plotB->viewSurface();
        viewA.clear();
        viewB.clear();
        chart::paintDensity(viewA, control.view(), 0);
        chart::paintDensity(viewB, control.view(), 1);
        chart::paintOverlay(viewA, viewB, control.overlay(), control.view());
    }
    controls.plotA->showView(ownView);
    controls.plotB->showView(ownView);
    sharing.refreshMeasurements();
    browser.refresh();
}

Result<void, std::string> ViewerWindow::saveView(const std::string& path) {
    return sharing.save(path);
}

std::optional<double> ViewerWindow::pointerIndex() const {
    for (const PlotWidget* plot : {controls.plotA, controls.plotB}) {
        const QPoint at = plot->mapFromGlobal(QCursor::pos());
        if (plot->underMouse() && plot->rect().contains(at)) {
            return chart::indexAtColumn(control.view().range, at.x(), plot->width());
        }
    }
    return std::nullopt;
}

void ViewerWindow::setFollowing(bool on) {
    auto* action = findChild<QAction*>(QStringLiteral("followAction"));
    if (on && action != nullptr) {
        action->setToolTip(followToolTip);
    }
    follower.follow(on ? control.dataFile() : std::string());
}

void ViewerWindow::followingLost(const QString& why) {
    run([this] { control.stopFollowing(); });
    if (auto* action = findChild<QAction*>(QStringLiteral("followAction"))) {
        action->setChecked(false);
        action->setToolTip(followToolTip + QLatin1Char('\n') +
                           tr("Following stopped: the file cannot be watched: %1").arg(why));
    }
}

QString ViewerWindow::followingNote() const {
    // Records past the last one stepping reaches are not shown, but never passed over in silence.
    const std::int64_t count = control.recordsFollowed();
    constexpr std::int64_t kReached = ViewerController::kLastRecord + 1;
    if (count <= kReached) {
        return count == 1 ? tr("following the file: 1 record")
                          : tr("following the file: %1 records").arg(count);
    }
    return tr("following the file: %1 records, %2 after record %3 not shown")
        .arg(count)
        .arg(count - kReached)
        .arg(ViewerController::kLastRecord);
}

QString ViewerWindow::statusReadOut() const {
    const chart::View& view = control.view();
    return QString::fromStdString(
        describeRecordPosition(control.recordNumber(), control.recordsInFile()) +
        (view.difference && view.reference
             ? "\nminus record " + std::to_string(view.reference->number)
             : std::string()));
}

bool ViewerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == controls.statusLine && event->type() == QEvent::ToolTip) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), statusReadOut(),
                           controls.statusLine);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ViewerWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedFile(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void ViewerWindow::dropEvent(QDropEvent* event) {
    if (const auto path = droppedFile(event->mimeData())) {
        event->acceptProposedAction();
        run([this, &path] { control.openAnother(*path); });
    }
}

void ViewerWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange &&
        (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized) &&
        !isMinimized()) {
        repaintLikeAResize(); // restored from minimised
    }
}

void ViewerWindow::closeEvent(QCloseEvent* event) {
    run([this] { control.closeWindow(); });
    event->accept();
}

void ViewerWindow::start(const std::string& commandLine) {
    followScreen();
    run([this, &commandLine] { control.start(commandLine); });
}

void ViewerWindow::run(const std::function<void()>& handler) {
    control.handle(handler);
    showOutcome();
}

void ViewerWindow::repaintLikeAResize() {
    control.resized();
    showOutcome();
}

void ViewerWindow::showOutcome() {
    if (const auto status = control.exitStatus()) {
        if (!ending) {
            ending = true;
            hide();
            // Takes effect once the event loop runs, also when the end comes before it started.
            QMetaObject::invokeMethod(
                qApp, [status] { QCoreApplication::exit(*status); }, Qt::QueuedConnection);
        }
        return;
    }
    refreshView();
    controls.plotA->update();
    controls.plotB->update();
    if (control.densityCounting()) {
        densityPoll->start();
    } else {
        densityPoll->stop();
    }
}

std::pair<int, int> ViewerWindow::plotPixels() const {
    const QSize size = controls.plotA->surface().size();
    return {size.width(), size.height()};
}

QString ViewerWindow::plotNote() const {
    QString note = control.following() ? followingNote() : QString();
    if (const auto counting = control.densityCounting()) {
        note += (note.isEmpty() ? QString() : QStringLiteral("; ")) +
                tr("counting the density of %1 records: %2% (Esc stops)")
                    .arg(counting->second)
                    .arg(static_cast<int>(counting->first * 100.0));
    }
    return note;
}

void ViewerWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (growing) {
        const int before = layoutDpi;
        setGrowWithWindow(true); // the layout at the window's new size
        if (layoutDpi != before) {
            // New pictures hold nothing: every record on the plots again, then the current one.
            run([this] { control.repaintOverlay(); });
        }
    }
    repaintLikeAResize();
}

void ViewerWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!screenWatched && windowHandle() != nullptr) {
        screenWatched = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [this] {
            if (controls.plotA->devicePixelRatioF() != controls.plotA->pixelRatio()) {
                followScreen();
                // A new picture holds nothing: every record on the plots painted again, then the
                // frame and the current record, as on a resize.
                run([this] { control.repaintOverlay(); });
                repaintLikeAResize();
            }
        });
    }
}

void ViewerWindow::followScreen() {
    controls.plotA->setPixelRatio(controls.plotA->devicePixelRatioF());
    controls.plotB->setPixelRatio(controls.plotB->devicePixelRatioF());
}

void ViewerWindow::setTitle(const std::string& title) {
    setWindowTitle(literalWindowTitle(pathForDisplay(title)));
}

void ViewerWindow::setStatusText(const std::string& text) {
    controls.statusLine->setText(headerTextForDisplay(text));
}

void ViewerWindow::setStatusColor(Color color) {
    QPalette palette = controls.statusLine->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    palette.setColor(QPalette::Window, toQColor(statusBackground(color)));
    controls.statusLine->setPalette(palette);
}

void ViewerWindow::explainFailure(const std::string& line) {
    const QByteArray text = (QGuiApplication::applicationName() + QStringLiteral(": ") +
                             pathForDisplay(line) + QLatin1Char('\n'))
                                .toLocal8Bit();
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stderr);
    std::fflush(stderr);
}

} // namespace sorkam
