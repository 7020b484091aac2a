// The monitoring dialog against a simulated BLDC drive, with a test graph server that records the
// whole byte stream it receives.
#include <QComboBox>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "gui/app/message_event.h"
#include "gui/dialogs/monitoring_dialog.h"
#include "gui/graphlink/graph_endpoint.h"
#include "gui/model/board/CBoardDorrinTevraBLDC.h"
#include "gui/widgets/invalid_edit.h"
#include "gui/widgets/progress_dialog.h"
#include "tests/app/shell_fixture.h"

#if TARSEL_HAVE_PLOTVANE
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>

#include "gui/plotvane/chart_page.h"
#include "gui/plotvane/plotvane_dialogs.h"
#include "gui/plotvane/plotvane_window.h"
#endif

namespace tarsel::app::testing {
namespace {

using dialogs::CDlgMonitoring;
using dialogs::MonitoringOutcome;
using Bytes = std::vector<uint8_t>;

// ---- The expected stream, from the record layout -------------------------------------------

void Put32(Bytes& out, std::size_t offset, uint32_t v) {
    for (int k = 0; k < 4; ++k) out[offset + k] = static_cast<uint8_t>(v >> (8 * k));
}

Bytes Short(char command) {
    return {1, static_cast<uint8_t>(command)};
}

// "S" and "x": length 181, the command, a 180-byte record.
Bytes Record180(char command, const std::string& name, const std::string& text,
                const std::array<uint32_t, 6>& tail) {
    Bytes out(182, 0);
    out[0] = 181;
    out[1] = static_cast<uint8_t>(command);
    std::memcpy(out.data() + 2 + 4, name.data(), name.size());
    std::memcpy(out.data() + 2 + 104, text.data(), text.size());
    for (std::size_t k = 0; k < tail.size(); ++k) Put32(out, 2 + 156 + 4 * k, tail[k]);
    return out;
}

Bytes Series(const std::string& name, uint32_t colour) {
    return Record180('S', name, "", {0, 1, colour, 10, 1000, 0});
}

Bytes Axis() {
    return Record180('x', "", "[sample]", {1, 1, 0, 10, 25, 0});
}

Bytes Data(uint32_t index, const std::vector<int32_t>& values) {
    Bytes out(254, 0);
    out[0] = 253;
    out[1] = 'D';
    Put32(out, 2 + 4, index);
    Put32(out, 2 + 8, static_cast<uint32_t>(values.size()));
    for (std::size_t k = 0; k < values.size(); ++k)
        Put32(out, 2 + 12 + 4 * k, static_cast<uint32_t>(values[k]));
    return out;
}

Bytes Join(const std::vector<Bytes>& parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// ---- A graph server that keeps what it receives ----------------------------------------------

class RecordingServer {
public:
    explicit RecordingServer(const QString& endpoint) : presence_(endpoint) {
        QLocalServer::removeServer(endpoint);
        server_.listen(endpoint);
        QObject::connect(&server_, &QLocalServer::newConnection, [this] {
            while (QLocalSocket* socket = server_.nextPendingConnection()) {
                const std::size_t slot = received_.size();
                received_.emplace_back();
                open_.push_back(true);
                QObject::connect(socket, &QLocalSocket::readyRead, [this, socket, slot] {
                    const QByteArray bytes = socket->readAll();
                    received_[slot].insert(received_[slot].end(), bytes.begin(), bytes.end());
                });
                QObject::connect(socket, &QLocalSocket::disconnected, [this, socket, slot] {
                    const QByteArray bytes = socket->readAll();
                    received_[slot].insert(received_[slot].end(), bytes.begin(), bytes.end());
                    open_[slot] = false;
                    socket->deleteLater();
                });
            }
        });
    }
    bool Ready() const { return presence_.Held() && server_.isListening(); }
    // Every connection's bytes, in the order the connections came.
    Bytes Stream() const {
        Bytes out;
        for (const auto& r : received_) out.insert(out.end(), r.begin(), r.end());
        return out;
    }
    bool AllClosed() const {
        for (bool open : open_)
            if (open) return false;
        return true;
    }

private:
    graphlink::CGraphServerPresence presence_;
    QLocalServer server_;
    std::vector<Bytes> received_;
    std::vector<bool> open_;
};

// ---- Fixture ---------------------------------------------------------------------------------

constexpr uint8_t kBldcSlave = 1;
constexpr int kNone = 0, kRefPosition = 1, kMotorPosition = 3, kTorque = 5;  // list indices

class MonitoringTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        dialogs::RegisterMonitoringDialog(views_);
        ASSERT_TRUE(endpointDir_.isValid());
        endpoint_ = endpointDir_.filePath(QStringLiteral("GRAPH_SERVER"));
    }

    // A servo drive at 0 and the BLDC drive; the dialog open for the BLDC drive with its data.
    CDlgMonitoring* Open(bool servoOn = true) {
        StartLine({SupportedDrive(0, sim::model::kServo), SupportedDrive(kBldcSlave, sim::model::kBldc)});
        line_.SetServoOn(kBldcSlave, servoOn);
        MakeFrame();
        Connect();
        frame_->OpenDialog(DialogKind::Monitoring, kPort, kBldcSlave);
        auto* dialog = dynamic_cast<CDlgMonitoring*>(frame_->Dialog(DialogKind::Monitoring));
        if (dialog == nullptr) return nullptr;
        graphlink::CGraphPipeClient::Options options;
        options.endpoint = endpoint_;
        options.program = endpointDir_.filePath(QStringLiteral("no-graph-program"));
        options.windowWaitMs = 300;
        options.presenceWaitMs = 300;
        options.probeMs = 1000;
        options.probeRetryMs = 50;
        dialog->SetGraphLinkOptions(options);
        const bool ready = WaitFor([&] {
            return dialog->ShownSlave() == kBldcSlave && Edit(dialog, "editDistance")->isEnabled() &&
                   !Edit(dialog, "editDistance")->text().isEmpty();
        });
        return ready ? dialog : nullptr;
    }

    static QLineEdit* Edit(QWidget* dialog, const char* name) {
        return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    static QComboBox* List(QWidget* dialog, int n) {
        return dialog->findChild<QComboBox*>(QStringLiteral("comboItem%1").arg(n));
    }
    static QPushButton* StartButton(QWidget* dialog) {
        return dialog->findChild<QPushButton*>(QStringLiteral("buttonStartSampling"));
    }
    static void Choose(QWidget* dialog, const std::array<int, 4>& lists) {
        for (int k = 0; k < 4; ++k) List(dialog, k + 1)->setCurrentIndex(lists[k]);
    }
    // Starts a run whose buffer takes minutes to fill and waits until the drive samples;
    // returns its progress dialog, or null when the run did not get that far.
    static QPointer<widgets::CProgressDlg> StartLongRun(CDlgMonitoring* dialog, int channel) {
        Edit(dialog, "editSamplingTime")->setText(QStringLiteral("60000"));
        Edit(dialog, "editBufferSize")->setText(QStringLiteral("100"));
        Choose(dialog, {channel, kNone, kNone, kNone});
        StartButton(dialog)->click();
        if (dialog->Run() == nullptr) return nullptr;
        QPointer<widgets::CProgressDlg> progress = dialog->Run()->Dialog();
        if (!WaitFor([&] { return progress && progress->Status() == QStringLiteral("Data Gathering..."); }))
            return nullptr;
        return progress;
    }
    // Runs the recording and waits for its end.
    static std::optional<MonitoringOutcome> RunToEnd(CDlgMonitoring* dialog) {
        StartButton(dialog)->click();
        if (dialog->Run() == nullptr) return std::nullopt;
        if (!WaitFor([&] { return dialog->Run() == nullptr; }, 8000)) return std::nullopt;
        return dialog->LastOutcome();
    }
    std::shared_ptr<CBoardDorrinTevraBLDC> Bldc() {
        return std::dynamic_pointer_cast<CBoardDorrinTevraBLDC>(master_.GetBoard(kPort, kBldcSlave));
    }
    // Frame types the drive received since the log was cleared.
    std::vector<uint8_t> DriveFrames() const {
        std::vector<uint8_t> types;
        for (const auto& r : line_.RequestLog())
            if (r.slave == kBldcSlave) types.push_back(r.frameType);
        return types;
    }

    QTemporaryDir endpointDir_;
    QString endpoint_;
};

TEST_F(MonitoringTest, RefreshShowsTheDrivesSettingsAndStartNeedsAChannel) {
    StartLine({SupportedDrive(kBldcSlave, sim::model::kBldc)});
    MakeFrame();
    Connect();
    // The drive's configuration names one channel; the places beyond the count are not shown.
    MonitoringConfig config;
    config.samplingTime = 7;
    config.bufferSize = 321;
    config.channelCount = 1;
    config.channels = {12, 21, 0, 0};
    ASSERT_TRUE(std::dynamic_pointer_cast<CBoardDorrinTevraBLDC>(master_.GetBoard(kPort, kBldcSlave))
                    ->MonitoringSetConfig(config));
    frame_->OpenDialog(DialogKind::Monitoring, kPort, kBldcSlave);
    auto* dialog = dynamic_cast<CDlgMonitoring*>(frame_->Dialog(DialogKind::Monitoring));
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitFor([&] { return !Edit(dialog, "editDistance")->text().isEmpty(); }));

    EXPECT_EQ(Edit(dialog, "editSamplingTime")->text(), QStringLiteral("7"));
    EXPECT_EQ(Edit(dialog, "editBufferSize")->text(), QStringLiteral("321"));
    EXPECT_EQ(List(dialog, 1)->currentText(), QStringLiteral("Motor Velocity"));
    EXPECT_EQ(List(dialog, 2)->currentIndex(), kNone);
    EXPECT_EQ(Edit(dialog, "editDistance")->text(), QStringLiteral("10000"));
    EXPECT_EQ(Edit(dialog, "editMoveSpeed")->text(), QStringLiteral("100000"));
    EXPECT_EQ(Edit(dialog, "editStartSpeed")->text(), QString::number(*line_.GetParameter(kBldcSlave, 1)));
    EXPECT_EQ(Edit(dialog, "editAccelTime")->text(), QString::number(*line_.GetParameter(kBldcSlave, 2)));
    EXPECT_EQ(Edit(dialog, "editDecelTime")->text(), QString::number(*line_.GetParameter(kBldcSlave, 3)));
    EXPECT_TRUE(StartButton(dialog)->isEnabled());

    Choose(dialog, {kNone, kNone, kNone, kNone});
    EXPECT_FALSE(StartButton(dialog)->isEnabled());
    EXPECT_FALSE(dialog->StartSampling());
    List(dialog, 4)->setCurrentIndex(kTorque);
    EXPECT_TRUE(StartButton(dialog)->isEnabled());

    // A distance the user typed survives the next refresh.
    Edit(dialog, "editDistance")->setText(QStringLiteral("-250"));
    SendAppMessage(dialog, Message::Drive(MsgKind::ServeDrive, kPort, kBldcSlave));
    Pump(50);
    EXPECT_EQ(Edit(dialog, "editDistance")->text(), QStringLiteral("-250"));
}

TEST_F(MonitoringTest, FieldsAreCheckedAndTheDriveParametersWrittenAtOnce) {
    CDlgMonitoring* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    for (const char* name : {"editSamplingTime", "editBufferSize", "editDistance", "editMoveSpeed"}) {
        QLineEdit* edit = Edit(dialog, name);
        edit->setText(QStringLiteral("12x"));
        EXPECT_TRUE(widgets::IsMarkedInvalid(edit)) << name;
    }
    Edit(dialog, "editBufferSize")->setText(QStringLiteral("65536"));  // beyond 16 bits
    EXPECT_TRUE(widgets::IsMarkedInvalid(Edit(dialog, "editBufferSize")));

    const int32_t before = *line_.GetParameter(kBldcSlave, 2);
    QLineEdit* accel = Edit(dialog, "editAccelTime");
    accel->setText(QStringLiteral("-5"));
    EXPECT_TRUE(widgets::IsMarkedInvalid(accel));
    EXPECT_EQ(*line_.GetParameter(kBldcSlave, 2), before);
    const int32_t wanted = before == 150 ? 160 : 150;
    accel->setText(QString::number(wanted));
    EXPECT_FALSE(widgets::IsMarkedInvalid(accel));
    EXPECT_EQ(*line_.GetParameter(kBldcSlave, 2), wanted);
}

TEST_F(MonitoringTest, OnlyABldcDriveIsTaken) {
    CDlgMonitoring* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    SendAppMessage(dialog, Message::Drive(MsgKind::ServeDrive, kPort, 0));
    Pump(30);
    EXPECT_EQ(dialog->ShownSlave(), kBldcSlave);
}

// The whole stream of a run, byte for byte: the probe, the graph configuration with the chosen
// series in list order and their colours by position, one "D" per sample, the end.
TEST_F(MonitoringTest, ARunSendsTheWholeStreamAndEndsTheDrivesMonitoring) {
    RecordingServer server(endpoint_);
    ASSERT_TRUE(server.Ready());
    CDlgMonitoring* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    // A short move that ends before the second sample: every sample is known.  The negative
    // distance checks that the drive's 16-bit values keep their sign.
    Edit(dialog, "editStartSpeed")->setText(QStringLiteral("100"));
    ASSERT_EQ(*line_.GetParameter(kBldcSlave, 1), 100);
    Edit(dialog, "editSamplingTime")->setText(QStringLiteral("200"));
    Edit(dialog, "editBufferSize")->setText(QStringLiteral("3"));
    Edit(dialog, "editDistance")->setText(QStringLiteral("-100"));
    Choose(dialog, {kRefPosition, kNone, kMotorPosition, kNone});

    ASSERT_EQ(RunToEnd(dialog), MonitoringOutcome::Done);
    EXPECT_TRUE(WaitFor([&] { return server.AllClosed(); }));
    const Bytes expected = Join({{0x00},
                                 Short('r'),
                                 Series("Reference Position [pulse]", 0x2020FF),
                                 Series("Motor Position [pulse]", 0x4484FF),
                                 Axis(),
                                 Data(0, {0, 0}),
                                 Data(1, {-100, -100}),
                                 Data(2, {-100, -100}),
                                 Short('A')});
    EXPECT_EQ(server.Stream(), expected);

    MonitoringConfig config;
    ASSERT_TRUE(Bldc()->MonitoringGetConfig(config));
    EXPECT_EQ(config.samplingTime, 200);
    EXPECT_EQ(config.bufferSize, 3);
    EXPECT_EQ(config.channelCount, 2);
    EXPECT_EQ(config.channels, (std::array<uint8_t, 4>{1, 11, 0, 0}));
    EXPECT_EQ(line_.GetMonitoringState(kBldcSlave), 0);  // cancelled at the end
    EXPECT_TRUE(dialogs_.boxes.empty());
    EXPECT_TRUE(StartButton(dialog)->isEnabled());
}

TEST_F(MonitoringTest, AnEmptyBufferSendsNoDataButTheEnd) {
    RecordingServer server(endpoint_);
    ASSERT_TRUE(server.Ready());
    CDlgMonitoring* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    Edit(dialog, "editSamplingTime")->setText(QStringLiteral("1"));
    Edit(dialog, "editBufferSize")->setText(QStringLiteral("0"));
    Choose(dialog, {kNone, kTorque, kNone, kNone});

    ASSERT_EQ(RunToEnd(dialog), MonitoringOutcome::Done);
    EXPECT_TRUE(WaitFor([&] { return server.AllClosed(); }));
    // The torque's unit text goes out as it stands.
    EXPECT_EQ(server.Stream(),
              Join({{0x00}, Short('r'), Series("Torque [%%]", 0x2020FF), Axis(), Short('A')}));
}

TEST_F(MonitoringTest, AFailingMoveCancelsTheDrivesMonitoring) {
    RecordingServer server(endpoint_);
    ASSERT_TRUE(server.Ready());
    CDlgMonitoring* dialog = Open(false);  // servo off: the drive refuses the move
    ASSERT_NE(dialog, nullptr);
    Edit(dialog, "editBufferSize")->setText(QStringLiteral("10"));
    Choose(dialog, {kRefPosition, kNone, kNone, kNone});
    line_.ClearRequestLog();

    ASSERT_EQ(RunToEnd(dialog), MonitoringOutcome::DriveFailed);
    EXPECT_FALSE(dialogs_.boxes.empty());  // the board layer reported the refused move
    // Set config, start, the move, then the cancel; no status polling.
    const std::vector<uint8_t> frames = DriveFrames();
    const auto cancel = std::find(frames.begin(), frames.end(), uint8_t{0x8B});
    EXPECT_NE(cancel, frames.end());
    EXPECT_EQ(std::count(frames.begin(), frames.end(), uint8_t{0x8A}), 0);
    EXPECT_EQ(line_.GetMonitoringState(kBldcSlave), 0);
    EXPECT_TRUE(WaitFor([&] { return server.AllClosed(); }));
    EXPECT_EQ(server.Stream(),
              Join({{0x00}, Short('r'), Series("Reference Position [pulse]", 0x2020FF), Axis()}));
}

TEST_F(MonitoringTest, CancelWhileTheDriveSamplesClosesTheLink) {
    RecordingServer server(endpoint_);
    ASSERT_TRUE(server.Ready());
    CDlgMonitoring* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    QPointer<widgets::CProgressDlg> progress = StartLongRun(dialog, kTorque);
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(StartButton(dialog)->isEnabled());
    EXPECT_EQ(progress->Position(), 0);

    progress->findChild<QPushButton*>(QStringLiteral("progressCancel"))->click();
    ASSERT_TRUE(WaitFor([&] { return dialog->Run() == nullptr; }));
    EXPECT_EQ(dialog->LastOutcome(), MonitoringOutcome::Cancelled);
    EXPECT_TRUE(WaitFor([&] { return server.AllClosed(); }));
    const Bytes stream = server.Stream();
    EXPECT_EQ(stream, Join({{0x00}, Short('r'), Series("Torque [%%]", 0x2020FF), Axis()}));
}

// The drive going away destroys the dialog in the middle of a run: the run ends with it and the
// link is closed.
TEST_F(MonitoringTest, ADriveGoingAwayEndsTheRunWithTheDialog) {
    RecordingServer server(endpoint_);
    ASSERT_TRUE(server.Ready());
    CDlgMonitoring* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    QPointer<widgets::CProgressDlg> progress = StartLongRun(dialog, kRefPosition);
    ASSERT_NE(progress, nullptr);

    QPointer<CDlgMonitoring> watched(dialog);
    frame_->Send(Message::Drive(MsgKind::DriveGoingAway, kPort, kBldcSlave));
    EXPECT_EQ(frame_->Dialog(DialogKind::Monitoring), nullptr);
    EXPECT_TRUE(WaitFor([&] { return watched.isNull() && progress.isNull(); }));
    EXPECT_TRUE(WaitFor([&] { return server.AllClosed(); }));
    EXPECT_EQ(server.Stream(),
              Join({{0x00}, Short('r'), Series("Reference Position [pulse]", 0x2020FF), Axis()}));
}

TEST_F(MonitoringTest, NoGraphProgramStopsBeforeTheDriveIsTouched) {
    CDlgMonitoring* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    Choose(dialog, {kRefPosition, kNone, kNone, kNone});
    line_.ClearRequestLog();
    ASSERT_EQ(RunToEnd(dialog), MonitoringOutcome::LinkFailed);
    for (uint8_t type : DriveFrames()) EXPECT_TRUE(type < 0x8A || type > 0x8F) << int(type);
}

#if TARSEL_HAVE_PLOTVANE
// The graph program's file dialogs are never opened here.
struct NoPlotvaneDialogs : plotvane::IPlotvaneDialogs {
    std::optional<QString> OpenCsv(QWidget*, const QString&) override { return std::nullopt; }
    std::optional<QString> SaveCsv(QWidget*, const QString&) override { return std::nullopt; }
    std::optional<QString> SavePng(QWidget*, const QString&) override { return std::nullopt; }
    void Error(QWidget*, const QString& caption, const QString& text) override {
        errors << caption + ": " + text;
    }
    QStringList errors;
};

// A run from the dialog into the graph program itself: one chart with the chosen series, their
// colours, the sample axis and every sample the drive recorded.
TEST_F(MonitoringTest, PlotvaneDrawsTheRunItReceives) {
    NoPlotvaneDialogs plotDialogs;
    plotvane::CPlotvaneWindow plot(endpoint_, plotDialogs);
    ASSERT_TRUE(plot.Serving());
    CDlgMonitoring* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    Edit(dialog, "editSamplingTime")->setText(QStringLiteral("5"));
    // A short recording: the drive is polled without pause until it is done, and every poll is a
    // transaction that a loaded machine could time out.
    Edit(dialog, "editBufferSize")->setText(QStringLiteral("20"));
    Edit(dialog, "editDistance")->setText(QStringLiteral("500"));
    Choose(dialog, {kTorque, kNone, kMotorPosition, kNone});

    ASSERT_EQ(RunToEnd(dialog), MonitoringOutcome::Done);
    ASSERT_TRUE(WaitFor([&] { return plot.ChartCount() == 1 && plot.Chart(0)->recording().complete; }));
    plotvane::CChartPage* page = plot.Chart(0);
    page->Flush();
    const plotvane::Recording& recording = page->recording();
    ASSERT_EQ(recording.series.size(), 2u);
    EXPECT_EQ(recording.series[0].name, "Torque [%%]");
    EXPECT_EQ(recording.series[0].colorref, 0x2020FFu);
    EXPECT_EQ(recording.series[1].name, "Motor Position [pulse]");
    EXPECT_EQ(recording.series[1].colorref, 0x4484FFu);
    EXPECT_EQ(recording.axisLabel, "[sample]");
    ASSERT_EQ(recording.samples.size(), 20u);
    for (std::size_t i = 0; i < recording.samples.size(); ++i) {
        EXPECT_EQ(recording.samples[i].index, i);
        EXPECT_EQ(recording.samples[i].values.size(), 2u);
    }
    // The motor position only moves forward during the move.
    EXPECT_GE(recording.samples.back().values[1], recording.samples.front().values[1]);

    const QList<QAbstractSeries*> drawn = page->chart()->series();
    ASSERT_EQ(drawn.size(), 2);
    auto* torque = qobject_cast<QLineSeries*>(drawn[0]);
    ASSERT_NE(torque, nullptr);
    EXPECT_EQ(torque->name(), QStringLiteral("Torque [%%]"));
    EXPECT_EQ(torque->count(), 20);
    EXPECT_EQ(torque->color(), QColor(0xFF, 0x20, 0x20));
    EXPECT_TRUE(plotDialogs.errors.isEmpty());
}
#endif

}  // namespace
}  // namespace tarsel::app::testing
