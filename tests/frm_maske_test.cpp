// The window under the offscreen platform: layout, captions, fonts, keys, and what it shows.
#include "plot/PlotFrame.h"
#include "support/FakeViewer.h"
#include "support/TempFiles.h"
#include "viewer/FrmMaske.h"
#include "viewer/TextDisplay.h"
#include "viewer/TraceColors.h"

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace sorkam;

namespace {

// Plot images, to compare what the surfaces hold.
QImage plotImage(const FrmMaske& w, int i) {
    return w.picAusgabe(i)->surface().image();
}

int countColour(const QImage& img, QRgb rgb) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            n += img.pixel(x, y) == rgb ? 1 : 0;
        }
    }
    return n;
}

} // namespace

// A window on scripted dialogs, laid out at 96 dpi.
struct Rig {
    test::EventLog log;
    test::ScriptedDialogs dialogs{log};
    FrmMaske w{dialogs, 96};
    // Starts on path and shows the window; false when it never got on screen.
    bool showOn(const std::string& path) {
        w.Form_Load(path);
        w.show();
        return QTest::qWaitForWindowExposed(&w);
    }
};

class FrmMaskeTest : public QObject {
    Q_OBJECT

private slots:
    void controlsStandAtTheirTwipsPlaces_data();
    void controlsStandAtTheirTwipsPlaces();
    void captionsAndFonts();
    void tabOrderRunsFromTheTopPlotThroughTheButtons();
    void titleIsTheAppUntilAFileIsShownThenThePathAsTyped();
    void statusShowsHeaderBytesAsTextInTheRecordsColour();
    void buttonsAndAltCDriveTheController();
    void enlargingKeepsTheLayoutAndRepaints();
    void aFailureAtStartUpEndsWithoutShowingTheWindow();
    void headerTextsMapEveryByteToOneVisibleCharacter();
    void pathsShowTheirCharactersAndNothingThatHidesOrReordersThem_data();
    void pathsShowTheirCharactersAndNothingThatHidesOrReordersThem();

private:
    test::TempDir dir;
};

void FrmMaskeTest::controlsStandAtTheirTwipsPlaces_data() {
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    // At 96 dpi 15 twips are one pixel; at 144 dpi, 10.
    QTest::newRow("96 lbltype(0)") << 96 << "lbltype(0)" << QRect(17, 0, 736, 22);
    QTest::newRow("96 picAusgabe(0)") << 96 << "picAusgabe(0)" << QRect(14, 21, 726, 237);
    QTest::newRow("96 lbltype(1)") << 96 << "lbltype(1)" << QRect(14, 259, 736, 22);
    QTest::newRow("96 picAusgabe(1)") << 96 << "picAusgabe(1)" << QRect(14, 280, 726, 237);
    QTest::newRow("96 lblfile") << 96 << "lblfile" << QRect(14, 525, 407, 22);
    QTest::newRow("96 cmdclear") << 96 << "cmdclear" << QRect(434, 525, 93, 26);
    QTest::newRow("96 cmdDown") << 96 << "cmdDown" << QRect(539, 525, 93, 26);
    QTest::newRow("96 cmdup") << 96 << "cmdup" << QRect(644, 525, 93, 26);
    QTest::newRow("96 frmMaske") << 96 << "frmMaske" << QRect(99, 86, 755, 558);
    QTest::newRow("144 picAusgabe(1)") << 144 << "picAusgabe(1)" << QRect(21, 420, 1089, 356);
    QTest::newRow("144 cmdup") << 144 << "cmdup" << QRect(966, 788, 139, 39);
    QTest::newRow("144 frmMaske") << 144 << "frmMaske" << QRect(149, 129, 1133, 837);
}

void FrmMaskeTest::controlsStandAtTheirTwipsPlaces() {
    QFETCH(int, dpi);
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    test::EventLog log;
    test::ScriptedDialogs dialogs(log);
    FrmMaske window(dialogs, dpi);
    QWidget* control = name == "frmMaske" ? &window : window.findChild<QWidget*>(name);
    QVERIFY2(control != nullptr, qPrintable(name));
    QCOMPARE(control->geometry(), rect);
    if (name.startsWith("picAusgabe")) {
        QCOMPARE(static_cast<PlotWidget*>(control)->surface().image().size(), rect.size());
    }
}

void FrmMaskeTest::captionsAndFonts() {
    test::EventLog log;
    test::ScriptedDialogs dialogs(log);
    FrmMaske w(dialogs, 96);
    QCOMPARE(w.lbltype(0)->text(), QString("VIDEO A"));
    QCOMPARE(w.lbltype(1)->text(), QString("VIDEO B"));
    QCOMPARE(w.lblfile()->text(), QString());
    QCOMPARE(w.cmdclear()->text(), QString("&Clear"));
    QCOMPARE(w.cmdDown()->text(), QString("<"));
    QCOMPARE(w.cmdup()->text(), QString(">"));
    for (QLabel* label : {w.lbltype(0), w.lbltype(1), w.lblfile()}) {
        QCOMPARE(label->font().family(), QString("Times New Roman"));
        QCOMPARE(label->font().pointSizeF(), 14.25);
        QVERIFY(!label->font().bold() && !label->font().italic());
        QCOMPARE(label->textFormat(), Qt::PlainText);
        // fontconfig gives a face metric-compatible with Times New Roman.
        QVERIFY2(QFontInfo(label->font()).family().contains("Serif") ||
                     QFontInfo(label->font()).family().contains("Times"),
                 qPrintable(QFontInfo(label->font()).family()));
    }
    for (QPushButton* button : {w.cmdclear(), w.cmdDown(), w.cmdup()}) {
        QCOMPARE(button->font().pointSizeF(), 8.25);
        QVERIFY(!button->font().bold() && !button->font().italic());
    }
    QCOMPARE(w.font().pointSizeF(), 8.25);
}

void FrmMaskeTest::tabOrderRunsFromTheTopPlotThroughTheButtons() {
    test::EventLog log;
    test::ScriptedDialogs dialogs(log);
    FrmMaske w(dialogs, 96);
    QList<QWidget*> order;
    QWidget* at = w.picAusgabe(0);
    for (int k = 0; k < 5; ++k) {
        order.append(at);
        do {
            at = at->nextInFocusChain();
        } while (at->focusPolicy() == Qt::NoFocus);
    }
    const QList<QWidget*> expected = {w.picAusgabe(0), w.cmdup(), w.cmdDown(), w.cmdclear(),
                                      w.picAusgabe(1)};
    QCOMPARE(order, expected);
}

void FrmMaskeTest::titleIsTheAppUntilAFileIsShownThenThePathAsTyped() {
    test::EventLog log;
    test::ScriptedDialogs dialogs(log);
    FrmMaske w(dialogs, 96);
    QCOMPARE(w.windowTitle(), QString("sorkam"));
    const std::string path = dir.write("run [*] <b>1<i> é.vid", test::numberedRecords(1));
    w.Form_Load(path);
    QVERIFY(!w.exitStatus());
    // Qt would drop a "[*]" placeholder; the title must read exactly as the path.
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowTitle(), literalWindowTitle(QString::fromStdString(path)));
    QCOMPARE(w.windowHandle()->title(), QString::fromStdString(path));
}

void FrmMaskeTest::statusShowsHeaderBytesAsTextInTheRecordsColour() {
    std::array<ChannelBuffer, 4> none{};
    std::vector<std::uint8_t> file;
    testdata::appendRecord(file, testdata::encodeRecord("<b>x</b>", "A&B\tC", none));
    testdata::appendRecord(file, testdata::encodeRecord("12.05.26", "10:00:00.0", none));
    test::EventLog log;
    test::ScriptedDialogs dialogs(log);
    FrmMaske w(dialogs, 96);
    w.Form_Load(dir.write("status.vid", file));
    QCOMPARE(w.lblfile()->text(), QString("<b>x</b> A&B\u2409C     "));
    QCOMPARE(w.lblfile()->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    w.cmdup()->click();
    QCOMPARE(w.lblfile()->text(), QString("12.05.26 10:00:00.0"));
    QCOMPARE(w.lblfile()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

void FrmMaskeTest::buttonsAndAltCDriveTheController() {
    Rig rig;
    auto& [log, dialogs, w] = rig;
    QVERIFY(rig.showOn(dir.write("demo.vid", testdata::demoFile(3))));
    const QImage bareAndRecord0 = plotImage(w, 0);
    const QRgb red = qRgb(255, 0, 0);
    QCOMPARE(countColour(bareAndRecord0, red), 0);

    QTest::mouseClick(w.cmdup(), Qt::LeftButton);
    QCOMPARE(w.controller().RecordNo(), std::int16_t{1});
    QVERIFY(countColour(plotImage(w, 0), red) > 500);
    QVERIFY(countColour(plotImage(w, 1), red) > 500);

    QTest::mouseClick(w.cmdDown(), Qt::LeftButton);
    QCOMPARE(w.controller().RecordNo(), std::int16_t{0});
    QTest::mouseClick(w.cmdDown(), Qt::LeftButton);
    QCOMPARE(dialogs.messages, std::vector<std::string>{"top-of-file"});

    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QSignalSpy clearClicked(w.cmdclear(), &QPushButton::clicked);
    QTest::keyClick(&w, Qt::Key_C, Qt::AltModifier);
    // An access key presses its button the way a click does, after the button's short animation.
    QTRY_COMPARE(clearClicked.count(), 1);
    QCOMPARE(countColour(plotImage(w, 0), red), 0);
    QCOMPARE(countColour(plotImage(w, 0), qRgb(0, 0, 0)) > 0, true);
    // Only the frame is left: no trace of record 0 either.
    FrmMaske bare(dialogs, 96);
    DrawFrame(bare.picAusgabe(0)->surface(), bare.picAusgabe(1)->surface());
    QCOMPARE(plotImage(w, 0), plotImage(bare, 0));
    QCOMPARE(plotImage(w, 1), plotImage(bare, 1));
}

void FrmMaskeTest::enlargingKeepsTheLayoutAndRepaints() {
    Rig rig;
    auto& w = rig.w;
    QVERIFY(rig.showOn(dir.write("demo.vid", testdata::demoFile(2))));
    w.cmdup()->click();
    w.cmdclear()->click();
    const QRect plotBefore = w.picAusgabe(1)->geometry();
    const QRect upBefore = w.cmdup()->geometry();
    w.resize(1000, 800);
    QTRY_COMPARE(w.size(), QSize(1000, 800));
    QCOMPARE(w.picAusgabe(1)->geometry(), plotBefore);
    QCOMPARE(w.cmdup()->geometry(), upBefore);
    // The resize painted the current record (1, red) onto the cleared frame.
    QVERIFY(countColour(plotImage(w, 0), qRgb(255, 0, 0)) > 500);
    QCOMPARE(w.controller().RecordNo(), std::int16_t{1});
}

void FrmMaskeTest::aFailureAtStartUpEndsWithoutShowingTheWindow() {
    test::EventLog log;
    test::ScriptedDialogs dialogs(log);
    FrmMaske w(dialogs, 96);
    const std::string missing = (dir.path() / "missing.vid").string();
    w.Form_Load(missing);
    QCOMPARE(w.exitStatus(), std::optional<int>(kReadFailureExitStatus));
    QCOMPARE(dialogs.messages, std::vector<std::string>{missing + " Error= 1"});
    QVERIFY(!w.isVisible());
    QCOMPARE(w.windowTitle(), QString::fromStdString(missing));
}

void FrmMaskeTest::headerTextsMapEveryByteToOneVisibleCharacter() {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    const QString shown = headerTextForDisplay(all);
    QCOMPARE(shown.size(), qsizetype(256));
    QCOMPARE(shown.at(0), QChar(0x2400));
    QCOMPARE(shown.at(' '), QChar(' '));
    QCOMPARE(shown.at('A'), QChar('A'));
    QCOMPARE(shown.at(0x7F), QChar(0x2421));
    QCOMPARE(shown.at(0x80), QChar(0x20AC));
    QCOMPARE(shown.at(0xE9), QChar(0xE9));
    for (qsizetype b = 0; b < shown.size(); ++b) {
        // The soft hyphen is a character of the code page that fonts draw only at a line break.
        QVERIFY2(shown.at(b) == ' ' || shown.at(b).isPrint() || b == 0xAD,
                 qPrintable(QString::number(b)));
    }
}

void FrmMaskeTest::pathsShowTheirCharactersAndNothingThatHidesOrReordersThem_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << QByteArray("/data/run 1.vid") << QString("/data/run 1.vid");
    QTest::newRow("utf-8") << QByteArray("/d/\xc3\xa9t\xc3\xa9.vid")
                           << QString("/d/\u00e9t\u00e9.vid");
    QTest::newRow("markup") << QByteArray("<b>&amp;</b>") << QString("<b>&amp;</b>");
    QTest::newRow("newline") << QByteArray("a\nb\tc") << QString("a\u240Ab\u2409c");
    QTest::newRow("right-to-left override") << QByteArray("run\xe2\x80\xae"
                                                          "div.exe")
                                            << QString("run[U+202E]div.exe");
    QTest::newRow("invalid utf-8") << QByteArray("a\xff"
                                                 "b")
                                   << QString("a\ufffdb");
}

void FrmMaskeTest::pathsShowTheirCharactersAndNothingThatHidesOrReordersThem() {
    QFETCH(QByteArray, path);
    QFETCH(QString, shown);
    QCOMPARE(pathForDisplay(path.toStdString()), shown);
}

QTEST_MAIN(FrmMaskeTest)
#include "frm_maske_test.moc"
