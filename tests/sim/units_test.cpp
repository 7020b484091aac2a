// Pieces of the simulator without a line: motion profiles, metadata files, drive and fault
// specs of the command line.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>

#include "sim/line_file.h"
#include "sim/metadata.h"
#include "sim/motion.h"
#include "tests/sim/sim_fixture.h"

namespace tarsel::sim::testing {
namespace {

Clock::time_point At(Clock::time_point start, double seconds) {
    return start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

TEST(MotionPlanTest, TrapezoidAndTriangleReachTheTargetExactly) {
    const Clock::time_point t0 = Clock::now();
    // 0.1 s ramps between 0 and 10000 pps: 500 pulses each way, 9000 at cruise speed.
    MotionPlan plan = PlanMove(t0, 0, 10000, {0, 10000, 0, 0.1, 0.1});
    EXPECT_NEAR(plan.TotalSeconds(), 1.1, 1e-9);
    EXPECT_NEAR(plan.At(At(t0, 0.1)).position, 500, 1e-6);
    EXPECT_EQ(plan.At(At(t0, 0.5)).kind, MotionPhase::Kind::Constant);
    EXPECT_NEAR(plan.At(At(t0, 0.5)).velocity, 10000, 1e-6);
    EXPECT_EQ(plan.At(At(t0, 1.05)).kind, MotionPhase::Kind::Decel);
    EXPECT_TRUE(plan.At(At(t0, 1.2)).done);
    EXPECT_EQ(plan.At(At(t0, 1.2)).position, 10000);
    // Too short for the full speed: the peak is sqrt(a * d) = 10000 * sqrt(0.2).
    MotionPlan triangle = PlanMove(t0, 100, -100, {0, 10000, 0, 0.1, 0.1});
    EXPECT_NEAR(triangle.TotalSeconds(), 2 * std::sqrt(200.0 / 100000.0), 1e-9);
    EXPECT_LT(triangle.At(At(t0, 0.01)).velocity, 0);
    EXPECT_EQ(triangle.At(At(t0, 1)).position, -100);
    // Jog: endless after its ramp; a stop decelerates at the given rate.
    MotionPlan jog = PlanJog(t0, 0, -1, {1000, 2000, 1000, 0.5, 0.5});
    EXPECT_FALSE(jog.At(At(t0, 100)).done);
    EXPECT_NEAR(jog.At(At(t0, 100)).velocity, -2000, 1e-6);
    MotionPlan stop = PlanStop(t0, 50, 1, 2000, 4000);
    EXPECT_NEAR(stop.TotalSeconds(), 0.5, 1e-9);
    EXPECT_NEAR(stop.At(At(t0, 1)).position, 50 + 500, 1e-6);
}

TEST(MetadataTest, FamilyFileGivesRangesDefaultsAndBldcCategories) {
    TempDir dir;
    std::ofstream(dir.Path() + "/Dorrin_BLDC_ParamDefault.ini")
        << "[Category1]\nCategoryName=Gains\nCategoryNo=1\nParamCount=4\n1=Gain|G|RW|/|10|0|100|1\n"
           "2=Ratio|R|RO|*|0|0|5\n4=Speed|S|RW|*|1|-10|10\n"
           "[Category2]\nParamCount=1\n1=Other|O|RW|/|1|0|1\n"
           "[DORRIN_TEVRA_BLDC]\nParamCount=3\n0=A|f|0|10|5\n2=C|f|-5|5|-1\n";
    FamilyMetadata meta = LoadFamilyMetadata(model::kBldc, dir.Path());
    ASSERT_TRUE(meta.fromFile);
    ASSERT_EQ(meta.params.size(), 3u);
    EXPECT_EQ(meta.params[0].defaultValue, 5);
    EXPECT_FALSE(meta.params[1].InRange(1)) << "a missing key has the range 0..0";
    EXPECT_TRUE(meta.params[1].InRange(0));
    EXPECT_TRUE(meta.params[2].InRange(-5));
    ASSERT_EQ(meta.bldc.size(), 4u);
    EXPECT_EQ(meta.bldc[2].number, 4u) << "key 3 is absent";
    EXPECT_EQ(meta.bldc[1].factor, 1) << "factor 0 acts as 1";
    EXPECT_TRUE(meta.bldc[1].readOnly);
    EXPECT_EQ(meta.bldc[0].ToRaw(1.25), 13);
    EXPECT_TRUE(meta.bldc[0].InRange(1000));
    EXPECT_FALSE(meta.bldc[0].InRange(1001));
    EXPECT_EQ(meta.bldc[3].category, 2);

    std::ofstream(dir.Path() + "/Dorrin_ParamDefault.ini") << "[DORRIN_TEVRA]\nParamCount=256\n0=A|f|0|1|0\n";
    EXPECT_FALSE(LoadFamilyMetadata(model::kServo, dir.Path()).fromFile) << "a count of 256 is 0 as a byte";
}

TEST(LineFileTest, DriveAndFaultSpecs) {
    std::string error;
    auto drive = ParseDriveSpec("3:20,version=2.1.4,form=legacy,name=Axis X,inputs=8,variant=1", error);
    ASSERT_TRUE(drive) << error;
    EXPECT_EQ(drive->slave, 3);
    EXPECT_EQ(drive->modelCode, 20);
    EXPECT_EQ(drive->version, (std::array<uint16_t, 4>{2, 1, 4, 0}));
    EXPECT_EQ(drive->form, FrameForm::Legacy);
    EXPECT_EQ(drive->name, "Axis X");
    EXPECT_EQ(drive->inputCount, 8);
    EXPECT_EQ(drive->stepperVariant, 1);
    EXPECT_FALSE(ParseDriveSpec("16:1", error));
    EXPECT_FALSE(ParseDriveSpec("2:1,colour=red", error));
    EXPECT_FALSE(ParseDriveSpec("2:1,inputs=40", error));

    auto fault = ParseFaultSpec("stray:2,count=4,bytes=AA CC 01", error);
    ASSERT_TRUE(fault) << error;
    EXPECT_EQ(fault->spec.kind, FaultKind::StrayBytes);
    EXPECT_EQ(fault->slave, 2);
    EXPECT_EQ(fault->spec.count, 4u);
    EXPECT_EQ(fault->spec.bytes, (Bytes{0xAA, 0xCC, 0x01}));
    fault = ParseFaultSpec("hangup,after=1500", error);
    ASSERT_TRUE(fault);
    EXPECT_TRUE(fault->hangUp);
    EXPECT_EQ(fault->hangUpAfterMs, 1500u);
    EXPECT_FALSE(ParseFaultSpec("explode", error));
    fault = ParseFaultSpec("crc,rate=0.02", error);
    ASSERT_TRUE(fault) << error;
    EXPECT_EQ(fault->spec.kind, FaultKind::CorruptCrc);
    EXPECT_DOUBLE_EQ(fault->spec.rate, 0.02);
    fault = ParseFaultSpec("split:1,pause=40,rate=1", error);
    ASSERT_TRUE(fault) << error;
    EXPECT_EQ(fault->spec.kind, FaultKind::Split);
    EXPECT_EQ(fault->spec.pauseMs, 40u);
    const std::pair<const char*, FaultKind> kinds[] = {
        {"echo", FaultKind::Echo}, {"truncate", FaultKind::Truncate}, {"duplicate", FaultKind::Duplicate}};
    for (const auto& [text, kind] : kinds) {
        fault = ParseFaultSpec(text, error);
        ASSERT_TRUE(fault) << text;
        EXPECT_EQ(fault->spec.kind, kind);
        EXPECT_DOUBLE_EQ(fault->spec.rate, 1.0);
    }
    for (const char* bad : {"crc,rate=1.5", "crc,rate=-0.1", "crc,rate=", "crc,rate=0.5x"})
        EXPECT_FALSE(ParseFaultSpec(bad, error)) << bad;

    TempDir dir;
    std::ofstream(dir.Path() + "/line.ini")
        << "[Line]\nBaud=9600\nPace=1\n[Slave0]\nModel=40\n[Slave7]\nModel=7\n"
           "FirmwareType=2\nForm=sequenced\n";
    LineDescription line;
    ASSERT_TRUE(LoadLineFile(dir.Path() + "/line.ini", line, error)) << error;
    EXPECT_EQ(line.options.baudRate, 9600u);
    EXPECT_TRUE(line.options.pace);
    ASSERT_EQ(line.drives.size(), 2u);
    EXPECT_EQ(line.drives[1].slave, 7);
    EXPECT_EQ(line.drives[1].modelCode, 7);
    EXPECT_EQ(line.drives[1].firmwareType, 2);
}

TEST(LineFileTest, ExampleOfTheReadmeLoadsWithItsComments) {
    TempDir dir;
    std::ofstream(dir.Path() + "/line.ini")
        << "[Line]\nBaud=57600 ; slow adapter\n\n"
           "[Slave0]\n"
           "Model=1                 ; 1, 10, 20, 30, 40, 110; any other code answers as itself\n"
           "Version=8.0.0.0         ; major.minor.build.revision (the default); any major but 8 is refused\n"
           "FirmwareType=0          ; nonzero: firmware the programs do not accept\n"
           "Form=sequenced          ; or legacy: frames without sync number\n"
           "Name=Axis X             ; default: the family's model name\n"
           "MotorNumber=101\nMotorName=SIM-MOTOR\n"
           "Inputs=12               ; physical input pins (1..12), default per family\n"
           "Outputs=10              ; physical output pins (1..10)\n"
           "TableSize=256           ; position-table items\n"
           "StepperVariant=0        ; stepper: variant named in its version text (0 or 1)\n"
           "BootRom=0               ; 1: the drive starts in its boot ROM\n"
           "[slave5]\n#Model=20\nmodel=40\nMODEL=30\nname=\"A ; B\"\nmotorname='M1'\n";
    LineDescription line;
    std::string error;
    ASSERT_TRUE(LoadLineFile(dir.Path() + "/line.ini", line, error)) << error;
    EXPECT_EQ(line.options.baudRate, 57600u);
    ASSERT_EQ(line.drives.size(), 2u);
    const DriveConfig& axis = line.drives[0];
    EXPECT_EQ(axis.modelCode, 1);
    EXPECT_EQ(axis.version, (std::array<uint16_t, 4>{8, 0, 0, 0}));
    EXPECT_EQ(axis.name, "Axis X");
    EXPECT_EQ(axis.motorNumber, 101);
    EXPECT_EQ(axis.motorName, "SIM-MOTOR");
    EXPECT_EQ(axis.inputCount, 12);
    EXPECT_EQ(axis.outputCount, 10);
    EXPECT_EQ(axis.tableSize, 256);
    EXPECT_FALSE(axis.startInBootRom);
    // Names of any case, the first line of a key wins, '#' lines are comments, quotes protect ';'.
    const DriveConfig& other = line.drives[1];
    EXPECT_EQ(other.slave, 5);
    EXPECT_EQ(other.modelCode, 40);
    EXPECT_EQ(other.name, "A ; B");
    EXPECT_EQ(other.motorName, "M1");
}

TEST(StateFileTest, HandEditedFileChangesOnlyTheParametersItNames) {
    SimLine reference, line;
    DriveConfig servo;
    servo.modelCode = model::kServo;
    ASSERT_TRUE(reference.AddDrive(servo));
    ASSERT_TRUE(line.AddDrive(servo));
    TempDir state;
    std::ofstream(state.Path() + "/drive-0.ini")
        << "\xEF\xBB\xBF[Drive]\r\nModel=1\r\n[Parameters]\r\nx=5\r\n#2=7\r\n1=123\r\n3=abc\r\n4=0x10\r\n";
    ASSERT_TRUE(line.LoadState(state.Path()));
    EXPECT_EQ(line.GetRomParameter(0, 0), reference.GetRomParameter(0, 0)) << "a stray key is no parameter 0";
    EXPECT_EQ(line.GetRomParameter(0, 2), reference.GetRomParameter(0, 2));
    EXPECT_EQ(line.GetRomParameter(0, 3), reference.GetRomParameter(0, 3));
    EXPECT_EQ(line.GetRomParameter(0, 1), 123);
    EXPECT_EQ(line.GetParameter(0, 4), 16);
}

}  // namespace
}  // namespace tarsel::sim::testing
