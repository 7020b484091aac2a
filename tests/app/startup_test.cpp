// The command line, the update check, where "Connection.ini" goes, and the Korean texts.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTranslator>

#include "gui/app/command_line.h"
#include "gui/app/settings_location.h"
#include "gui/app/update_check.h"
#include "tests/app/shell_fixture.h"
#include "tools/common/qt_tool_ui.h"

namespace tarsel::app::testing {
namespace {

TEST(CommandLine, AcceptsPortBaudAndWindows) {
    const LaunchOptions options = ParseCommandLine(
        {"--port", "99", "--baud", "9600", "--show", "boards", "--show", "motion:3", "--show", "rl"});
    ASSERT_TRUE(options.error.isEmpty()) << options.error.toStdString();
    EXPECT_EQ(options.port, 99);
    EXPECT_EQ(options.baudRate, 9600u);
    ASSERT_EQ(options.show.size(), 3u);
    EXPECT_EQ(options.show[0].frame, FrameKind::BoardList);
    EXPECT_FALSE(options.show[0].slave);
    EXPECT_EQ(options.show[1].frame, FrameKind::Motion);
    EXPECT_EQ(options.show[1].slave, 3);
    EXPECT_EQ(options.show[2].dialog, DialogKind::RlEstimate);
}

TEST(CommandLine, EveryWindowNameIsKnown) {
    for (const char* name : {"boards", "parameters", "axis", "motion", "repeat", "io-monitor", "io-setting",
                             "position-table", "bldc", "monitoring", "inertia", "rl"}) {
        const LaunchOptions options = ParseCommandLine({"--show", name});
        EXPECT_TRUE(options.error.isEmpty()) << name;
        ASSERT_EQ(options.show.size(), 1u);
    }
}

TEST(CommandLine, RejectsWhatCannotBeUsed) {
    const QStringList bad[] = {{"--show", "scope"}, {"--show", "motion:16"}, {"--show", "motion:x"},
                               {"--show"},          {"--port", "0"},         {"--port", "256"},
                               {"--port", "COM3"},  {"--baud", "fast"},      {"--frobnicate"}};
    for (const QStringList& args : bad)
        EXPECT_FALSE(ParseCommandLine(args).error.isEmpty()) << args.join(' ').toStdString();
    EXPECT_TRUE(ParseCommandLine({"--show", "scope"}).error.contains("scope"));
}

TEST(UpdateCheck, StartsAWorkingCopyWithFourArguments) {
    QTemporaryDir program, temp;
    const QString folder = program.path() + "/with blanks";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString self = folder + "/TarselV8";
    QString started;
    QStringList arguments;
    int starts = 0;
    auto starter = [&](const QString& p, const QStringList& a) {
        started = p;
        arguments = a;
        ++starts;
        return true;
    };
    // No updater beside the program: nothing happens.
    EXPECT_FALSE(CheckForUpdate(self, "Title", temp.path(), starter));
    EXPECT_EQ(starts, 0);

    QFile updater(folder + "/Refresko");
    ASSERT_TRUE(updater.open(QIODevice::WriteOnly));
    updater.write("first");
    updater.close();
    EXPECT_TRUE(CheckForUpdate(self, "Tarsel Tevra GUI Program for Distributor", temp.path(), starter));
    EXPECT_EQ(started, temp.path() + "/Refresko");
    ASSERT_EQ(arguments.size(), 4);
    EXPECT_TRUE(arguments[0].endsWith("/software/Tarsel_Tevra_V8.xml"));
    EXPECT_TRUE(arguments[1].startsWith('{') && arguments[1].endsWith('}'));
    EXPECT_EQ(arguments[2], self);  // one argument although the path has blanks
    EXPECT_EQ(arguments[3], QStringLiteral("Tarsel Tevra GUI Program for Distributor"));

    // A second check replaces the working copy.
    ASSERT_TRUE(updater.open(QIODevice::WriteOnly | QIODevice::Truncate));
    updater.write("second");
    updater.close();
    EXPECT_TRUE(CheckForUpdate(self, "Title", temp.path(), starter));
    QFile copy(started);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("second"));
    EXPECT_EQ(starts, 2);
}

TEST(SettingsLocation, ProgramFolderWhenWritableElseTheUsersFolder) {
    QTemporaryDir program, user;
    const std::filesystem::path userDir = std::filesystem::path(user.path().toStdString()) / "TarselTevra";
    EXPECT_EQ(ChooseSettingsDirectory(program.path().toStdString(), userDir), program.path().toStdString());
    EXPECT_EQ(ChooseSettingsDirectory("/proc/no-such-folder", userDir), userDir);
    EXPECT_TRUE(std::filesystem::is_directory(userDir));
}

TEST(Translations, KoreanIsChosenForAKoreanUserInterfaceAndLoads) {
    EXPECT_EQ(tools::ChooseTranslation({"ko-KR", "en-US"}), QStringLiteral("ko"));
    EXPECT_TRUE(tools::ChooseTranslation({"en-US", "ko-KR"}).isEmpty());
    QTranslator translator;
    ASSERT_TRUE(translator.load(QStringLiteral(TARSELV8_QM)));
    const QString boardList = translator.translate("Frame", "Board List");
    EXPECT_FALSE(boardList.isEmpty());
    EXPECT_NE(boardList, QStringLiteral("Board List"));
    EXPECT_FALSE(translator.translate("CMainFrame", "Serial communication was disconnected.").isEmpty());
}

}  // namespace
}  // namespace tarsel::app::testing
