// The graph program's window in this process, offscreen: runs arriving over the graph link become
// chart tabs with their names, colours and axis label; CSV and PNG files; zoom and cursor.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <atomic>
#include <deque>
#include <thread>

#include "gui/graphlink/CGraphPipeClient.h"
#include "gui/graphlink/graph_endpoint.h"
#include "gui/plotvane/chart_page.h"
#include "gui/plotvane/plot_view.h"
#include "gui/plotvane/plotvane_dialogs.h"
#include "gui/plotvane/plotvane_window.h"

namespace tarsel::plotvane {
namespace {

using namespace tarsel::graphlink;

bool PumpUntil(const std::function<bool()>& done, int limitMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Answers the file dialogs from a queue and keeps the error boxes.
struct ScriptedDialogs : IPlotvaneDialogs {
    std::deque<std::optional<QString>> answers;
    QStringList errors;
    std::optional<QString> Next() {
        if (answers.empty()) return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> OpenCsv(QWidget*, const QString&) override { return Next(); }
    std::optional<QString> SaveCsv(QWidget*, const QString&) override { return Next(); }
    std::optional<QString> SavePng(QWidget*, const QString&) override { return Next(); }
    void Error(QWidget*, const QString& caption, const QString& text) override {
        errors << caption + ": " + text;
    }
};

class PlotvaneWindowTest : public ::testing::Test {
protected:
    QString Endpoint() const { return dir_.filePath(QStringLiteral("GRAPH_SERVER")); }
    QString File(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    // Sends a four-channel monitoring run of `samples` samples from another thread (the client
    // blocks while it writes) and pumps this thread's events until it is through.
    void SendRun(int samples,
                 std::vector<std::string> names = {"Reference Position [pulse]", "Reference Velocity [rpm]",
                                                   "Motor Velocity [rpm]", "Torque [%%]"}) {
        std::atomic<int> result{-1};
        std::thread sender([&] {
            CGraphPipeClient::Options options;
            options.endpoint = Endpoint();
            CGraphPipeClient client(options);
            bool ok = client.Open();
            const uint32_t colors[] = {0x2020FF, 0x4484FF, 0x20FFFF, 0x40FF40};
            ok = ok && client.Send(EncodeReset());
            for (std::size_t i = 0; i < names.size(); ++i)
                ok = ok && client.Send(EncodeSeries(names[i], colors[i % 4]));
            ok = ok && client.Send(EncodeAxis("[sample]"));
            for (int i = 0; i < samples; ++i) {
                std::vector<int32_t> values;
                for (std::size_t s = 0; s < names.size(); ++s)
                    values.push_back(static_cast<int32_t>(i * (s + 1)) - 3);
                ok = ok && client.Send(EncodeData(static_cast<uint32_t>(i), values));
            }
            ok = ok && client.Send(EncodeEnd());
            client.Close();
            result = ok ? 1 : 0;
        });
        const bool through = PumpUntil([&] { return result >= 0; }, 20000);
        sender.join();
        ASSERT_TRUE(through);
        ASSERT_EQ(result, 1) << "every message was written";
    }

    static std::vector<QLineSeries*> Lines(CChartPage* page) {
        std::vector<QLineSeries*> lines;
        for (auto* s : page->chart()->series()) lines.push_back(qobject_cast<QLineSeries*>(s));
        return lines;
    }

    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
};

TEST_F(PlotvaneWindowTest, EachRunBecomesAChartWithItsSeriesColoursAndAxis) {
    CPlotvaneWindow window(Endpoint(), dialogs_);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Plotvane"));
    ASSERT_TRUE(window.Serving());
    EXPECT_TRUE(GraphServerRunning(Endpoint()));

    // What a recording program does first: start (finds it running) and probe.
    CGraphPipeClient::Options options;
    options.endpoint = Endpoint();
    options.program = File("never-started");
    CGraphPipeClient client(options);
    ASSERT_TRUE(client.StartGraphApplication([] { return true; }));

    SendRun(500);
    ASSERT_TRUE(PumpUntil([&] { return window.ChartCount() == 1 && window.Chart(0)->recording().complete; }));
    CChartPage* page = window.Chart(0);
    const auto lines = Lines(page);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0]->name(), QStringLiteral("Reference Position [pulse]"));
    EXPECT_EQ(lines[3]->name(), QStringLiteral("Torque [%%]"));
    EXPECT_EQ(lines[0]->pen().color(), QColor(0xFF, 0x20, 0x20)) << "COLORREF 0x2020FF is red";
    EXPECT_EQ(lines[1]->pen().color(), QColor(0xFF, 0x84, 0x44));
    EXPECT_EQ(lines[2]->pen().color(), QColor(0xFF, 0xFF, 0x20));
    EXPECT_EQ(lines[3]->pen().color(), QColor(0x40, 0xFF, 0x40));
    ASSERT_EQ(lines[1]->count(), 500);
    EXPECT_EQ(lines[1]->at(499), QPointF(499, 499 * 2 - 3));
    auto* axisX = qobject_cast<QValueAxis*>(page->chart()->axes(Qt::Horizontal).front());
    EXPECT_EQ(axisX->titleText(), QStringLiteral("[sample]"));
    EXPECT_DOUBLE_EQ(axisX->max(), 499);

    SendRun(3, {"Torque [%%]"});
    ASSERT_TRUE(PumpUntil([&] { return window.ChartCount() == 2 && window.Chart(1)->recording().complete; }));
    EXPECT_EQ(window.CurrentChart(), window.Chart(1)) << "the newest run is shown";
    EXPECT_EQ(Lines(window.Chart(1)).size(), 1u);
    EXPECT_EQ(Lines(window.Chart(0))[0]->count(), 500) << "the first chart is left as it was";
}

TEST_F(PlotvaneWindowTest, BrokenSenderIsCutOffWithoutHarm) {
    CPlotvaneWindow window(Endpoint(), dialogs_);
    ASSERT_TRUE(window.Serving());
    QLocalSocket bad;
    bad.connectToServer(Endpoint());
    ASSERT_TRUE(bad.waitForConnected(1000));
    QByteArray bytes;
    for (auto m : {EncodeReset(), EncodeSeries("x", 1), EncodeData(0, std::vector<int32_t>{1})})
        bytes.append(reinterpret_cast<const char*>(m.data()), static_cast<qsizetype>(m.size()));
    bytes.append(
        "\xfd"
        "D\x00\x00",
        4);  // a data record cut short and followed by garbage
    bytes.append(QByteArray(300, '\xee'));
    bad.write(bytes);
    bad.flush();
    ASSERT_TRUE(PumpUntil([&] { return bad.state() == QLocalSocket::UnconnectedState; }));
    ASSERT_EQ(window.ChartCount(), 1);
    EXPECT_EQ(window.Chart(0)->recording().samples.size(), 1u) << "what came before the break stays";

    SendRun(2);
    ASSERT_TRUE(PumpUntil([&] { return window.ChartCount() == 2 && window.Chart(1)->recording().complete; }));
}

TEST_F(PlotvaneWindowTest, SavedCsvReopensToTheSameValues) {
    CPlotvaneWindow window(Endpoint(), dialogs_);
    SendRun(20);
    ASSERT_TRUE(PumpUntil([&] { return window.ChartCount() == 1 && window.Chart(0)->recording().complete; }));
    auto* save = window.findChild<QAction*>(QStringLiteral("saveCsvAction"));
    auto* open = window.findChild<QAction*>(QStringLiteral("openAction"));
    ASSERT_TRUE(save && open);

    dialogs_.answers = {File("run.csv")};
    save->trigger();
    ASSERT_TRUE(QFile::exists(File("run.csv")));
    dialogs_.answers = {File("run.csv")};
    open->trigger();
    ASSERT_EQ(window.ChartCount(), 2);
    const Recording& sent = window.Chart(0)->recording();
    const Recording& read = window.Chart(1)->recording();
    ASSERT_EQ(read.series.size(), sent.series.size());
    for (std::size_t i = 0; i < sent.series.size(); ++i) {
        EXPECT_EQ(read.series[i].name, sent.series[i].name);
        EXPECT_EQ(read.series[i].colorref, sent.series[i].colorref);
    }
    ASSERT_EQ(read.samples.size(), sent.samples.size());
    for (std::size_t i = 0; i < sent.samples.size(); ++i) {
        EXPECT_EQ(read.samples[i].index, sent.samples[i].index);
        EXPECT_EQ(read.samples[i].values, sent.samples[i].values);
    }
    EXPECT_EQ(Lines(window.Chart(1))[2]->count(), 20);
    EXPECT_EQ(window.findChild<QTabWidget*>(QStringLiteral("chartTabs"))->tabText(1),
              QStringLiteral("run.csv"));

    // A file that is not a recording, and one that is missing: an error box, no tab.
    QFile junk(File("junk.csv"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("sample,a\n0,zz\n");
    junk.close();
    EXPECT_FALSE(window.OpenFile(File("junk.csv")));
    EXPECT_FALSE(window.OpenFile(File("missing.csv")));
    EXPECT_EQ(window.ChartCount(), 2);
    ASSERT_EQ(dialogs_.errors.size(), 2);
    EXPECT_TRUE(dialogs_.errors[0].contains(QStringLiteral("line 2"))) << dialogs_.errors[0].toStdString();

    dialogs_.answers = {std::nullopt};  // cancelled: nothing written
    save->trigger();
    EXPECT_EQ(dialogs_.errors.size(), 2);
}

TEST_F(PlotvaneWindowTest, OddFilesOpenOrAreRefusedWithABox) {
    std::string widest = "[sample]", widestRow = "0";
    for (std::size_t i = 0; i < kMaxSeries; ++i) {
        widest += ",c" + std::to_string(i);
        widestRow += ",1";
    }
    struct Case {
        const char* name;
        std::string text;
        int lines;  // -1: refused
        int points;
    };
    const Case cases[] = {
        {"empty.csv", "", -1, 0},
        {"header_only.csv", "[sample],a,b\r\n", 2, 0},
        {"crlf.csv", "[sample],a\r\n0,1\r\n1,2\r\n", 1, 2},
        {"widest.csv", widest + "\n" + widestRow + "\n", static_cast<int>(kMaxSeries), 1},
        {"too_wide.csv", widest + ",c\n", -1, 0},
        {"not_numbers.csv", "[sample],a\n0,nan\n", -1, 0},
    };
    CPlotvaneWindow window(QString(), dialogs_);
    int errors = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile file(File(c.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(c.text));
        file.close();
        const int charts = window.ChartCount();
        EXPECT_EQ(window.OpenFile(File(c.name)), c.lines >= 0);
        if (c.lines < 0) {
            EXPECT_EQ(window.ChartCount(), charts);
            EXPECT_EQ(dialogs_.errors.size(), ++errors);
            continue;
        }
        ASSERT_EQ(window.ChartCount(), charts + 1);
        const auto lines = Lines(window.CurrentChart());
        ASSERT_EQ(static_cast<int>(lines.size()), c.lines);
        EXPECT_EQ(lines.front()->count(), c.points);
    }
}

TEST_F(PlotvaneWindowTest, CursorZoomAndPngExport) {
    CPlotvaneWindow window(QString(), dialogs_);
    EXPECT_FALSE(window.Serving());
    Recording r;
    r.axisLabel = "[sample]";
    r.series = {{"A", 0x2020FF}, {"B", 0x40FF40}};
    for (uint32_t i = 0; i < 100; ++i)
        r.samples.push_back({i, {static_cast<int32_t>(i), -static_cast<int32_t>(i)}});
    QFile file(File("r.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(RecordingToCsv(r)));
    file.close();
    ASSERT_TRUE(window.OpenFile(File("r.csv")));
    window.resize(800, 500);
    window.show();
    CChartPage* page = window.CurrentChart();
    ASSERT_TRUE(page);

    page->SetCursorSample(42);
    EXPECT_EQ(page->CursorText(), QStringLiteral("Sample 42: A = 42, B = -42"));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("cursorReadout"))->text(), page->CursorText());

    auto* axisX = qobject_cast<QValueAxis*>(page->chart()->axes(Qt::Horizontal).front());
    ASSERT_TRUE(PumpUntil([&] { return !page->chart()->plotArea().isEmpty(); }));
    page->view()->ZoomAround(page->chart()->plotArea().center(), 0.5);
    EXPECT_LT(axisX->max() - axisX->min(), 60);
    window.findChild<QAction*>(QStringLiteral("resetZoomAction"))->trigger();
    EXPECT_DOUBLE_EQ(axisX->min(), 0);
    EXPECT_DOUBLE_EQ(axisX->max(), 99);

    dialogs_.answers = {File("chart.png")};
    window.findChild<QAction*>(QStringLiteral("exportPngAction"))->trigger();
    QImage image(File("chart.png"));
    EXPECT_FALSE(image.isNull());
    EXPECT_TRUE(dialogs_.errors.isEmpty());

    window.findChild<QAction*>(QStringLiteral("closeChartAction"))->trigger();
    EXPECT_EQ(window.ChartCount(), 0);
    EXPECT_FALSE(window.findChild<QAction*>(QStringLiteral("saveCsvAction"))->isEnabled());
}

TEST_F(PlotvaneWindowTest, KoreanTextsComeFromTheCompiledTranslation) {
    QTranslator korean;
    ASSERT_TRUE(korean.load(QStringLiteral(PLOTVANE_QM)));
    QCoreApplication::installTranslator(&korean);
    {
        CPlotvaneWindow window(QString(), dialogs_);
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Plotvane"));
        EXPECT_EQ(window.findChild<QAction*>(QStringLiteral("resetZoomAction"))->text(),
                  QString::fromUtf8("확대/축소 초기화"));
        EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("linkStatus"))->text(),
                  QString::fromUtf8("기록을 받지 않습니다."));
    }
    QCoreApplication::removeTranslator(&korean);
}

TEST_F(PlotvaneWindowTest, SecondWindowLeavesTheEndpointToTheFirst) {
    CPlotvaneWindow first(Endpoint(), dialogs_);
    CPlotvaneWindow second(Endpoint(), dialogs_);
    EXPECT_TRUE(first.Serving());
    EXPECT_FALSE(second.Serving());
    SendRun(1);
    ASSERT_TRUE(PumpUntil([&] { return first.ChartCount() == 1; }));
    EXPECT_EQ(second.ChartCount(), 0);
}

}  // namespace
}  // namespace tarsel::plotvane
