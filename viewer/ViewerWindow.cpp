#include "viewer/ViewerWindow.h"

#include "plot/Fonts.h"
#include "viewer/QtDialogs.h"
#include "viewer/TextDisplay.h"
#include "viewer/WindowLayout.h"
#include "viewer/WindowStyle.h"

#include "viewer/ReadOut.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QToolTip>
#include <QUrl>
#include <QWindow>

#include <cstdio>

namespace sorkam {

namespace {

int screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dpi = screen != nullptr ? static_cast<int>(screen->logicalDotsPerInch() + 0.5) : 96;
    return dpi > 0 ? dpi : 96;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& rect) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(serifFont(layout::kLabelPointSize));
    label->setGeometry(rect);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, const QRect& rect) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(sansFont(layout::kButtonPointSize));
    button->setGeometry(rect);
    button->setAutoDefault(false);
    return button;
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

PlotWidget* makePlot(QWidget* parent, const char* name, const QRect& rect, int dpi) {
    auto* plot = new PlotWidget(rect.size(), dpi, parent);
    plot->setObjectName(QString::fromLatin1(name));
    plot->move(rect.topLeft());
    return plot;
}

} // namespace

ViewerWindow::ViewerWindow(UserDialogs* dialogs, int dpiOverride, QWidget* parent)
    : QWidget(parent), dpi(dpiOverride > 0 ? dpiOverride : screenDpi()),
      ownDialogs(dialogs == nullptr ? std::make_unique<QtDialogs>(this) : nullptr),
      plotAreaA(makePlot(this, "plotA", pixelRect(layout::kPlotA, dpi), dpi)),
      plotAreaB(makePlot(this, "plotB", pixelRect(layout::kPlotB, dpi), dpi)),
      control(*this, dialogs != nullptr ? *dialogs : *ownDialogs, plotAreaA->surface(),
              plotAreaB->surface()) {
    setObjectName(QStringLiteral("viewerWindow"));
    setWindowTitle(QGuiApplication::applicationDisplayName());
    setFont(serifFont(layout::kWindowPointSize));

    labelA = makeLabel(this, "captionA", tr("VIDEO A"), pixelRect(layout::kLabelA, dpi));
    labelB = makeLabel(this, "captionB", tr("VIDEO B"), pixelRect(layout::kLabelB, dpi));
    status = makeLabel(this, "statusLabel", QString(), pixelRect(layout::kStatus, dpi));
    // The status text takes the record's colour, white and yellow among them: it stands on the
    // plot areas' grey, where every record colour is readable.
    status->setAutoFillBackground(true);
    QPalette statusPalette = status->palette();
    statusPalette.setColor(QPalette::Window, toQColor(ImagePlotSurface::kBackground));
    status->setPalette(statusPalette);
    clear = makeButton(this, "clearButton", tr("&Clear"), pixelRect(layout::kClear, dpi));
    previous = makeButton(this, "previousButton", tr("<"), pixelRect(layout::kPrevious, dpi));
    next = makeButton(this, "nextButton", tr(">"), pixelRect(layout::kNext, dpi));
    // The captions sit above the plot areas they name.
    labelA->lower();
    labelB->lower();

    setTabOrder(plotAreaA, next);
    setTabOrder(next, previous);
    setTabOrder(previous, clear);
    setTabOrder(clear, plotAreaB);

    connect(next, &QPushButton::clicked, this, [this] { run([this] { control.showNext(); }); });
    connect(previous, &QPushButton::clicked, this,
            [this] { run([this] { control.showPrevious(); }); });
    connect(clear, &QPushButton::clicked, this, [this] { run([this] { control.clearPlots(); }); });
    addKeys();
    describeControls();
    setAcceptDrops(true);
    plotAreaA->setReadOut([this](QPoint at) { return plotReadOut(plotAreaA, at); });
    plotAreaB->setReadOut([this](QPoint at) { return plotReadOut(plotAreaB, at); });
    status->installEventFilter(this);

    resize(layout::toPixels(layout::kClientWidth, dpi),
           layout::toPixels(layout::kClientHeight, dpi));
    move(layout::toPixels(layout::kClientLeft, dpi), layout::toPixels(layout::kClientTop, dpi));
}

ViewerWindow::~ViewerWindow() = default;

void ViewerWindow::addKeys() {
    const auto key = [this](const QKeySequence& sequence, const std::function<void()>& handler) {
        auto* shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, handler] { run(handler); });
    };
    for (const QKeySequence& sequence :
         {QKeySequence(Qt::Key_Right), QKeySequence(Qt::Key_PageDown)}) {
        key(sequence, [this] { control.showNext(); });
    }
    for (const QKeySequence& sequence :
         {QKeySequence(Qt::Key_Left), QKeySequence(Qt::Key_PageUp)}) {
        key(sequence, [this] { control.showPrevious(); });
    }
    key(QKeySequence(Qt::CTRL | Qt::Key_O), [this] { control.openWithDialog(); });
    for (const QKeySequence& sequence :
         {QKeySequence(Qt::CTRL | Qt::Key_Q), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(sequence, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
}

void ViewerWindow::describeControls() {
    next->setToolTip(tr("Next record (Right, Page Down)"));
    previous->setToolTip(tr("Previous record (Left, Page Up)"));
    clear->setToolTip(tr("Clear both plots back to the frame (Alt+C)"));
    next->setAccessibleName(tr("Next record"));
    next->setAccessibleDescription(tr("Shows the next record over the ones shown before"));
    previous->setAccessibleName(tr("Previous record"));
    previous->setAccessibleDescription(tr("Shows the previous record over the ones shown before"));
    clear->setAccessibleName(tr("Clear"));
    clear->setAccessibleDescription(tr("Clears both plots back to the bare frame"));
    plotAreaA->setAccessibleName(tr("VIDEO A plot"));
    plotAreaA->setAccessibleDescription(tr("Channels 1 and 3 of the records shown"));
    plotAreaB->setAccessibleName(tr("VIDEO B plot"));
    plotAreaB->setAccessibleDescription(tr("Channels 2 and 4 of the records shown"));
    status->setAccessibleName(tr("Status line"));
    status->setAccessibleDescription(tr("The header texts of the record shown last"));
}

QString ViewerWindow::plotReadOut(const PlotWidget* plot, QPoint at) const {
    const ChartPoint point = chartPointAt(at.x(), at.y(), plot->width(), plot->height());
    const auto& shown = control.lastShown();
    return QString::fromStdString(sorkam::plotReadOut(point, shown ? &shown->record : nullptr,
                                                      shown ? shown->number : 0,
                                                      plot == plotAreaA ? 1 : 2));
}

QString ViewerWindow::statusReadOut() const {
    return QString::fromStdString(
        sorkam::statusReadOut(control.recordNumber(), control.recordsInFile()));
}

bool ViewerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == status && event->type() == QEvent::ToolTip) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), statusReadOut(), status);
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

void ViewerWindow::start(const std::string& commandLine) {
    followScreen();
    run([this, &commandLine] { control.start(commandLine); });
}

void ViewerWindow::run(const std::function<void()>& handler) {
    // A modal box inside a handler runs a nested event loop; a resize that arrives meanwhile is
    // handled after the running handler, so handlers never overlap.
    inHandler = true;
    handler();
    while (resizePending && !control.ended()) {
        resizePending = false;
        control.repaint();
    }
    inHandler = false;
    plotAreaA->update();
    plotAreaB->update();
}

void ViewerWindow::repaintLikeAResize() {
    if (inHandler) {
        resizePending = true;
        return;
    }
    run([this] { control.repaint(); });
}

void ViewerWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    repaintLikeAResize();
}

void ViewerWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!screenWatched && windowHandle() != nullptr) {
        screenWatched = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [this] {
            if (plotAreaA->devicePixelRatioF() != plotAreaA->pixelRatio()) {
                followScreen();
                // A new picture holds nothing: the frame and the current record, as on a resize.
                repaintLikeAResize();
            }
        });
    }
}

void ViewerWindow::followScreen() {
    plotAreaA->setPixelRatio(plotAreaA->devicePixelRatioF());
    plotAreaB->setPixelRatio(plotAreaB->devicePixelRatioF());
}

void ViewerWindow::setTitle(const std::string& title) {
    setWindowTitle(literalWindowTitle(pathForDisplay(title)));
}

void ViewerWindow::setStatusText(const std::string& text) {
    status->setText(headerTextForDisplay(text));
}

void ViewerWindow::setStatusColor(Color color) {
    QPalette palette = status->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    status->setPalette(palette);
}

void ViewerWindow::explainFailure(const std::string& line) {
    const QByteArray text = (QGuiApplication::applicationName() + QStringLiteral(": ") +
                             pathForDisplay(line) + QLatin1Char('\n'))
                                .toLocal8Bit();
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stderr);
    std::fflush(stderr);
}

void ViewerWindow::endProgram(int exitCode) {
    if (endStatus) {
        return;
    }
    endStatus = exitCode;
    hide();
    // Takes effect once the event loop runs, also when the failure comes before it started.
    QMetaObject::invokeMethod(
        qApp, [exitCode] { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
}

} // namespace sorkam
