// Every frame type of the catalogue, sent through the transport to each family, answers with
// the payload length the catalogue lists; frame types a family lacks answer 0x80.
#include "comm/result_codes.h"
#include "tests/sim/sim_fixture.h"

namespace tarsel::sim::testing {
namespace {

struct Step {
    uint8_t type;
    Bytes data;
    std::size_t answer;                   // payload length after the status byte
    std::chrono::milliseconds settle{0};  // nonzero: wait for the motion to end (at most 2 s)
};

Bytes Zeros(std::size_t n) {
    return Bytes(n, 0);
}

Bytes EmptyItemWithCommand(uint16_t command) {
    Bytes item(64, 0xFF);
    PutU32(item.data(), 0);
    PutU16(item.data() + 16, command);
    PutU16(item.data() + 18, 0);  // no wait
    return item;
}

// Frames every family knows, in an order in which each one can succeed.
std::vector<Step> CommonSteps() {
    return {
        {0x01, {}, 70},
        {0x51, {}, 4},
        {0x10, {}, 0},
        {0x11, {1}, 4},
        {0x13, {1}, 4},
        {0x12, {1}, 0},  // value filled in by the test from 0x13's answer
        {0x20, Cat({U32(0), U32(0)}), 0},
        {0x21, Zeros(10), 0},
        {0x22, {}, 5},
        {0x23, {}, 4},
        {0x24, {3, 5, 1}, 0},
        {0x25, {1, 3, 1}, 0},
        {0x26, {}, 1},
        {0x27, {3}, 2},
        {0x28, {1}, 2},
        {0x2A, {1}, 0},
        {0x2B, {}, 0},
        {0x2E, {}, 1},
        {0x40, {}, 4},
        {0x41, {}, 9},
        {0x42, {}, 20},
        {0x43, {}, 33},
        {0x44, {}, 4},
        {0x50, U32(0), 0},
        {0x52, U32(0), 0},
        {0x53, {}, 4},
        {0x54, {}, 4},
        {0x55, {}, 4},
        {0x56, {}, 0},
        {0x34, Cat({U32(100000), U32(50000)}), 0},
        {0x38, U32(120000), 0},
        {0x39, U32(1000), 0},
        {0x3A, U32(60000), 0},
        {0x58, {1}, 0},
        {0x58, {0}, 0},
        {0x32, {}, 0},
        {0x35, Cat({U32(50), U32(100000)}), 0, std::chrono::milliseconds(40)},
        {0x37, Cat({U32(5000), {1}}), 0},
        {0x31, {}, 0, std::chrono::milliseconds(150)},
        {0x36, Cat({U32(5000), {0}}), 0},
        {0x32, {}, 0},
        {0x33, {}, 0},
        {0x32, {}, 0},
        {0x80, Cat({U32(10), U32(100000), Zeros(32)}), 0, std::chrono::milliseconds(40)},
        {0x81, Cat({U32(10), U32(100000), Zeros(32)}), 0, std::chrono::milliseconds(40)},
        {0x82, Cat({U32(1000), {1}, Zeros(32)}), 0},
        {0x32, {}, 0},
        {0x70, Cat({U32(100), U32(1000), U16(10)}), 0},
        {0x60, U16(0), 64},
        {0x61, Cat({U16(0), EmptyItemWithCommand(9)}), 1},
        {0x62, {}, 1},
        {0x61, Cat({U16(0), EmptyItemWithCommand(9)}), 1},
        {0x63, {}, 1},
        {0x65, {}, 32},
        {0x64, U16(0), 0, std::chrono::milliseconds(20)},
        {0x68, Cat({{0}, U16(0)}), 0, std::chrono::milliseconds(20)},
        {0x69, {}, 1},
        {0x6A, Cat({U16(0), U16(0)}), 4},
        {0x6B, Cat({U16(0), U16(0), U32(5)}), 0},
        {0x1B, {}, 1},
    };
}

std::vector<Step> FamilySteps(uint16_t model) {
    std::vector<Step> steps;
    if (model == model::kServo || model == model::kAbsServo || model == model::kBldc) {
        steps.push_back({0x06, {}, 2});
        steps.push_back({0x2D, {2}, 1});
    }
    if (model == model::kStepper) {
        steps.push_back({0x2C, {1}, 0});
        steps.push_back({0x0B, {0}, 2});
        steps.push_back({0x0C, U16(800), 0});
        steps.push_back({0x0D, {}, 247});
        steps.push_back({0x0E, {}, 64});
        steps.push_back({0x0F, {1}, 0});
    }
    if (model == model::kBldc) {
        steps.push_back({0x84, Cat({{1}, U32(1)}), 4});
        steps.push_back({0x85, Cat({{1}, U32(1), U32(0)}), 0});
        steps.push_back({0x86, {}, 0});
        steps.push_back({0x87, {}, 0});
        steps.push_back({0x8D, Cat({U16(1), U16(4), {2, 1, 12, 0, 0}}), 0});
        steps.push_back({0x8E, {}, 9});
        steps.push_back({0x8F, {}, 0});
        steps.push_back({0x35, Cat({U32(100), U32(10000)}), 0, std::chrono::milliseconds(30)});
        steps.push_back({0x8A, {}, 1});
        steps.push_back({0x8C, U32(0), 8});
        steps.push_back({0x8B, {}, 0});
    }
    return steps;
}

class CatalogueTest : public SimLineTest, public ::testing::WithParamInterface<uint16_t> {};

TEST_P(CatalogueTest, EveryFrameTypeAnswersWithTheCataloguePayloadLength) {
    const uint16_t model = GetParam();
    StartLine({Drive(1, model)});
    std::vector<Step> steps = CommonSteps();
    for (const Step& s : FamilySteps(model)) steps.push_back(s);
    for (Step step : steps) {
        if (step.type == 0x12) {  // write back the value just read: always within range
            Bytes current;
            ASSERT_EQ(Send(1, 0x13, {1}, &current, 4), 0);
            step.data = Cat({{1}, current});
        }
        Bytes answer;
        const uint8_t rc = Send(1, step.type, step.data, &answer, static_cast<uint32_t>(step.answer));
        EXPECT_EQ(rc, 0) << "frame type 0x" << std::hex << int{step.type};
        const RequestRecord record = LastRecord(1, step.type);
        EXPECT_TRUE(record.answered);
        EXPECT_EQ(record.answerLength, step.answer) << "frame type 0x" << std::hex << int{step.type};
        if (step.settle.count()) {
            // Let the motion or table run end before the next step.
            EXPECT_TRUE(WaitFor(
                [&] {
                    const uint32_t status = line.GetAxisState(1)->status;
                    return !(status & (1u << 27)) && (status & (1u << 22));
                },
                std::chrono::milliseconds(2000)))
                << "frame type 0x" << std::hex << int{step.type};
        }
    }
}

TEST_P(CatalogueTest, FrameTypesTheFamilyLacksAnswerFrameTypeError) {
    const uint16_t model = GetParam();
    StartLine({Drive(1, model)});
    std::vector<uint8_t> lacking = {0x99, 0x00};
    if (model != model::kStepper) lacking.insert(lacking.end(), {0x0B, 0x0D, 0x2C});
    if (model != model::kBldc) lacking.insert(lacking.end(), {0x84, 0x8A, 0x8F});
    if (model == model::kMotionController || model == model::kMotionController2 || model == model::kStepper)
        lacking.insert(lacking.end(), {0x06, 0x2D});
    for (uint8_t type : lacking) {
        EXPECT_EQ(Send(1, type, {0, 0, 0, 0, 0}), kStatusFrameTypeError) << std::hex << int{type};
        EXPECT_EQ(LastRecord(1, type).answerLength, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Families, CatalogueTest,
                         ::testing::Values(model::kServo, model::kMotionController, model::kStepper,
                                           model::kAbsServo, model::kBldc, model::kMotionController2));

TEST_F(SimLineTest, BroadcastsExecuteOnEveryDriveWithoutAnswer) {
    StartLine({Drive(0, model::kServo), Drive(3, model::kStepper), Drive(5, model::kAbsServo)});
    for (uint8_t s : {0, 5}) ASSERT_EQ(Send(s, 0x2A, {1}), 0);
    ASSERT_EQ(port->DoSendCommandNoResp(kBroadcastSlave, 0x3E, Cat({U32(500), U32(200000)}).data(), 8), 0);
    ASSERT_TRUE(WaitFor(
        [&] {
            for (uint8_t s : {0, 3, 5})
                if (line.GetAxisState(s)->commandPosition != 500) return false;
            return true;
        },
        std::chrono::milliseconds(1000)));
    for (const RequestRecord& r : line.RequestLog())
        if (r.slave == kBroadcastSlave) {
            EXPECT_FALSE(r.answered);
        }
    // The next addressed request is not disturbed by a stray answer.
    EXPECT_EQ(Send(0, 0x40, {}, nullptr, 4), 0);
}

}  // namespace
}  // namespace tarsel::sim::testing
