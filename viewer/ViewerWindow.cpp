#include "viewer/ViewerWindow.h"

#include "plot/Fonts.h"
#include "viewer/QtDialogs.h"
#include "viewer/TextDisplay.h"
#include "viewer/WindowLayout.h"
#include "viewer/WindowStyle.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>

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

    resize(layout::toPixels(layout::kClientWidth, dpi),
           layout::toPixels(layout::kClientHeight, dpi));
    move(layout::toPixels(layout::kClientLeft, dpi), layout::toPixels(layout::kClientTop, dpi));
}

ViewerWindow::~ViewerWindow() = default;

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

void ViewerWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (inHandler) {
        resizePending = true;
        return;
    }
    run([this] { control.repaint(); });
}

void ViewerWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!screenWatched && windowHandle() != nullptr) {
        screenWatched = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [this] {
            if (plotAreaA->devicePixelRatioF() != plotAreaA->pixelRatio()) {
                followScreen();
                // A new picture holds nothing: the frame and the current record, as on a resize.
                if (inHandler) {
                    resizePending = true;
                } else {
                    run([this] { control.repaint(); });
                }
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
