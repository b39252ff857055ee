#include "viewer/window/ViewerWindow.h"

#include "chart/ChartLayout.h"
#include "chart/OverlayView.h"
#include "picture/ChartFonts.h"
#include "picture/Decorations.h"
#include "viewer/Commands.h"
#include "viewer/Measurements.h"
#include "viewer/ReadOut.h"
#include "viewer/StatusLine.h"
#include "viewer/WindowFit.h"
#include "viewer/window/CommandActions.h"
#include "viewer/window/MeasurementsWindow.h"
#include "viewer/window/QtDialogs.h"
#include "viewer/window/TextDisplay.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QToolTip>
#include <QUrl>
#include <QWindow>

#include <cmath>
#include <cstdio>

namespace sorkam {

namespace {

int screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dpi = screen != nullptr ? static_cast<int>(screen->logicalDotsPerInch() + 0.5) : 96;
    return dpi > 0 ? dpi : 96;
}

// The part of the screen that windows may take, without panels and docks.
ScreenArea availableArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {0, 0, 1 << 16, 1 << 16};
    }
    const QRect area = screen->availableGeometry();
    return {area.left(), area.top(), area.width(), area.height()};
}

// A font of the layout at another size: its point size times scale.
QFont scaled(QFont font, double scale) {
    if (scale != 1.0) {
        font.setPointSizeF(font.pointSizeF() * scale);
    }
    return font;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    // Its access key is its action's key, which works wherever the focus is; two owners of one
    // key would leave it to neither.
    button->setShortcut(QKeySequence());
    return button;
}

PlotWidget* makePlot(QWidget* parent, const char* name, const chart::TwipsRect& place, int dpi) {
    auto* plot = new PlotWidget(place, dpi, parent);
    plot->setObjectName(QString::fromLatin1(name));
    return plot;
}

// The one local file a drag carries, as the bytes of its path; nothing for anything else.
std::optional<std::string> droppedFile(const QMimeData* data) {
    if (data == nullptr || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile()) {
        return std::nullopt;
    }
    // The URL's path percent-encodes the name's bytes, also those that are not UTF-8.
    return QByteArray::fromPercentEncoding(
               data->urls().constFirst().path(QUrl::FullyEncoded).toLatin1())
        .toStdString();
}

// "following the file", at the plot's top left, while the file is followed.
void paintFollowingMark(QPainter& painter) {
    const QString text = QCoreApplication::translate("ViewerWindow", "following the file");
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect box(40, 4, metrics.horizontalAdvance(text) + 8, metrics.height() + 2);
    painter.fillRect(box, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace

ViewerWindow::ViewerWindow(UserDialogs* dialogs, int dpiOverride, QWidget* parent)
    : QWidget(parent),
      fittedDpi(fittingDpi(dpiOverride > 0 ? dpiOverride : screenDpi(), availableArea())),
      layoutDpi(fittedDpi),
      ownDialogs(dialogs == nullptr ? std::make_unique<QtDialogs>(this) : nullptr),
      userDialogs(dialogs != nullptr ? *dialogs : *ownDialogs),
      plotA(makePlot(this, "plotA", chart::kPlotA, layoutDpi)),
      plotB(makePlot(this, "plotB", chart::kPlotB, layoutDpi)),
      control(*this, userDialogs, plotA->surface(), plotB->surface()),
      plotInput(
          control, [this](const std::function<void()>& handler) { run(handler); },
          [this] { return font(); }),
      sharing(control, userDialogs, [this] { return plotA->pixelRatio(); }), follower([this] {
          control.fileNoticed();
          showOutcome();
      }) {
    setObjectName(QStringLiteral("viewerWindow"));
    setWindowTitle(QGuiApplication::applicationDisplayName());
    addControls();
    placeControls();
    addCommands();
    describeControls();
    setAcceptDrops(true);
    plotA->setReadOut([this](QPoint at) { return plotReadOut(plotA, at); });
    plotB->setReadOut([this](QPoint at) { return plotReadOut(plotB, at); });
    addPlotInput();
    statusLine->installEventFilter(this);

    resize(chart::toPixels(chart::kClientWidth, layoutDpi),
           chart::toPixels(chart::kClientHeight, layoutDpi));
    const WindowPlace place = windowPlace(layoutDpi, availableArea());
    move(place.left, place.top);
}

ViewerWindow::~ViewerWindow() = default;

void ViewerWindow::addControls() {
    captionA = makeLabel(this, "captionA", tr("VIDEO A"));
    captionB = makeLabel(this, "captionB", tr("VIDEO B"));
    statusLine = makeLabel(this, "statusLine", QString());
    // The status text takes the record's colour, white and yellow among them, on a background
    // chosen for that colour; until then the plots' grey.
    static_assert(kStatusGrey == ImagePlotSurface::kBackground);
    statusLine->setAutoFillBackground(true);
    QPalette statusPalette = statusLine->palette();
    statusPalette.setColor(QPalette::Window, toQColor(kStatusGrey));
    statusLine->setPalette(statusPalette);
    clearButton = makeButton(this, "clearButton", tr("&Clear"));
    previousButton = makeButton(this, "previousButton", tr("<"));
    nextButton = makeButton(this, "nextButton", tr(">"));
    // The captions sit above the plot areas they name.
    captionA->lower();
    captionB->lower();

    setTabOrder(plotA, nextButton);
    setTabOrder(nextButton, previousButton);
    setTabOrder(previousButton, clearButton);
    setTabOrder(clearButton, plotB);
}

void ViewerWindow::placeControls() {
    // The fonts' point sizes are the layout's at the screen's own dots per inch; a layout scaled
    // to another dpi scales them alike.
    const double fontScale = static_cast<double>(layoutDpi) / screenDpi();
    setFont(scaled(chart::windowFont(), fontScale));
    const std::pair<QWidget*, chart::TwipsRect> places[] = {
        {captionA, chart::kCaptionA},
        {captionB, chart::kCaptionB},
        {statusLine, chart::kStatusLine},
        {clearButton, chart::kClearButton},
        {previousButton, chart::kPreviousButton},
        {nextButton, chart::kNextButton},
    };
    for (const auto& [control, place] : places) {
        control->setGeometry(chart::qRectOf(place, layoutDpi));
        control->setFont(scaled(qobject_cast<QLabel*>(control) != nullptr ? chart::captionFont()
                                                                          : chart::buttonFont(),
                                fontScale));
    }
    plotA->setLayoutDpi(layoutDpi);
    plotB->setLayoutDpi(layoutDpi);
}

void ViewerWindow::setGrowWithWindow(bool on) {
    growing = on;
    const int dpi = growing ? growingDpi(width(), height()) : fittedDpi;
    if (dpi != layoutDpi) {
        layoutDpi = dpi;
        placeControls();
    }
}

void ViewerWindow::addCommands() {
    for (const Command& command : kCommands) {
        const auto handler = command.handler;
        QAction* action = commandAction(
            command, this, [this, handler] { run([this, handler] { (control.*handler)(); }); });
        addAction(action);
        QPushButton* button = command.name == "nextAction"       ? nextButton
                              : command.name == "previousAction" ? previousButton
                              : command.name == "clearAction"    ? clearButton
                                                                 : nullptr;
        if (button != nullptr) {
            button->setToolTip(action->toolTip());
            connect(button, &QPushButton::clicked, action, &QAction::trigger);
        }
    }
    for (PlotWidget* plot : {plotA, plotB}) {
        plot->addActions(actions());
        plot->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
}

void ViewerWindow::describeControls() {
    nextButton->setAccessibleName(tr("Next record"));
    nextButton->setAccessibleDescription(tr("Shows the next record over the ones shown before"));
    previousButton->setAccessibleName(tr("Previous record"));
    previousButton->setAccessibleDescription(
        tr("Shows the previous record over the ones shown before"));
    clearButton->setAccessibleName(tr("Clear"));
    clearButton->setAccessibleDescription(tr("Clears both plots back to the bare frame"));
    plotA->setAccessibleName(tr("VIDEO A plot"));
    plotA->setAccessibleDescription(tr("Channels 1 and 3 of the records shown"));
    plotB->setAccessibleName(tr("VIDEO B plot"));
    plotB->setAccessibleDescription(tr("Channels 2 and 4 of the records shown"));
    statusLine->setAccessibleName(tr("Status line"));
    statusLine->setAccessibleDescription(tr("The header texts of the record shown last"));
}

QString ViewerWindow::plotReadOut(const PlotWidget* plot, QPoint at) const {
    ChartPoint point = chartPointAt(at.x(), at.y(), plot->width(), plot->height());
    point.index = static_cast<int>(
        std::lround(chart::indexAtColumn(control.view().range, at.x(), plot->width())));
    const chart::OverlayRecord* shown = control.lastShown();
    return QString::fromStdString(describePlotPoint(
        point, shown ? &shown->record : nullptr, shown ? shown->number : 0, plot == plotA ? 1 : 2));
}

void ViewerWindow::addPlotInput() {
    for (PlotWidget* plot : {plotA, plotB}) {
        const bool upper = plot == plotA;
        plot->setDecoration([this, plot, upper](QPainter& painter) {
            const chart::View& view = control.view();
            chart::paintCursors(painter, plot->size(), view.range, view.cursorA, view.cursorB);
            if (upper && view.legend) {
                chart::paintLegend(painter, chart::legendEntries(control.overlay(), view),
                                   plot->size());
            }
            if (upper && control.following()) {
                paintFollowingMark(painter);
            }
        });
        plot->setMouseInput(plotInput.inputFor(*plot, upper));
    }
}

void ViewerWindow::refreshView() {
    // The kept pictures, as the records were painted on them, while the plots show the whole
    // chart with every record; else a view painted afresh from the records on the plots.
    const bool ownView = !control.view().plain();
    if (ownView) {
        ImagePlotSurface& viewA = plotA->viewSurface();
        ImagePlotSurface& viewB = plotB->viewSurface();
        viewA.clear();
        viewB.clear();
        chart::paintOverlay(viewA, viewB, control.overlay(), control.view());
    }
    plotA->showView(ownView);
    plotB->showView(ownView);
    if (measurements != nullptr && measurements->isVisible()) {
        showMeasurements();
    }
}

void ViewerWindow::showMeasurements() {
    if (measurements == nullptr) {
        measurements = new MeasurementsWindow(this);
    }
    const chart::View& view = control.view();
    measurements->showMeasurements(view.cursorA, view.cursorB, measure(control.overlay(), view));
    if (!measurements->isVisible()) {
        measurements->show();
    }
}

void ViewerWindow::copyView() {
    sharing.copy();
}

std::optional<std::string> ViewerWindow::saveView(const std::string& path) {
    return sharing.save(path);
}

void ViewerWindow::printView() {
    sharing.print();
}

void ViewerWindow::setFollowing(bool on) {
    follower.follow(on ? control.dataFile() : std::string());
}

QString ViewerWindow::statusReadOut() const {
    return QString::fromStdString(
        describeRecordPosition(control.recordNumber(), control.recordsInFile()));
}

bool ViewerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == statusLine && event->type() == QEvent::ToolTip) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), statusReadOut(),
                           statusLine);
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
    plotA->update();
    plotB->update();
}

void ViewerWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (growing) {
        setGrowWithWindow(true); // the layout at the window's new size
    }
    repaintLikeAResize();
}

void ViewerWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!screenWatched && windowHandle() != nullptr) {
        screenWatched = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [this] {
            if (plotA->devicePixelRatioF() != plotA->pixelRatio()) {
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
    plotA->setPixelRatio(plotA->devicePixelRatioF());
    plotB->setPixelRatio(plotB->devicePixelRatioF());
}

void ViewerWindow::setTitle(const std::string& title) {
    setWindowTitle(literalWindowTitle(pathForDisplay(title)));
}

void ViewerWindow::setStatusText(const std::string& text) {
    statusLine->setText(headerTextForDisplay(text));
}

void ViewerWindow::setStatusColor(Color color) {
    QPalette palette = statusLine->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    palette.setColor(QPalette::Window, toQColor(statusBackground(color)));
    statusLine->setPalette(palette);
}

void ViewerWindow::explainFailure(const std::string& line) {
    const QByteArray text = (QGuiApplication::applicationName() + QStringLiteral(": ") +
                             pathForDisplay(line) + QLatin1Char('\n'))
                                .toLocal8Bit();
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stderr);
    std::fflush(stderr);
}

} // namespace sorkam
