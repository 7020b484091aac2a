// The graph link between processes: presence, the serving side and the recording client, in one
// process and with a graph program the client starts itself.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <functional>

#include "gui/graphlink/CGraphPipeClient.h"
#include "gui/graphlink/graph_server.h"
#include "tests/graphlink/graph_test_server.h"

namespace tarsel::graphlink {
namespace {

bool PumpUntil(const std::function<bool()>& done, int limitMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

QByteArray Join(const std::vector<std::vector<uint8_t>>& messages) {
    QByteArray all;
    for (const auto& m : messages)
        all.append(reinterpret_cast<const char*>(m.data()), static_cast<qsizetype>(m.size()));
    return all;
}

std::vector<std::vector<uint8_t>> SmallRun() {
    const std::vector<int32_t> first{1, -1};
    const std::vector<int32_t> second{-32768, 32767};
    return {EncodeReset(),
            EncodeSeries("Motor Velocity [rpm]", 0x2020FF),
            EncodeSeries("Torque [%%]", 0x4484FF),
            EncodeAxis("[sample]"),
            EncodeData(0, first),
            EncodeData(1, second),
            EncodeEnd()};
}

// A server on a private endpoint that keeps what it received.
struct Recorder {
    explicit Recorder(const QString& endpoint) : server(endpoint) {
        server.SetBytesHandler([this](uint64_t id, const QByteArray& b) { bytes[id] += b; });
        server.SetMessageHandler(
            [this](uint64_t id, const GraphMessage& m) { messages.emplace_back(id, m); });
        server.SetClosedHandler([this](uint64_t id, const QString& e) { closed.emplace_back(id, e); });
    }
    CGraphServer server;
    std::map<uint64_t, QByteArray> bytes;
    std::vector<std::pair<uint64_t, GraphMessage>> messages;
    std::vector<std::pair<uint64_t, QString>> closed;
};

class GraphLinkTest : public ::testing::Test {
protected:
    QString Endpoint() const { return dir_.filePath(QStringLiteral("GRAPH_SERVER")); }
    CGraphPipeClient::Options Options() const {
        CGraphPipeClient::Options o;
        o.endpoint = Endpoint();
        o.program = dir_.filePath(QStringLiteral("no-such-program"));  // never started while a server runs
        o.argument = dir_.path() + QLatin1Char('/');
        o.windowWaitMs = 3000;
        o.presenceWaitMs = 1000;
        o.probeMs = 1000;
        o.probeRetryMs = 100;
        return o;
    }
    QTemporaryDir dir_;
};

TEST_F(GraphLinkTest, PresenceIsExclusiveAndEndsWithItsHolder) {
    EXPECT_FALSE(GraphServerRunning(Endpoint()));
    {
        CGraphServerPresence first(Endpoint());
        ASSERT_TRUE(first.Held());
        EXPECT_TRUE(GraphServerRunning(Endpoint()));
        CGraphServerPresence second(Endpoint());
        EXPECT_FALSE(second.Held());
        EXPECT_TRUE(GraphServerRunning(Endpoint())) << "looking does not take the presence away";
    }
    EXPECT_FALSE(GraphServerRunning(Endpoint())) << "a lock file left behind is not a running server";
    CGraphServerPresence again(Endpoint());
    EXPECT_TRUE(again.Held());
}

TEST_F(GraphLinkTest, DefaultEndpointFollowsTheEnvironment) {
    const QByteArray saved = qgetenv("TARSEL_GRAPH_ENDPOINT");
    qputenv("TARSEL_GRAPH_ENDPOINT", Endpoint().toLocal8Bit());
    EXPECT_EQ(DefaultEndpoint(), Endpoint());
    qunsetenv("TARSEL_GRAPH_ENDPOINT");
    EXPECT_TRUE(DefaultEndpoint().contains(QStringLiteral("GRAPH_SERVER")));
    if (!saved.isEmpty()) qputenv("TARSEL_GRAPH_ENDPOINT", saved);
}

TEST_F(GraphLinkTest, StaleSocketFileIsReplacedButALivingServerKeepsItsEndpoint) {
    {
        QFile stale(Endpoint());
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    Recorder first(Endpoint());
    ASSERT_TRUE(first.server.Listen()) << first.server.ErrorText().toStdString();
    Recorder second(Endpoint());
    EXPECT_FALSE(second.server.Listen());
    EXPECT_FALSE(second.server.ErrorText().isEmpty());

    CGraphPipeClient client(Options());
    ASSERT_TRUE(client.Open()) << "the first server still serves";
    EXPECT_TRUE(client.Send(EncodeReset()));
    EXPECT_TRUE(PumpUntil([&] { return first.messages.size() == 1; }));
}

TEST_F(GraphLinkTest, ClientFindsARunningServerProbesAndSendsARun) {
    CGraphPipeClient client(Options());
    EXPECT_FALSE(client.Open());
    EXPECT_FALSE(client.IsOpen());
    EXPECT_FALSE(client.Send(EncodeReset()));

    Recorder recorder(Endpoint());
    ASSERT_TRUE(recorder.server.Listen());
    int calls = 0;
    ASSERT_TRUE(client.StartGraphApplication([&] {
        ++calls;
        return true;
    }));
    EXPECT_FALSE(client.IsOpen()) << "the probe connection is closed again";
    ASSERT_TRUE(PumpUntil([&] { return recorder.closed.size() == 1; }));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].second.command, GraphCommand::Probe);
    EXPECT_TRUE(recorder.closed[0].second.isEmpty()) << "a probe is no error";
    recorder.messages.clear();

    ASSERT_TRUE(client.Open());
    const auto run = SmallRun();
    for (const auto& m : run) ASSERT_TRUE(client.Send(m));
    client.Close();
    ASSERT_TRUE(PumpUntil([&] { return recorder.closed.size() == 2; }));
    const uint64_t id = recorder.closed[1].first;
    EXPECT_EQ(recorder.bytes[id], Join(run));
    ASSERT_EQ(recorder.messages.size(), run.size());
    EXPECT_EQ(recorder.messages[1].second.name, "Motor Velocity [rpm]");
    EXPECT_EQ(recorder.messages[5].second.values, (std::vector<int32_t>{-32768, 32767}));
    EXPECT_EQ(recorder.server.ConnectionCount(), 0);
}

TEST_F(GraphLinkTest, RunLargerThanTheSocketBufferArrivesWhole) {
    CGraphTestServer server(Endpoint());
    ASSERT_TRUE(server.Listening());
    CGraphPipeClient client(Options());
    ASSERT_TRUE(client.StartGraphApplication([] { return true; }));
    ASSERT_TRUE(client.Open());
    std::vector<std::vector<uint8_t>> run{EncodeReset(), EncodeSeries("Motor Position [pulse]", 0x2020FF),
                                          EncodeAxis("[sample]")};
    for (uint32_t i = 0; i < 4000; ++i) {  // about 1 MB
        const std::vector<int32_t> v{static_cast<int32_t>(i) * -7};
        run.push_back(EncodeData(i, v));
    }
    run.push_back(EncodeEnd());
    for (const auto& m : run) ASSERT_TRUE(client.Send(m));
    client.Close();
    ASSERT_TRUE(server.WaitForClosedRun(5000));
    EXPECT_EQ(server.RunBytes(), Join(run));
    EXPECT_EQ(server.Bytes(), QByteArray(1, '\0') + Join(run));
    const auto messages = server.Messages();
    ASSERT_EQ(messages.size(), run.size() + 1);
    EXPECT_EQ(messages[4003].index, 3999u);
    EXPECT_EQ(messages[4003].values, (std::vector<int32_t>{3999 * -7}));
}

TEST_F(GraphLinkTest, SendFailsOnceTheGraphProgramIsGone) {
    CGraphPipeClient client(Options());
    {
        CGraphTestServer server(Endpoint());
        ASSERT_TRUE(client.Open());
        ASSERT_TRUE(client.Send(EncodeReset()));
        ASSERT_TRUE(server.Messages().size() <= 1u);
    }
    // The peer closed: the next writes fail (no signal ends this process) instead of reporting
    // data as delivered.
    const std::vector<int32_t> values{1};
    bool failed = false;
    for (int i = 0; i < 100 && !failed; ++i)
        failed = !client.Send(EncodeData(static_cast<uint32_t>(i), values));
    EXPECT_TRUE(failed);
    client.Close();
    EXPECT_FALSE(client.IsOpen());
    EXPECT_FALSE(client.Open());
}

TEST_F(GraphLinkTest, MalformedConnectionIsDroppedAndOthersGoOn) {
    Recorder recorder(Endpoint());
    ASSERT_TRUE(recorder.server.Listen());
    CGraphPipeClient good(Options());
    ASSERT_TRUE(good.Open());
    ASSERT_TRUE(good.Send(EncodeReset()));

    QLocalSocket bad;
    bad.connectToServer(Endpoint());
    ASSERT_TRUE(bad.waitForConnected(1000));
    bad.write(QByteArray("\x01r\xfe\x7f garbage", 12));
    bad.flush();
    ASSERT_TRUE(PumpUntil([&] { return !recorder.closed.empty(); }));
    EXPECT_FALSE(recorder.closed[0].second.isEmpty());
    ASSERT_TRUE(PumpUntil([&] { return bad.state() == QLocalSocket::UnconnectedState; }));

    ASSERT_TRUE(good.Send(EncodeEnd()));
    ASSERT_TRUE(PumpUntil([&] { return recorder.messages.size() == 3; }));
    EXPECT_EQ(recorder.messages.back().second.command, GraphCommand::End);
    EXPECT_NE(recorder.messages.back().first, recorder.closed[0].first)
        << "the end came on the good connection";
}

TEST_F(GraphLinkTest, SenderClosingInsideAMessageIsReportedNotTakenForACleanEnd) {
    Recorder recorder(Endpoint());
    ASSERT_TRUE(recorder.server.Listen());
    QLocalSocket sender;
    sender.connectToServer(Endpoint());
    ASSERT_TRUE(sender.waitForConnected(1000));
    const auto reset = EncodeReset();
    const auto data = EncodeData(0, std::vector<int32_t>{7});
    QByteArray bytes(reinterpret_cast<const char*>(reset.data()), static_cast<qsizetype>(reset.size()));
    bytes.append(reinterpret_cast<const char*>(data.data()), 100);  // the length byte promises 254
    sender.write(bytes);
    sender.flush();
    sender.disconnectFromServer();
    ASSERT_TRUE(PumpUntil([&] { return !recorder.closed.empty(); }));
    EXPECT_TRUE(recorder.closed[0].second.contains(QStringLiteral("100 of the 254 bytes")))
        << recorder.closed[0].second.toStdString();
    ASSERT_EQ(recorder.messages.size(), 1u) << "the reset before the cut still counts";
    EXPECT_EQ(recorder.messages[0].second.command, GraphCommand::Reset);
}

TEST_F(GraphLinkTest, ClientStartsTheGraphProgramWhenNoneRuns) {
    auto options = Options();
    options.program = QStringLiteral(FAKE_GRAPH_PROGRAM);
    CGraphPipeClient client(options);  // the program is told which endpoint to serve
    int calls = 0;
    const bool started = client.StartGraphApplication([&] {
        ++calls;
        return true;
    });
    ASSERT_TRUE(started);
    EXPECT_GT(calls, 0) << "the caller is asked while the program starts";
    ASSERT_TRUE(client.Open());
    const auto run = SmallRun();
    for (const auto& m : run) ASSERT_TRUE(client.Send(m));
    client.Close();
    QFile received(dir_.filePath(QStringLiteral("received.bin")));
    ASSERT_TRUE(PumpUntil([&] { return received.exists() && !GraphServerRunning(Endpoint()); }, 8000));
    ASSERT_TRUE(received.open(QIODevice::ReadOnly));
    EXPECT_EQ(received.readAll(), QByteArray(1, '\0') + Join(run)) << "the probe, then the run";
}

TEST_F(GraphLinkTest, StartFailsWithoutAProgramOrWhenItNeverServes) {
    CGraphPipeClient missing(Options());
    EXPECT_FALSE(missing.StartGraphApplication([] { return true; }));

    auto options = Options();
    options.program = QStringLiteral("/bin/true");
    options.windowWaitMs = 300;
    CGraphPipeClient silent(options);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(silent.StartGraphApplication([] { return true; }));
    EXPECT_GE(clock.elapsed(), 300);
    EXPECT_LT(clock.elapsed(), 2000);

    options.windowWaitMs = 60000;
    CGraphPipeClient cancelled(options);
    int calls = 0;
    clock.restart();
    EXPECT_FALSE(cancelled.StartGraphApplication([&] { return ++calls < 3; }));
    EXPECT_LT(clock.elapsed(), 1000) << "giving up ends the wait";
}

TEST_F(GraphLinkTest, ProbeGivesUpWhenTheEndpointNeverAnswers) {
    // A presence without a listening socket: the program seems to run but never serves.
    CGraphServerPresence presence(Endpoint());
    ASSERT_TRUE(presence.Held());
    auto options = Options();
    options.presenceWaitMs = 200;
    CGraphPipeClient client(options);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(client.StartGraphApplication([] { return true; }));
    EXPECT_GE(clock.elapsed(), 200);
    EXPECT_LT(clock.elapsed(), 1500);
}

}  // namespace
}  // namespace tarsel::graphlink
